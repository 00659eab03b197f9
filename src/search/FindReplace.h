#pragma once

#include "search/FindDialogs.h"
#include "search/SearchableEdit.h"
#include "search/TextMatch.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <stdexcept>

// A failure of the search engine, such as a search with no control bound.
class FindReplaceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

using TNotifyEvent = std::function<void(QObject *sender)>;
using TReplaceProgressEvent = std::function<void(QObject *sender, int position, bool &terminate)>;

// Finds and replaces text in one bound edit control. The control's whole
// text is taken out and searched as a string; a match is then selected in
// the control, and Replace All writes the changed text back in one go.
//
// With ShowDialogs the component shows its own find and replace dialogs and
// follows their buttons; without, the host sets the texts and Options and
// calls Find, FindNext or Replace, and the two dialogs, never shown, hold
// the current options and texts.
//
// Failures are not caught here: a missing control throws FindReplaceError
// with "No editcontrol assigned!", and whatever the control or a handler
// throws reaches the caller.
class TFindReplace : public QObject
{
    Q_OBJECT

public:
    explicit TFindReplace(QObject *owner = nullptr);
    ~TFindReplace() override;

    // Replace All upper-cases and searches the text this many bytes at a
    // time, so that a long text's window answers in between.
    static constexpr qsizetype kReplaceStride = 64 * 1024;

    // Searches of Find and Find Next use the skip-table search; the results
    // are the same.
    bool Fast() const { return m_fast; }
    void setFast(bool fast) { m_fast = fast; }
    TFindOptions Options() const;
    void setOptions(TFindOptions options);
    // Cleared when the control is destroyed.
    SearchableEdit *EditControl() const { return m_editControl.data(); }
    void setEditControl(SearchableEdit *control) { m_editControl = control; }
    QString FindText() const;
    void setFindText(const QString &text);
    // Every search step copies the texts of the dialog that drives it into
    // FindText and ReplaceText.
    bool KeepText() const { return m_keepText; }
    void setKeepText(bool keep) { m_keepText = keep; }
    QString ReplaceText() const;
    void setReplaceText(const QString &text);
    bool ShowDialogs() const { return m_showDialogs; }
    void setShowDialogs(bool show);
    bool Ctl3D() const;
    void setCtl3D(bool ctl3D);
    int HelpContext() const;
    void setHelpContext(int context);

    // A handler runs only while one is assigned.
    TNotifyEvent OnFind() const { return m_onFind; }
    void setOnFind(TNotifyEvent handler) { m_onFind = std::move(handler); }
    TNotifyEvent OnReplace() const { return m_onReplace; }
    void setOnReplace(TNotifyEvent handler) { m_onReplace = std::move(handler); }
    TNotifyEvent OnReplacingAll() const { return m_onReplacingAll; }
    void setOnReplacingAll(TNotifyEvent handler) { m_onReplacingAll = std::move(handler); }
    TNotifyEvent OnReplacedAll() const { return m_onReplacedAll; }
    void setOnReplacedAll(TNotifyEvent handler) { m_onReplacedAll = std::move(handler); }
    TNotifyEvent OnNotFound() const { return m_onNotFound; }
    void setOnNotFound(TNotifyEvent handler) { m_onNotFound = std::move(handler); }
    TReplaceProgressEvent OnProgress() const { return m_onProgress; }
    void setOnProgress(TReplaceProgressEvent handler) { m_onProgress = std::move(handler); }
    TNotifyEvent OnShow() const { return m_onShow; }
    void setOnShow(TNotifyEvent handler) { m_onShow = std::move(handler); }
    TNotifyEvent OnClose() const { return m_onClose; }
    void setOnClose(TNotifyEvent handler) { m_onClose = std::move(handler); }

    // The internal dialogs; nullptr until the first sync step makes them.
    FindDialog *findDialog() const { return m_findDialog; }
    ReplaceDialog *replaceDialog() const { return m_replaceDialog; }

protected:
    // The search step: selects the next match from the selection in the
    // dialog's direction, or reports that there is none.
    virtual void DoFind(FindDialog *dialog);
    // The replace step: replaces the selection (searching first when there
    // is none), or, with frReplaceAll, every occurrence.
    virtual void DoReplace(ReplaceDialog *dialog);
    virtual void DoShow(QObject *sender);
    virtual void DoClose(QObject *sender);
    virtual void DoNotFound(FindDialog *dialog);
    virtual void DoReplacingAll();
    virtual void DoReplacedAll();
    virtual void DoProgress(int position, bool &terminate);

public:
    // Shows the find dialog, or, without dialogs, searches once.
    virtual void Find();
    // Searches once, with or without dialogs.
    virtual void FindNext();
    // Shows the replace dialog, or, without dialogs, replaces once.
    virtual void Replace();
    // Replaces every occurrence in the whole text, from its start, and
    // writes the text back in one go. OnProgress may stop it: the text then
    // stays as it was.
    virtual void ReplaceAll(const QString &findText, const QString &replaceText);
    // How many occurrences the last Replace All replaced.
    int replacedCount() const { return m_replacedCount; }
    // Whether Replace can write the text: it writes in the code page, and
    // a character the code page lacks would silently become "?". Says why
    // not.
    bool mayWrite(const QString &replaceText) const;

protected:
    // Makes the dialogs when they do not exist yet and gives them the
    // current options, texts and position.
    void SyncDialogs();

private:
    SearchableEdit &control() const;
    void replaceSelection(ReplaceDialog *dialog);
    // The window handlers of the dialogs, bound once they exist.
    void bindDialog(FindDialog *dialog);

    bool m_fast = false;
    TFindOptions m_options;
    QPointer<SearchableEdit> m_editControl;
    QString m_findText;
    bool m_keepText = false;
    QString m_replaceText;
    bool m_showDialogs = true;
    bool m_ctl3D = true;
    int m_helpContext = 0;
    QPoint m_position{-1, -1};
    int m_replacedCount = 0;

    FindDialog *m_findDialog = nullptr;
    ReplaceDialog *m_replaceDialog = nullptr;

    TNotifyEvent m_onFind;
    TNotifyEvent m_onReplace;
    TNotifyEvent m_onReplacingAll;
    TNotifyEvent m_onReplacedAll;
    TNotifyEvent m_onNotFound;
    TReplaceProgressEvent m_onProgress;
    TNotifyEvent m_onShow;
    TNotifyEvent m_onClose;
};
