#pragma once

#include <QFrame>
#include <QString>

class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

// A plain file that looks like another encoding than the editor's own
// shows as gibberish: a bar above the text and the status bar say which
// encoding it looks like, and the bar's button runs the Convert command
// that makes it readable. The hint goes when the user closes it or when
// the text changes (the conversion included).
class EncodingHint : public QFrame
{
    Q_OBJECT

public:
    // The hint's text also goes into the status bar, beside its panels.
    explicit EncodingHint(QStatusBar *statusBar, QWidget *parent = nullptr);

    // Shows the hint for text that looks like the named encoding.
    void offer(const QString &encodingName, QAction *command);
    void dismiss();

    QString text() const;
    QPushButton *convertButton() const { return m_convert; }
    QToolButton *closeButton() const { return m_close; }

private:
    QLabel *m_text;
    QPushButton *m_convert;
    QToolButton *m_close;
    QLabel *m_status;
    QAction *m_command = nullptr;
};
