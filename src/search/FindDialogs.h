#pragma once

#include <QDialog>
#include <QFlags>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class FindDialogWindow;

// The flags of the find and replace dialogs, in bit order.
enum TFindOption : unsigned {
    frDown = 1u << 0,
    frFindNext = 1u << 1,
    frHideMatchCase = 1u << 2,
    frHideWholeWord = 1u << 3,
    frHideUpDown = 1u << 4,
    frMatchCase = 1u << 5,
    frDisableMatchCase = 1u << 6,
    frDisableUpDown = 1u << 7,
    frDisableWholeWord = 1u << 8,
    frReplace = 1u << 9,
    frReplaceAll = 1u << 10,
    frWholeWord = 1u << 11,
    frShowHelp = 1u << 12,
};
Q_DECLARE_FLAGS(TFindOptions, TFindOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFindOptions)

// A find dialog: the options, texts and place of a search, and, once it is
// shown, a small modeless window in which the user edits them. Kept without
// a window it simply holds the values.
class FindDialog : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(FindDialog *dialog)>;

    explicit FindDialog(QObject *parent = nullptr);
    ~FindDialog() override;

    virtual bool isReplaceDialog() const { return false; }

    TFindOptions options() const { return m_options; }
    void setOptions(TFindOptions options);
    QString findText() const { return m_findText; }
    void setFindText(const QString &text);
    // Top left corner on the screen; (-1, -1) leaves the place to the window
    // system.
    QPoint position() const { return m_position; }
    void setPosition(QPoint position);
    bool ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool ctl3D) { m_ctl3D = ctl3D; }
    int helpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }

    // The widget the window is placed over; nullptr makes it a window of
    // its own.
    void setWindowParent(QWidget *parent) { m_windowParent = parent; }

    // Shows the window, or brings it forward when it is already open; the
    // show handler runs when it opens.
    void execute();
    // Hides the window if it is open and then runs the close handler.
    void closeDialog();
    bool isOpen() const;
    // The window once the dialog has been shown, else nullptr.
    QDialog *window() const;

    // What the window's buttons do: Find Next runs the find handler, Replace
    // and Replace All the replace handler, with the matching flag set.
    Handler onFind;
    Handler onReplace;
    Handler onShow;
    Handler onClose;

protected:
    virtual QString caption() const;

private:
    friend class FindDialogWindow;

    // Button presses from the window. A failure is shown in a message box:
    // it cannot travel on through the event loop.
    void pressed(TFindOption action, const Handler &handler);
    void closedByUser();
    void runFromWindow(const Handler &handler);

protected:
    void refreshWindow();

private:
    TFindOptions m_options;
    QString m_findText;
    QPoint m_position{-1, -1};
    bool m_ctl3D = true;
    int m_helpContext = 0;
    QPointer<QWidget> m_windowParent;
    QPointer<FindDialogWindow> m_window;
};

// A find dialog that also holds the replacement and offers Replace and
// Replace All.
class ReplaceDialog : public FindDialog
{
    Q_OBJECT

public:
    using FindDialog::FindDialog;

    bool isReplaceDialog() const override { return true; }

    QString replaceText() const { return m_replaceText; }
    void setReplaceText(const QString &text);

protected:
    QString caption() const override;

private:
    friend class FindDialogWindow;

    QString m_replaceText;
};
