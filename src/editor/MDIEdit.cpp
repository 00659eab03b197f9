#include "editor/MDIEdit.h"

#include "controls/DragDrop.h"
#include "controls/Hints.h"
#include "controls/ToolbarImages.h"
#include "editor/DocumentPrinter.h"
#include "editor/EditHost.h"
#include "editor/EncodingHint.h"
#include "editor/FileWatch.h"
#include "editor/Formatting.h"
#include "editor/Ruler.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileNames.h"
#include "platform/system/Prompts.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/EncodingDetector.h"
#include "platform/text/VirtualKeys.h"
#include "transform/CaseConversion.h"
#include "transform/CodePages.h"
#include "transform/KeyboardLayout.h"
#include "transform/Utf8Conversion.h"
#include "transform/sndkey32.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kTextLimit = 0xFFFFFF;
// How long a notice stays in the status bar over the panels.
constexpr int kNoticeTimeoutMs = 5000;
// Room the text keeps from the left and right edges of the control.
constexpr int kGutter = 6;

QList<Prompts::FileFilter> saveFilters()
{
    return {
        {QCoreApplication::translate("TEditForm", "Plain text files (*.txt)"),
         QStringLiteral("*.txt"), QStringLiteral("txt")},
        {QCoreApplication::translate("TEditForm", "Rich text files (*.rtf)"),
         QStringLiteral("*.rtf"), QStringLiteral("rtf")},
        {QCoreApplication::translate("TEditForm", "HTML files"), QStringLiteral("*.htm;*.html")},
        {QCoreApplication::translate("TEditForm", "All files"), QStringLiteral("*.*")},
    };
}

int saveFilterIndex(const QString &name)
{
    if (filenames::hasExtension(name, "htm") || filenames::hasExtension(name, "html"))
        return 3;
    if (filenames::hasExtension(name, "rtf"))
        return 2;
    return 1;
}

bool isUntitled(const QString &name)
{
    return name.startsWith(QLatin1String("Untitled"), Qt::CaseInsensitive);
}

// A loaded document may grow by as much as a new one may, however long it
// already is: a file beyond the usual limit must not turn read-only.
int textLimitFor(int loadedLength)
{
    return int(
        std::min<qint64>(std::numeric_limits<int>::max(), qint64(loadedLength) + kTextLimit));
}

} // namespace

TEditForm::TEditForm(EditHost &host, const EditorSettings &settings, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_settings(settings)
{
    resize(567, 308);
    createControls();
    FormCreate();
}

TEditForm *TEditForm::inWindow(const QMdiSubWindow *window)
{
    return window ? qobject_cast<TEditForm *>(window->widget()) : nullptr;
}

void TEditForm::setPanel(Panel panel, const QString &text)
{
    m_panels[panel]->setText(text);
}

QString TEditForm::panelText(Panel panel) const
{
    return m_panels[panel]->text();
}

void TEditForm::setCaption(const QString &name)
{
    // The frame finds open files by caption: the two never differ.
    FFileName = name;
    setWindowTitle(name);
    showFileFormat(); // a file of its own can be reopened
}

void TEditForm::renameDocument(const QString &name)
{
    setCaption(name);
    m_host.documentRenamed(Tag, name);
}

void TEditForm::showNotice(const QString &notice)
{
    // Said once, not again for every key that bounces off.
    if (StatusBar->currentMessage() != notice)
        StatusBar->showMessage(notice, kNoticeTimeoutMs);
}

// Life cycle ----------------------------------------------------------------------

void TEditForm::FormCreate()
{
    Editor->setTextLimit(kTextLimit);
    FOverwriteMode = false;
    setPanel(InsertPanel, tr("Insert"));
    // The frame has just set the hot key from the Options dialog.
    Translate2->setVisible(m_settings.translateEnabled);
    FFileName = m_host.newDocName();
    showFileFormat();
    m_formatting->FillFontList();
    Ruler->SetRulerScale();
    SelectionChange();
    // Every window hears of clipboard changes itself, other programs' too
    // (through the X selection's owner changes), for as long as it lives.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TEditForm::CheckPasteAvailable);
}

void TEditForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEditForm::FormShow()
{
    ShowCaretPosition();
    RichEditChange();
    CheckPasteAvailable();
    // The editor settings are taken once: the MDI area shows a window
    // again when another one is maximised, and a window keeps its colours.
    if (std::exchange(m_settingsApplied, true))
        return;
    // A plain document shows whole in the default attributes: the
    // configured font.
    Editor->setBackgroundColor(m_settings.backgroundColor);
    Editor->setDefAttributes(m_settings.font);
}

void TEditForm::takeSettings(const EditorSettings &settings)
{
    m_settings = settings;
}

void TEditForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TEditForm::FormResize()
{
    SetEditRect();
    runSelectionChange();
    const QWidget *window = parentWidget() ? parentWidget() : this;
    if (window->isMaximized())
        m_host.checkArrangement(EditHost::Arrangement::Entire);
    else if (window->isMinimized())
        m_host.checkArrangement(EditHost::Arrangement::Cascade);
}

void TEditForm::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    reportFailure(tr("Error in TEditForm.FormPaint"), [this] { SetEditRect(); });
}

void TEditForm::SetEditRect()
{
    reportFailure(tr("Error in TEditForm.SetEditRect"), [this] {
        const QRect client = Editor->clientRect();
        Editor->setFormattingRect(
            QRect(kGutter, 0, std::max(0, client.width() - 2 * kGutter), client.height()));
    });
}

void TEditForm::FormActivate()
{
    reportFailure(tr("Error in TEditForm.Synchronize"), [this] { Synchronize(); });
    reportFailure(tr("Error in TEditForm.FormActivate"), [this] {
        Editor->setFocus();
        m_host.setEditorComponentIndex(int(children().indexOf(Editor)));
    });
    reportFailure(tr("Error in TEditForm.FormActivate_menu"), [this] { rebuildRecentFiles(); });
}

void TEditForm::Synchronize()
{
    m_host.documentActivated(Tag);
}

void TEditForm::rebuildRecentFiles()
{
    const QList<QAction *> own = File1->actions();
    for (qsizetype i = own.size() - 1; i >= m_fixedFileItems; --i) {
        File1->removeAction(own[i]);
        delete own[i];
    }
    const QList<RecentFile> entries = m_host.recentFiles();
    if (!entries.isEmpty())
        File1->addSeparator();
    for (const RecentFile &entry : entries) {
        QAction *copy = File1->addAction(entry.caption);
        hints::setHint(copy, entry.path);
        connect(copy, &QAction::triggered, this,
                [this, copy] { reportUnhandled([this, copy] { m_host.OpenLastOpened(copy); }); });
    }
}

// Files ---------------------------------------------------------------------------

// The status bar says "Loading " while the editor reads the file; a long
// text then goes in while the window works on (WorkProgress), and
// finishOpen() follows.
bool TEditForm::Open(const QString &path)
{
    ToolBar->hide();
    const bool started = reportFailure(tr("Error in TEditForm.Open"), [&] {
        setCaption(path);
        if (filenames::hasExtension(path, "rtf"))
            Editor->setPlainTextMode(false);
        Editor->startLoading(path, m_readAs);
        m_fileWatch->watch(path);
    });
    if (!started)
        ToolBar->show();
    return started;
}

void TEditForm::finishOpen()
{
    const bool done = reportFailure(tr("Error in TEditForm.Open"), [&] {
        Editor->setTextLimit(textLimitFor(Editor->textLength()));
        Editor->setSelStart(0);
        Editor->setModified(false);
        Editor->setFocus();
        ShowModifiedState(false);
        // The caret may stand where it stood, in text of other attributes.
        SelectionChange();
    });
    ToolBar->show();
    if (done) {
        offerConversion();
        if (const QString loss = Editor->lossNotice(); !loss.isEmpty())
            prompts().information(loss);
    }
}

void TEditForm::offerConversion()
{
    encodingHint->dismiss();
    const QByteArray head = Editor->takeFileHead();
    // UTF-8 is read as UTF-8 already; a charset the user chose is not
    // second-guessed.
    if (!Editor->isPlainTextMode() || Editor->fileFormat().charset != Charset::Windows1251 ||
        m_readAs)
        return;
    const encodings::Detection found = encodings::detect(head);
    QAction *command = nullptr;
    switch (found.encoding) {
    case encodings::Encoding::Koi8R:
        command = Koi8Win12511;
        break;
    case encodings::Encoding::Ibm866:
        command = D866W1251;
        break;
    default:
        return;
    }
    encodingHint->offer(QString::fromLatin1(found.name), command);
}

void TEditForm::becomeUntitled()
{
    if (!isUntitled(FFileName))
        renameDocument(m_host.untitledName());
    m_fileWatch->watch(QString());
}

void TEditForm::Save1Click()
{
    if (isUntitled(FFileName)) {
        Saveas1Click();
        return;
    }
    saveTo(FFileName);
}

bool TEditForm::saveTo(const QString &path)
{
    const bool plain = !filenames::hasExtension(path, "rtf");
    if ((Editor->isLoading() && Editor->refuseChange()) || !mayOverwrite(path) ||
        !mayCutShort(path) || (plain && !mayLoseCharacters()))
        return false;
    // What the document could not keep of its file is dropped only when the
    // user says so.
    if (const QString loss = plain ? QString() : Editor->lossNotice();
        !loss.isEmpty() && !prompts().confirm(loss, {}, Prompts::Icon::Warning))
        return false;
    Editor->setPlainTextMode(plain);
    Editor->saveToFile(path);
    m_fileWatch->watch(path);
    Editor->setModified(false);
    ShowModifiedState(false);
    return true;
}

bool TEditForm::mayOverwrite(const QString &path)
{
    return path != m_fileWatch->path() || !m_fileWatch->changedOnDisk() ||
           prompts().yesNo(
               tr("%1 was changed by another program since it was opened. Overwrite it?").arg(path),
               {}, Prompts::Icon::Warning);
}

bool TEditForm::mayCutShort(const QString &path)
{
    return !Editor->isPartial() || path != m_fileWatch->path() ||
           prompts().yesNo(tr("Only the start of %1 was loaded. Saving it now cuts the file "
                              "short. Save anyway?")
                               .arg(path),
                           {}, Prompts::Icon::Warning);
}

bool TEditForm::mayLoseCharacters()
{
    const QString missing = Editor->firstUnsavable();
    return missing.isEmpty() ||
           prompts().yesNo(tr("%1 is not in %2 and will be saved as \"?\", as will every "
                              "character %2 lacks. Save anyway? (File > Save with Encoding > "
                              "UTF-8 keeps them.)")
                               .arg(missing, fileformat::name(Editor->fileFormat().charset)),
                           {}, Prompts::Icon::Warning);
}

// Whether the user lets a Save As to a plain-text name drop what only RTF
// holds, as word processors ask.
bool TEditForm::mayDropFormatting(const QString &path)
{
    return filenames::hasExtension(path, "rtf") || !Editor->hasFormatting() ||
           prompts().confirm(tr("Save %1 as plain text? Its formatting, pictures and tables "
                                "will be lost.")
                                 .arg(path),
                             {}, Prompts::Icon::Warning);
}

void TEditForm::Saveas1Click()
{
    Prompts::SaveFileRequest request;
    request.fileName = FFileName;
    request.filters = saveFilters();
    request.filterIndex = saveFilterIndex(FFileName);
    request.defaultExtension = QStringLiteral("txt");
    request.overwritePrompt = true;
    request.rejectReadOnly = true;
    request.directory = m_host.fileDialogFolder(this);
    if (const auto chosen = prompts().saveFile(request); chosen && mayDropFormatting(*chosen)) {
        m_host.fileChosen(*chosen);
        // The name was chosen just now: it is written even when it begins
        // with "Untitled", which would otherwise ask for a name again. The
        // document takes the name only once the file is written.
        if (saveTo(*chosen)) {
            renameDocument(*chosen);
            m_host.NewLastOpened(filenames::fileNamePart(*chosen), *chosen);
        }
    }
    reportFailure(tr("Error in TEditForm.SaveAs1Click_menu"), [this] { rebuildRecentFiles(); });
}

bool TEditForm::mayDiscardChanges()
{
    // Reloading has no undo: changes are dropped only when the user says so.
    return !Editor->isModified() ||
           prompts().confirm(
               tr("Discard the changes to %1 and reload it from disk?").arg(FFileName));
}

void TEditForm::Refresh1Click()
{
    if (mayDiscardChanges())
        Open(windowTitle());
}

void TEditForm::reopenWith(Charset charset)
{
    if (!mayDiscardChanges())
        return;
    m_readAs = charset;
    Open(FFileName);
}

void TEditForm::saveWithEncoding(Charset charset, bool byteOrderMark)
{
    FileFormat format = Editor->fileFormat();
    format.charset = charset;
    format.byteOrderMark = byteOrderMark;
    if (format != Editor->fileFormat()) {
        Editor->setFileFormat(format);
        ShowModifiedState(true);
    }
    Save1Click();
}

void TEditForm::setLineBreak(LineBreak lineBreak)
{
    FileFormat format = Editor->fileFormat();
    if (format.lineBreak == lineBreak)
        return;
    format.lineBreak = lineBreak;
    Editor->setFileFormat(format);
    ShowModifiedState(true);
}

int TEditForm::encodingChoice(Charset charset, bool byteOrderMark)
{
    return int(charset) * 2 + int(byteOrderMark);
}

void TEditForm::showFileFormat()
{
    const FileFormat format = Editor->fileFormat();
    const bool plain = Editor->isPlainTextMode();
    setPanel(EncodingPanel,
             plain ? fileformat::encodingName(format.charset, format.byteOrderMark) : tr("RTF"));
    setPanel(LineBreakPanel, plain ? fileformat::name(format.lineBreak) : QString());
    for (QAction *a : m_saveEncodings->actions())
        a->setChecked(a->data() == encodingChoice(format.charset, format.byteOrderMark));
    for (QAction *a : m_lineBreaks->actions())
        a->setChecked(a->data() == int(format.lineBreak));
    // An RTF file has neither.
    SaveEncoding1->setEnabled(plain);
    LineEndings1->setEnabled(plain);
    ReopenEncoding1->setEnabled(plain && !isUntitled(FFileName));
}

void TEditForm::fileChangedOutside()
{
    const QString question = tr("%1 was changed by another program. Reload it?").arg(FFileName);
    if (prompts().yesNo(Editor->isModified()
                            ? question + QLatin1Char('\n') + tr("Reloading discards your changes.")
                            : question,
                        {}, Prompts::Icon::Warning))
        Open(FFileName);
    else
        ShowModifiedState(true); // what is on the disk is no longer this
}

void TEditForm::fileRemovedOutside()
{
    prompts().information(tr("%1 was deleted or moved by another program.").arg(FFileName));
    ShowModifiedState(true); // so that closing asks to save it
}

void TEditForm::Print1Click()
{
    m_host.printing().print(*Editor, FFileName);
}

void TEditForm::PrintPreview1Click()
{
    m_host.printing().preview(*Editor, FFileName);
}

void TEditForm::Printersetup1Click()
{
    m_host.printing().pageSetup();
}

// Modified state --------------------------------------------------------------------

void TEditForm::ShowModifiedState(bool modified)
{
    setPanel(ModifiedPanel, modified ? tr("Modified") : QString());
    SaveButton->setIcon(
        toolbarimages::image(modified ? toolbarimages::SaveModified : toolbarimages::Save));
    if (modified)
        Editor->setModified(true);
    m_host.documentModified(Tag, modified);
}

void TEditForm::RichEditChange()
{
    ShowModifiedState(Editor->isModified());
    const bool canUndo = Editor->canUndo();
    UndoButton->setEnabled(canUndo);
    Undo1->setEnabled(canUndo);
    Redo1->setEnabled(Editor->canRedo());
}

// The caret and its surroundings ----------------------------------------------------------

void TEditForm::SelectionChange()
{
    const QScopedValueRollback updating(m_formatting->FUpdatingControls, true);
    Ruler->placeMarkers();
    m_formatting->showCaretAttributes();
    ShowCaretPosition();
    keepKeyboardLayout(m_settings.onlyOneKeyLayout);
}

void TEditForm::runSelectionChange()
{
    reportUnhandled([this] { SelectionChange(); });
}

void TEditForm::ShowCaretPosition()
{
    const int start = Editor->selStart();
    const int line = Editor->lineFromChar(start);
    const int column = start - Editor->lineIndex(line);
    setPanel(CaretPanel,
             QString::asprintf(qUtf8Printable(tr("Line: %3d   Col: %3d")), line + 1, column + 1));
    const bool selected = Editor->selLength() > 0;
    for (QAction *a : {Copy1, Cut1})
        a->setEnabled(selected);
}

void TEditForm::CheckPasteAvailable()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const QStringList formats = data ? data->formats() : QStringList();
    const bool canPaste = std::any_of(formats.begin(), formats.end(),
                                      [this](const QString &f) { return Editor->canPaste(f); });
    Paste1->setEnabled(canPaste);
}

// The layout the user types with is recorded first. Insert switches the
// editor between inserting and overwriting, when it comes alone as the
// editor takes it; panel 2 follows.
void TEditForm::EditorKeyDown(int virtualKey, Qt::KeyboardModifiers modifiers)
{
    recordKeyboardLayout();
    if (virtualKey != vk::Insert || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return;
    setPanel(InsertPanel, FOverwriteMode ? tr("Insert") : tr("Overwrite"));
    FOverwriteMode = !FOverwriteMode;
}

void TEditForm::EditorMouseDown()
{
    recordKeyboardLayout();
}

bool TEditForm::event(QEvent *event)
{
    // The long part of a control's hint shows in the window's status bar.
    if (event->type() == QEvent::StatusTip) {
        StatusBar->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

// Editing and whole-text commands -------------------------------------------------------

void TEditForm::Undo1Click()
{
    Editor->undo();
}

void TEditForm::Redo1Click()
{
    Editor->redo();
}

void TEditForm::GoToLine1Click()
{
    const int last = Editor->lineFromChar(Editor->textLength()) + 1;
    const int current = Editor->lineFromChar(Editor->selStart()) + 1;
    const auto line = prompts().number(
        {tr("Go to Line"), tr("Line number (1 to %1):").arg(last), current, 1, last});
    if (!line)
        return;
    Editor->setSelStart(Editor->lineIndex(std::clamp(*line, 1, last) - 1));
    Editor->scrollCaret();
    Editor->setFocus();
}

void TEditForm::Cut1Click()
{
    Editor->cut();
}

void TEditForm::Copy1Click()
{
    Editor->copy();
}

void TEditForm::Paste1Click()
{
    Editor->paste();
}

void TEditForm::Delete1Click()
{
    Editor->deleteSelection();
}

void TEditForm::Selectall1Click()
{
    Editor->selectAll();
}

void TEditForm::Find1Click()
{
    m_host.showFind(Editor);
}

void TEditForm::FindAgain1Click()
{
    m_host.findAgain();
}

// Paste needs text on the clipboard; Cut, Copy and Delete a selection.
void TEditForm::Edit1Click()
{
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    // A picture counts as text where the document takes pictures.
    const bool text = clip && (clip->hasText() ||
                               (clip->hasImage() && Editor->canPaste(QStringLiteral("image/png"))));
    Paste1->setEnabled(text);
    const bool selected = Editor->selLength() > 0;
    for (QAction *a : {Cut1, Copy1, Delete1})
        a->setEnabled(selected);
}

void TEditForm::convert(const std::array<unsigned char, 256> &table)
{
    if (Editor->refuseChange())
        return;
    applyToWholeText(*Editor, table);
    ShowModifiedState(true);
}

void TEditForm::D866W1251Click()
{
    convert(codepages::dos866To1251());
}

void TEditForm::W1251D866Click()
{
    convert(codepages::win1251ToDos());
}

void TEditForm::Koi8Win12511Click()
{
    convert(codepages::koi8To1251());
}

void TEditForm::Win1251Koi8Click()
{
    convert(codepages::win1251ToKoi8());
}

void TEditForm::Utf8Win1251Click()
{
    if (!Editor->refuseChange() && convertUtf8ToWin1251(*Editor))
        ShowModifiedState(true);
}

void TEditForm::Win1251Utf8Click()
{
    if (Editor->refuseChange())
        return;
    convertWin1251ToUtf8(*Editor);
    ShowModifiedState(true);
}

void TEditForm::mnuEngToLowerClick()
{
    convert(upperToLowerTable());
}

void TEditForm::InStart1Click()
{
    Editor->setSelStart(0);
}

// The selection stays as it is afterwards, the whole text when it was
// taken for want of a selection.
void TEditForm::Translate2Click()
{
    reportFailure(tr("Error in TEditForm.Translate2Click"), [this] {
        if (Editor->selText().isEmpty())
            Editor->selectAll();
        Editor->copy();
        SendKeys(ansi::encode(m_settings.translateHotKeys), true);
    });
}

void TEditForm::btnRusClick()
{
    SetRusKey();
}

void TEditForm::btnEngClick()
{
    SetEngKey();
}

// Only the first file of a drop opens.
void TEditForm::DragDrop2FileDrop()
{
    m_host.openDroppedFile(DragDrop2->fullPath().first());
}

// Closing -----------------------------------------------------------------------------

void TEditForm::Close1Click()
{
    if (auto *window = qobject_cast<QMdiSubWindow *>(parentWidget()))
        window->close();
    else
        close();
}

void TEditForm::FormCloseQuery(bool &canClose)
{
    // Work that runs inside a command finishes first; a load stops.
    if (Editor->work() != TRichEdit::Work::None && !Editor->isLoading()) {
        canClose = false;
        return;
    }
    if (!Editor->isModified())
        return;
    try {
        switch (prompts().yesNoCancel(tr("Save changes to %1?").arg(FFileName))) {
        case Prompts::Answer::Cancel:
            canClose = false;
            break;
        case Prompts::Answer::Yes:
            Save1Click();
            // A Save As dialog cancelled leaves the changes unsaved: they
            // are not thrown away with the window.
            canClose = !Editor->isModified();
            break;
        default:
            break;
        }
    } catch (...) {
        // The save failed: the document stays open for another try.
        reportCurrentFailure(tr("Error in TEditForm.FormCloseQuery"));
        canClose = false;
    }
}

void TEditForm::FormClose(CloseAction &action)
{
    reportFailure(tr("Error in TEditForm.FormCloseMy"), [&] {
        // The window's own tab: the same as the active one when the window
        // closes through its menu, and the right one however it closes.
        m_host.documentClosed(Tag);
        action = CloseAction::Free;
    });
}

void TEditForm::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    // An MDI child that says nothing else is minimised rather than closed.
    CloseAction action = CloseAction::Minimize;
    FormClose(action);
    if (action != CloseAction::Free) {
        event->ignore();
        if (action == CloseAction::Minimize && parentWidget())
            parentWidget()->showMinimized();
        return;
    }
    event->accept();
}
