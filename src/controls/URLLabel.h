#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

// A label that works as a link: a hand cursor, a second font while the
// mouse is over it, and a click that hands its address to the desktop's
// opener (the browser for a web address, the mail program for "mailto:").
class TURLLabel : public QLabel
{
    Q_OBJECT

public:
    // A font with its colour, as the label shows its text.
    struct Font
    {
        QFont font;
        QColor color;
    };

    explicit TURLLabel(QWidget *parent = nullptr);

    // The address opened on a click; it may differ from the caption.
    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

    // Shown while the mouse is over the label; the default font, underlined
    // and navy, at first.
    const Font &hiFont() const { return m_hiFont; }
    void setHiFont(const Font &font);

Q_SIGNALS:
    // After every click, whether the address opened or not.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The font and colour the label shows now.
    Font shownFont() const;
    void showFont(const Font &font);
    void openUrl() const;

    QString m_url;
    Font m_hiFont;
    Font m_savedFont;
    bool m_hot = false;
};
