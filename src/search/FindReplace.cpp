#include "search/FindReplace.h"

#include "platform/richedit/TextView.h"
#include "platform/system/Prompts.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/FileFormat.h"
#include "transform/CaseConversion.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The search text as bytes of the document's code page. A character the
// code page lacks shows in the text view only as the foreign byte (SUB),
// which stands for every such character: a text that holds either finds
// nothing (an empty pattern is never found), and Replace All never moves
// the characters behind that byte.
QByteArray patternBytes(const QString &text)
{
    const QByteArray bytes = ansi::encode(text);
    return ansi::fold(text) == text && !bytes.contains(textview::kForeignByte) ? bytes
                                                                               : QByteArray();
}

int percentOf(qsizetype part, qsizetype whole)
{
    return whole > 0 ? int(part * 100 / whole) : 100;
}

// The text upper-cased for a matcher a stride at a time.
QByteArray upperInSlices(SearchableEdit &edit, QByteArrayView text)
{
    QByteArray upper;
    upper.reserve(text.size());
    edit.workOnText(
        [&] {
            const qsizetype n = std::min(TFindReplace::kReplaceStride, text.size() - upper.size());
            upper += ansiUpper(text.sliced(upper.size(), n));
            return upper.size() < text.size();
        },
        [&] { return percentOf(upper.size(), text.size()); });
    return upper;
}

bool failsOptions(const TMatchResult &match, TFindOptions options)
{
    return ((options & frWholeWord) && !match.WholeWord) ||
           ((options & frMatchCase) && !match.ExactCase);
}

} // namespace

TFindReplace::TFindReplace(QObject *owner)
    : QObject(owner)
{}

TFindReplace::~TFindReplace()
{
    // The dialogs go first, so that no window of theirs calls back into a
    // half-destroyed component.
    delete m_findDialog;
    delete m_replaceDialog;
}

// Properties ---------------------------------------------------------------------

TFindOptions TFindReplace::Options() const
{
    return m_findDialog ? m_findDialog->options() : m_options;
}

void TFindReplace::setOptions(TFindOptions options)
{
    m_options = options;
    if (m_findDialog) {
        m_findDialog->setOptions(options);
        m_replaceDialog->setOptions(options);
    }
    SyncDialogs();
}

bool TFindReplace::Ctl3D() const
{
    return m_findDialog ? m_findDialog->ctl3D() : m_ctl3D;
}

void TFindReplace::setCtl3D(bool ctl3D)
{
    m_ctl3D = ctl3D;
    if (m_findDialog) {
        m_findDialog->setCtl3D(ctl3D);
        m_replaceDialog->setCtl3D(ctl3D);
    }
    SyncDialogs();
}

int TFindReplace::HelpContext() const
{
    return m_findDialog ? m_findDialog->helpContext() : m_helpContext;
}

void TFindReplace::setHelpContext(int context)
{
    m_helpContext = context;
    if (m_findDialog) {
        m_findDialog->setHelpContext(context);
        m_replaceDialog->setHelpContext(context);
    }
    SyncDialogs();
}

QString TFindReplace::FindText() const
{
    return m_showDialogs && m_findDialog ? m_findDialog->findText() : m_findText;
}

void TFindReplace::setFindText(const QString &text)
{
    m_findText = text;
    if (m_findDialog && m_replaceDialog) {
        m_findDialog->setFindText(text);
        m_replaceDialog->setFindText(text);
    }
}

QString TFindReplace::ReplaceText() const
{
    return m_showDialogs && m_replaceDialog ? m_replaceDialog->replaceText() : m_replaceText;
}

void TFindReplace::setReplaceText(const QString &text)
{
    m_replaceText = text;
    if (m_replaceDialog)
        m_replaceDialog->setReplaceText(text);
}

void TFindReplace::setShowDialogs(bool show)
{
    m_showDialogs = show;
    if (show)
        return;
    if (!m_findDialog)
        SyncDialogs();
    m_findDialog->closeDialog();
    m_replaceDialog->closeDialog();
}

// Dialogs ------------------------------------------------------------------------

void TFindReplace::SyncDialogs()
{
    QPoint position;
    if (!m_findDialog) {
        position = m_position;
        m_findDialog = new FindDialog(this);
        m_replaceDialog = new ReplaceDialog(this);
        for (FindDialog *dialog : {m_findDialog, static_cast<FindDialog *>(m_replaceDialog)}) {
            dialog->setOptions(m_options);
            dialog->setCtl3D(m_ctl3D);
            dialog->setHelpContext(m_helpContext);
            dialog->setFindText(m_findText);
            bindDialog(dialog);
        }
        m_replaceDialog->setReplaceText(m_replaceText);
    } else {
        position = m_findDialog->position();
    }

    // Read before any dialog changes: the getters read the find dialog.
    const TFindOptions options = Options();
    const bool ctl3D = Ctl3D();
    const int helpContext = HelpContext();
    const QString findText = FindText();
    const QString replaceText = ReplaceText();
    QWidget *const owner = qobject_cast<QWidget *>(parent());
    for (FindDialog *dialog : {m_findDialog, static_cast<FindDialog *>(m_replaceDialog)}) {
        dialog->setWindowParent(owner);
        dialog->setPosition(position);
        dialog->setOptions(options);
        dialog->setCtl3D(ctl3D);
        dialog->setHelpContext(helpContext);
        dialog->setFindText(findText);
    }
    m_replaceDialog->setReplaceText(replaceText);
}

void TFindReplace::bindDialog(FindDialog *dialog)
{
    dialog->onFind = [this](FindDialog *d) { DoFind(d); };
    dialog->onShow = [this](FindDialog *d) { DoShow(d); };
    dialog->onClose = [this](FindDialog *d) { DoClose(d); };
    if (dialog->isReplaceDialog())
        dialog->onReplace = [this](FindDialog *d) { DoReplace(static_cast<ReplaceDialog *>(d)); };
}

SearchableEdit &TFindReplace::control() const
{
    if (!m_editControl)
        throw FindReplaceError("No editcontrol assigned!");
    return *m_editControl;
}

// Public operations ---------------------------------------------------------------

void TFindReplace::Find()
{
    control();
    SyncDialogs();
    if (m_showDialogs)
        m_findDialog->execute();
    else
        DoFind(m_findDialog);
}

void TFindReplace::FindNext()
{
    control();
    SyncDialogs();
    DoFind(m_findDialog);
}

void TFindReplace::Replace()
{
    control();
    SyncDialogs();
    if (m_showDialogs)
        m_replaceDialog->execute();
    else
        DoReplace(m_replaceDialog);
}

void TFindReplace::ReplaceAll(const QString &findText, const QString &replaceText)
{
    SearchableEdit &edit = control();
    if (!m_replaceDialog)
        SyncDialogs();
    m_replacedCount = 0;
    const TFindOptions options = m_replaceDialog->options();

    // At every moment the working text is what was written (the original
    // up to `taken`, the occurrences replaced) followed by the original from
    // `taken` on, so positions in the working text are written + (position
    // in the original - taken). Only a control that takes the text whole
    // needs the written text itself, built by appending in `out`.
    const QByteArray text = edit.wholeText();
    const QByteArray pattern = patternBytes(findText);
    const QByteArray replacement = ansi::encode(replaceText);
    const TextMatcher matcher(text, pattern.isEmpty() ? QByteArray() : upperInSlices(edit, text),
                              pattern, true);
    QByteArray out;
    qsizetype written = 0;
    bool wordWritten = false; // the last byte written belongs to a word
    qsizetype taken = 0;
    qsizetype replaced = 0;
    // The occurrences are changed where they are, the formatting around
    // kept, unless the control takes the text whole (a long plain text).
    const bool inPlace = edit.keepsFormatting();
    QList<qsizetype> starts;

    // The character before a match at the seam is the end of what was
    // already written, not the original's.
    const auto wholeWord = [&](qsizetype pos) {
        const bool wordBefore = pos > taken ? isWordChar(text[pos - 1]) : wordWritten;
        const qsizetype end = pos + pattern.size();
        return !wordBefore && (end == text.size() || !isWordChar(text[end]));
    };
    const auto fails = [&](qsizetype pos) {
        return ((options & frWholeWord) && !wholeWord(pos)) ||
               ((options & frMatchCase) && !matcher.exactCaseAt(pos));
    };

    // Each step searches on from `from` within one stride, and takes the
    // occurrence found, if any; an occurrence may end beyond the stride.
    // The first one found after a replacement, wherever it is, reports
    // progress.
    qsizetype from = 0;
    bool afterReplacement = false;
    bool terminate = false;
    const auto step = [&] {
        const qsizetype limit = std::min(text.size(), from + kReplaceStride);
        const qsizetype pos = matcher.find(from, limit - from + pattern.size() - 1);
        if (pos < 0) {
            from = limit;
            return from < text.size();
        }
        if (std::exchange(afterReplacement, false)) {
            const qsizetype at = written + (pos - taken);
            if (at % 60 == 0) {
                DoProgress(int(at), terminate);
                if (terminate)
                    return false;
            }
        }
        if (fails(pos)) {
            from = pos + 1;
            return true;
        }
        if (pos > taken)
            wordWritten = isWordChar(text[pos - 1]);
        if (!replacement.isEmpty())
            wordWritten = isWordChar(replacement.back());
        written += pos - taken + replacement.size();
        if (inPlace) {
            starts.append(pos);
        } else {
            if (replaced == 0)
                out.reserve(text.size() +
                            std::max<qsizetype>(0, replacement.size() - pattern.size()));
            out.append(QByteArrayView(text).sliced(taken, pos - taken));
            out.append(replacement);
        }
        taken = pos + pattern.size();
        ++replaced;
        // Searching on after the inserted text: it is never searched again.
        from = taken;
        afterReplacement = true;
        return true;
    };

    DoReplacingAll();
    edit.workOnText(step, [&] { return percentOf(from, text.size()); });
    if (terminate)
        return;
    DoReplacedAll();
    // With nothing replaced the text stays as it is, formatting and caret
    // included, and the document is not marked modified.
    if (replaced > 0 && inPlace) {
        edit.replaceEach(starts, pattern.size(), replacement);
    } else if (replaced > 0) {
        out.append(QByteArrayView(text).sliced(taken));
        edit.setWholeText(out);
    }
    m_replacedCount = int(replaced);
    DoNotFound(m_replaceDialog);
}

// Steps ---------------------------------------------------------------------------

void TFindReplace::DoFind(FindDialog *dialog)
{
    SearchableEdit &edit = control();
    const QString findText = m_showDialogs ? dialog->findText() : FindText();
    if (m_keepText) {
        setFindText(dialog->findText());
        if (dialog->isReplaceDialog())
            setReplaceText(static_cast<ReplaceDialog *>(dialog)->replaceText());
    }

    const int selStart = edit.selStart();
    const int selLength = edit.selLength();
    const int skip = selStart == 0 && selLength == 0 ? 0 : 1;
    // Read once for all retries: nothing changes the text in between.
    const QByteArray text = edit.wholeText();
    const QByteArray pattern = patternBytes(findText);
    const TextMatcher matcher(text, pattern, m_fast);
    const TFindOptions options = dialog->options();

    TMatchResult match;
    if (options & frDown) {
        match = matcher.forward(selStart + skip);
        while (match.Position >= 0 && failsOptions(match, options))
            match = matcher.forward(match.Position + 1);
    } else {
        const qsizetype length = text.size();
        match = matcher.backward(std::max<qsizetype>(0, length - selStart - skip));
        // A retry takes the occurrences that end before the rejected one
        // ends, as a forward retry takes those that start after it starts.
        // A selected one-character match would be found again otherwise.
        const auto rejected = [&](const TMatchResult &m) {
            return failsOptions(m, options) ||
                   (selLength > 0 && m.Position == selStart && m.Length == selLength);
        };
        while (match.Position >= 0 && rejected(match))
            match = matcher.backward(length - match.Position - match.Length + 1);
    }

    if (match.Position < 0) {
        DoNotFound(dialog);
        return;
    }
    edit.focus();
    edit.setSelStart(match.Position);
    edit.setSelLength(match.Length);
    edit.scrollCaret();
    if (m_onFind)
        m_onFind(this);
}

bool TFindReplace::mayWrite(const QString &replaceText) const
{
    const QString missing = fileformat::firstMissing(Charset::Windows1251, replaceText);
    if (missing.isEmpty())
        return true;
    prompts().message(
        {tr("\"%1\" is not in Windows-1251: Replace cannot write it into the text.").arg(missing),
         tr("Replace"), Prompts::Icon::Warning, Prompts::Buttons::Ok});
    return false;
}

void TFindReplace::DoReplace(ReplaceDialog *dialog)
{
    SearchableEdit &edit = control();
    if (!mayWrite(m_showDialogs ? dialog->replaceText() : ReplaceText()))
        return;
    if (edit.selLength() == 0)
        DoFind(dialog);
    if (edit.selLength() < 1)
        return;
    if (dialog->options() & frReplaceAll) {
        setFindText(dialog->findText());
        setReplaceText(dialog->replaceText());
        ReplaceAll(FindText(), ReplaceText());
    } else {
        replaceSelection(dialog);
    }
    if (m_onReplace)
        m_onReplace(this);
}

void TFindReplace::replaceSelection(ReplaceDialog *dialog)
{
    SearchableEdit &edit = control();
    const QString findText = m_showDialogs ? dialog->findText() : FindText();
    const QString replaceText = m_showDialogs ? dialog->replaceText() : ReplaceText();
    const QByteArray selected = edit.selText();
    const QByteArray pattern = patternBytes(findText);
    const bool same = (dialog->options() & frMatchCase) ? selected == pattern
                                                        : ansiUpper(selected) == ansiUpper(pattern);
    if (!same)
        return;
    edit.setSelText(ansi::encode(replaceText));
    edit.focus();
}

void TFindReplace::DoShow(QObject *)
{
    control();
    SyncDialogs();
    if (m_onShow)
        m_onShow(this);
}

void TFindReplace::DoClose(QObject *)
{
    control();
    SyncDialogs();
    if (m_onClose)
        m_onClose(this);
}

void TFindReplace::DoNotFound(FindDialog *dialog)
{
    control();
    if (m_onNotFound)
        m_onNotFound(this);
    if (!m_showDialogs)
        return;
    prompts().message({tr("Search string '%1' not found").arg(dialog->findText()),
                       dialog->isReplaceDialog() ? tr("Replace") : tr("Find"),
                       Prompts::Icon::Information, Prompts::Buttons::Ok});
}

void TFindReplace::DoReplacingAll()
{
    if (m_onReplacingAll)
        m_onReplacingAll(this);
}

void TFindReplace::DoReplacedAll()
{
    if (m_onReplacedAll)
        m_onReplacedAll(this);
}

void TFindReplace::DoProgress(int position, bool &terminate)
{
    if (m_onProgress)
        m_onProgress(this, position, terminate);
}
