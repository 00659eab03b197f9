#include "editor/MDIEdit.h"

#include "controls/ActionTable.h"
#include "controls/DragDrop.h"
#include "controls/Hints.h"
#include "controls/PageControl.h"
#include "controls/ToolbarImages.h"
#include "editor/EditHost.h"
#include "editor/EncodingHint.h"
#include "editor/Formatting.h"
#include "editor/Ruler.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileIO.h"
#include "platform/system/FileNames.h"
#include "platform/system/Prompts.h"
#include "platform/text/AnsiCodec.h"
#include "platform/text/EncodingDetector.h"
#include "platform/text/VirtualKeys.h"
#include "search/FindReplace.h"
#include "search/SearchableEdit.h"
#include "search/uniFind.h"
#include "transform/CaseConversion.h"
#include "transform/CodePages.h"
#include "transform/KeyboardLayout.h"
#include "transform/Utf8Conversion.h"
#include "transform/sndkey32.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kTextLimit = 0xFFFFFF;
// How long a notice stays in the status bar over the panels.
constexpr int kNoticeTimeoutMs = 5000;
// Room the text keeps from the left and right edges of the control.
constexpr int kGutter = 6;
constexpr int kMenuGroupFile = 0;
constexpr int kMenuGroupEdit = 2;

// The printer that print jobs go to, as the printer set-up left it.
QPrinter &sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

QList<Prompts::FileFilter> saveFilters()
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("TEditForm", text); };
    return {
        {tr("Plain text files (*.txt)"), QStringLiteral("*.txt")},
        {tr("Rich text files (*.rtf)"), QStringLiteral("*.rtf")},
        {tr("HTML files"), QStringLiteral("*.htm;*.html")},
        {tr("All files"), QStringLiteral("*.*")},
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

TEditForm::TEditForm(TEditHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    resize(567, 308);
    createControls();
    FormCreate();
}

// Layout ------------------------------------------------------------------------

void TEditForm::createControls()
{
    Editor = new TRichEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(15);
    Editor->setFont(font);
    Editor->setHideSelection(false);
    Editor->setScrollBars(TRichEdit::ScrollBars::Vertical);
    Editor->setWordWrap(true);
    Editor->setPlainTextMode(true);
    connect(Editor, &TRichEdit::textChanged, this, &TEditForm::RichEditChange);
    connect(Editor, &TRichEdit::selectionChange, this, &TEditForm::runSelectionChange);
    connect(Editor, &TRichEdit::keyDown, this, &TEditForm::EditorKeyDown);
    connect(Editor, &TRichEdit::mouseDown, this, &TEditForm::EditorMouseDown);
    connect(Editor, &TRichEdit::textLimitReached, this, &TEditForm::showTextLimitReached);

    createFileMenu();
    createEditMenu();
    createCharacterMenu();
    createConvertMenu();
    createPopupMenu();
    createToolBar();

    Ruler = new TRuler(Editor, this);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    connect(Ruler, &TRuler::markerDropped, this, &TEditForm::runSelectionChange);

    createStatusBar();
    EncodingHint = new TEncodingHint(StatusBar, this);
    connect(Editor, &TRichEdit::textChanged, this, [this] {
        if (Editor->isModified())
            EncodingHint->dismiss();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Ruler);
    layout->addWidget(EncodingHint);
    layout->addWidget(Editor, 1);
    layout->addWidget(StatusBar);

    // Text dragged within or between editors stays the editor's: only
    // files reach the window.
    DragDrop2 = new TDragDrop(this);
    DragDrop2->setObjectName(QStringLiteral("DragDrop2"));
    DragDrop2->setEnabled(true);
    connect(DragDrop2, &TDragDrop::fileDrop, this, &TEditForm::DragDrop2FileDrop);
}

void TEditForm::createFileMenu()
{
    File1 = new QMenu(tr("&File"), this);
    File1->setObjectName(QStringLiteral("File1"));
    // clang-format off
    actions::addTo(File1, {
        {.slot = &New1, .name = "New1", .caption = tr("&New"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_N),
         .handler = [this] { m_host.New1Click(); }},
        {.slot = &Open1, .name = "Open1", .caption = tr("&Open..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_O),
         .handler = [this] { m_host.Open1Click(); }},
        {.slot = &Refresh1, .name = "Refresh1", .caption = tr("&Refresh"),
         .shortcut = Qt::Key_F5, .handler = [this] { Refresh1Click(); }},
        {.name = "N1", .caption = QStringLiteral("-")},
        {.slot = &Close1, .name = "Close1", .caption = tr("&Close"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_W), .handler = [this] { Close1Click(); }},
        {.slot = &CloseAll1, .name = "CloseAll1", .caption = tr("Cl&ose All"),
         .handler = [this] { m_host.CloseAll(); }},
        {.name = "N6", .caption = QStringLiteral("-")},
        {.slot = &Save1, .name = "Save1", .caption = tr("&Save"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S), .handler = [this] { Save1Click(); }},
        {.slot = &Saveas1, .name = "Saveas1", .caption = tr("Save &as..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         .handler = [this] { Saveas1Click(); }},
        {.name = "N7", .caption = QStringLiteral("-")},
        {.slot = &Print1, .name = "Print1", .caption = tr("&Print"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_P), .handler = [this] { Print1Click(); }},
        {.slot = &Printersetup1, .name = "Printersetup1",
         .caption = tr("Printer setup..."),
         .handler = [this] { Printersetup1Click(); }},
        {.name = "N2", .caption = QStringLiteral("-")},
        {.slot = &Exit1, .name = "Exit1", .caption = tr("E&xit"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Q),
         .handler = [this] { m_host.Exit1Click(); }},
    });
    // clang-format on
    m_fixedFileItems = int(File1->actions().size());
}

void TEditForm::createEditMenu()
{
    Edit1 = new QMenu(tr("&Edit"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // clang-format off
    actions::addTo(Edit1, {
        {.slot = &Undo1, .name = "Undo1", .caption = tr("&Undo"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Z), .handler = [this] { Undo1Click(); }},
        {.slot = &Cut1, .name = "Cut1", .caption = tr("Cu&t"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_X), .handler = [this] { Cut1Click(); }},
        {.slot = &Copy1, .name = "Copy1", .caption = tr("&Copy"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_C), .handler = [this] { Copy1Click(); }},
        {.slot = &Paste1, .name = "Paste1", .caption = tr("&Paste"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_V), .handler = [this] { Paste1Click(); }},
        {.slot = &Delete1, .name = "Delete1", .caption = tr("De&lete"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_D), .handler = [this] { Delete1Click(); }},
        {.name = "N3", .caption = QStringLiteral("-")},
        {.slot = &Selectall1, .name = "Selectall1", .caption = tr("Select &all"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_A),
         .handler = [this] { Selectall1Click(); }},
        {.name = "N8", .caption = QStringLiteral("-")},
        {.slot = &Find1, .name = "Find1", .caption = tr("&Find and Replace..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_F), .handler = [this] { Find1Click(); }},
        {.slot = &FindAgain1, .name = "FindAgain1", .caption = tr("Find Again"),
         .shortcut = Qt::Key_F3, .handler = [this] { FindAgain1Click(); }},
    });
    // clang-format on
    connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
}

void TEditForm::createCharacterMenu()
{
    m_formatting = new TFormatting(Editor, this);
    Character1 = m_formatting->Character1;
    Left1 = m_formatting->Left1;
    Center1 = m_formatting->Center1;
    Right1 = m_formatting->Right1;
    Wordwrap1 = m_formatting->Wordwrap1;
    Font1 = m_formatting->Font1;
}

void TEditForm::createConvertMenu()
{
    Convert1 = new QMenu(tr("&Convert"), this);
    Convert1->setObjectName(QStringLiteral("Convert1"));
    // clang-format off
    actions::addTo(Convert1, {
        {.slot = &D866W1251, .name = "D866W1251", .caption = tr("Dos866->Win1251"),
         .handler = [this] { D866W1251Click(); }},
        {.slot = &W1251D866, .name = "W1251D866", .caption = tr("Win1251->Dos866"),
         .handler = [this] { W1251D866Click(); }},
        {.name = "N9", .caption = QStringLiteral("-")},
        {.slot = &Koi8Win12511, .name = "Koi8Win12511", .caption = tr("Koi8->Win1251"),
         .handler = [this] { Koi8Win12511Click(); }},
        {.slot = &Win1251Koi8, .name = "Win1251Koi8", .caption = tr("Win1251->Koi8"),
         .handler = [this] { Win1251Koi8Click(); }},
        {.name = "N10", .caption = QStringLiteral("-")},
        {.slot = &Utf8Win1251, .name = "Utf8Win1251", .caption = tr("UTF-8->Win1251"),
         .handler = [this] { Utf8Win1251Click(); }},
        {.slot = &Win1251Utf8, .name = "Win1251Utf8", .caption = tr("Win1251->UTF-8"),
         .handler = [this] { Win1251Utf8Click(); }},
    });
    // clang-format on
    // A command of its own on the menu bar, not a menu.
    mnuEngToLower = actions::make(this, {.name = "mnuEngToLower",
                                         .caption = tr("EngToLower"),
                                         .handler = [this] { mnuEngToLowerClick(); }});
}

void TEditForm::createPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // clang-format off
    actions::addTo(PopupMenu1, {
        {.slot = &Cut2, .name = "Cut2", .caption = tr("Cu&t"),
         .handler = [this] { Cut1Click(); }},
        {.slot = &Copy2, .name = "Copy2", .caption = tr("&Copy"),
         .handler = [this] { Copy1Click(); }},
        {.slot = &Paste2, .name = "Paste2", .caption = tr("&Paste"),
         .handler = [this] { Paste1Click(); }},
        {.slot = &Translate2, .name = "Translate2", .caption = tr("Translate"),
         .handler = [this] { Translate2Click(); }},
        {.slot = &InStart1, .name = "InStart1", .caption = tr("InStart"),
         .handler = [this] { InStart1Click(); }},
    });
    // clang-format on
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
    Editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(Editor->viewport()->mapToGlobal(pos)); });
}

void TEditForm::createToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setFixedHeight(41);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(20, 20));
    // clang-format off
    actions::addTo(ToolBar, {
        {.slot = &NewlButton, .name = "NewlButton", .hint = tr("New|New file"),
         .glyph = toolbarimages::New, .handler = [this] { New1->trigger(); }},
        {.slot = &OpenButton, .name = "OpenButton",
         .hint = tr("Open|Open an existing file"), .glyph = toolbarimages::Open,
         .handler = [this] { Open1->trigger(); }},
        {.slot = &SaveButton, .name = "SaveButton",
         .hint = tr("Save|Save current file"), .glyph = toolbarimages::Save,
         .handler = [this] { Save1->trigger(); }},
        {.slot = &PrintButton, .name = "PrintButton",
         .hint = tr("Print|Print current file"), .glyph = toolbarimages::Print,
         .handler = [this] { Print1->trigger(); }},
        {.name = "ToolButton5", .caption = QStringLiteral("-")},
        {.slot = &UndoButton, .name = "UndoButton",
         .hint = tr("Undo|Undo the last action"), .glyph = toolbarimages::Undo,
         .handler = [this] { Undo1Click(); }, .enabled = false},
        {.slot = &CutButton, .name = "CutButton",
         .hint = tr("Cut|Delete selected item"), .glyph = toolbarimages::Cut,
         .handler = [this] { Cut1Click(); }},
        {.slot = &CopyButton, .name = "CopyButton",
         .hint = tr("Copy|Copy selected item to clipboard"), .glyph = toolbarimages::Copy,
         .handler = [this] { Copy1Click(); }},
        {.slot = &PasteButton, .name = "PasteButton",
         .hint = tr("Paste|Paste contents of clipboard"), .glyph = toolbarimages::Paste,
         .handler = [this] { Paste1Click(); }},
    });
    m_formatting->addTo(ToolBar);
    actions::addTo(ToolBar, {
        {.slot = &btnRus, .name = "btnRus", .caption = tr("Rus"),
         .handler = [this] { btnRusClick(); }, .enabled = false, .visible = false},
        {.slot = &btnEng, .name = "btnEng", .caption = tr("Eng"),
         .handler = [this] { btnEngClick(); }, .enabled = false, .visible = false},
    });
    // clang-format on
    FontName = m_formatting->FontName;
    FontSize = m_formatting->FontSize;
    UpDown1 = m_formatting->UpDown1;
    BoldButton = m_formatting->BoldButton;
    ItalicButton = m_formatting->ItalicButton;
    UnderlineButton = m_formatting->UnderlineButton;
    LeftAlign = m_formatting->LeftAlign;
    CenterAlign = m_formatting->CenterAlign;
    RightAlign = m_formatting->RightAlign;
    BulletsButton = m_formatting->BulletsButton;
}

void TEditForm::createStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    for (const int width : {120, 60, 50, 50}) {
        auto *panel = new QLabel(StatusBar);
        panel->setFixedWidth(width);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar->addWidget(panel);
        m_panels.append(panel);
    }
}

QList<QPair<QAction *, int>> TEditForm::mergedMenus() const
{
    return {{File1->menuAction(), kMenuGroupFile},
            {Edit1->menuAction(), kMenuGroupEdit},
            {Character1->menuAction(), kMenuGroupEdit},
            {Convert1->menuAction(), kMenuGroupEdit},
            {mnuEngToLower, kMenuGroupEdit}};
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
}

void TEditForm::renameDocument(const QString &name)
{
    setCaption(name);
    TPageControl &tabs = m_host.pageControl();
    const int tab = tabs.indexOfTag(Tag);
    if (tab >= 0)
        tabs.setTabText(tab, filenames::fileNamePart(name));
}

void TEditForm::showTextLimitReached()
{
    // Said once, not again for every key that bounces off the limit.
    const QString notice = tr("Document is at its size limit");
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
    Translate2->setVisible(m_host.editorSettings().translateEnabled);
    FFileName = m_host.newDocName();
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
    const EditorSettings settings = m_host.editorSettings();
    Editor->setBackgroundColor(settings.backgroundColor);
    Editor->setDefAttributes(settings.font);
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
        m_host.checkArrangement(TEditHost::Arrangement::Entire);
    else if (window->isMinimized())
        m_host.checkArrangement(TEditHost::Arrangement::Cascade);
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
    const TEditForm *active = m_host.activeEditWindow();
    if (!active)
        return;
    TPageControl &tabs = m_host.pageControl();
    const int index = tabs.indexOfTag(active->Tag, m_host.editWindowCount());
    if (index >= 0)
        tabs.setActivePage(index);
}

void TEditForm::rebuildRecentFiles()
{
    const QList<QAction *> own = File1->actions();
    for (qsizetype i = own.size() - 1; i >= m_fixedFileItems; --i) {
        File1->removeAction(own[i]);
        delete own[i];
    }
    for (QAction *entry : m_host.recentFileTail()) {
        if (entry->isSeparator()) {
            File1->addSeparator();
            continue;
        }
        QAction *copy = File1->addAction(entry->text());
        hints::setHint(copy, hints::hintOf(entry));
        connect(copy, &QAction::triggered, this,
                [this, copy] { reportUnhandled([this, copy] { m_host.OpenLastOpened(copy); }); });
    }
}

// Files ---------------------------------------------------------------------------

bool TEditForm::Open(const QString &path)
{
    setPanel(LoadingPanel, tr("Loading "));
    ToolBar->hide();
    const bool loaded = reportFailure(tr("Error in TEditForm.Open"), [&] {
        setCaption(path);
        if (filenames::hasExtension(path, "rtf"))
            Editor->setPlainTextMode(false);
        Editor->loadFromFile(path);
        Editor->setTextLimit(textLimitFor(Editor->textLength()));
        Editor->setSelStart(0);
        Editor->setModified(false);
        Editor->setFocus();
        ShowModifiedState(false);
        // The caret may stand where it stood, in text of other attributes.
        SelectionChange();
    });
    ToolBar->show();
    setPanel(LoadingPanel, QString());
    if (loaded)
        offerConversion(path);
    return loaded;
}

void TEditForm::offerConversion(const QString &path)
{
    EncodingHint->dismiss();
    if (!Editor->isPlainTextMode())
        return;
    QByteArray head;
    try {
        head = fileio::read(path, encodings::kSampleSize);
    } catch (const FileError &) {
        return; // the file was read a moment ago; without a hint it reads as it is
    }
    const encodings::Detection found = encodings::detect(head);
    QAction *command = nullptr;
    switch (found.encoding) {
    case encodings::Encoding::Utf8:
        command = Utf8Win1251;
        break;
    case encodings::Encoding::Koi8R:
        command = Koi8Win12511;
        break;
    case encodings::Encoding::Ibm866:
        command = D866W1251;
        break;
    default:
        return;
    }
    EncodingHint->offer(QString::fromLatin1(found.name), command);
}

void TEditForm::becomeUntitled()
{
    if (!isUntitled(FFileName))
        renameDocument(m_host.untitledName());
}

void TEditForm::Save1Click()
{
    if (isUntitled(FFileName)) {
        Saveas1Click();
        return;
    }
    saveTo(FFileName);
}

void TEditForm::saveTo(const QString &path)
{
    Editor->setPlainTextMode(!filenames::hasExtension(path, "rtf"));
    Editor->saveToFile(path);
    Editor->setModified(false);
    ShowModifiedState(false);
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
    if (const auto chosen = prompts().saveFile(request)) {
        m_host.fileChosen(*chosen);
        // The name was chosen just now: it is written even when it begins
        // with "Untitled", which would otherwise ask for a name again. The
        // document takes the name only once the file is written.
        saveTo(*chosen);
        renameDocument(*chosen);
        m_host.NewLastOpened(filenames::fileNamePart(*chosen), *chosen);
    }
    reportFailure(tr("Error in TEditForm.SaveAs1Click_menu"), [this] { rebuildRecentFiles(); });
}

void TEditForm::Refresh1Click()
{
    // Reloading has no undo: changes are dropped only when the user says so.
    if (Editor->isModified() &&
        !prompts().confirm(tr("Discard the changes to %1 and reload it from disk?").arg(FFileName)))
        return;
    Open(windowTitle());
}

void TEditForm::Print1Click()
{
    QPrinter &printer = sharedPrinter();
    if (!prompts().print(printer))
        return;
    printer.setDocName(FFileName);
    // Pages are laid out inside the page's margins, which never reach into
    // the part of the paper a printer cannot print on: on the full page the
    // text would start where printers cut it off.
    printer.setFullPage(false);
    Editor->print(&printer);
}

void TEditForm::Printersetup1Click()
{
    prompts().printerSetup(sharedPrinter());
}

// Modified state --------------------------------------------------------------------

void TEditForm::ShowModifiedState(bool modified)
{
    setPanel(ModifiedPanel, modified ? tr("Modified") : QString());
    SaveButton->setIcon(
        toolbarimages::image(modified ? toolbarimages::SaveModified : toolbarimages::Save));
    if (modified)
        Editor->setModified(true);
}

void TEditForm::RichEditChange()
{
    ShowModifiedState(Editor->isModified());
    const bool canUndo = Editor->canUndo();
    UndoButton->setEnabled(canUndo);
    Undo1->setEnabled(canUndo);
}

// The caret and its surroundings ----------------------------------------------------------

void TEditForm::SelectionChange()
{
    const QScopedValueRollback updating(m_formatting->FUpdatingControls, true);
    Ruler->placeMarkers();
    m_formatting->showCaretAttributes();
    ShowCaretPosition();
    keepKeyboardLayout(m_host.editorSettings().onlyOneKeyLayout);
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
    for (QAction *a : {CopyButton, Copy1, CutButton, Cut1})
        a->setEnabled(selected);
}

void TEditForm::CheckPasteAvailable()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const QStringList formats = data ? data->formats() : QStringList();
    const bool canPaste = std::any_of(formats.begin(), formats.end(),
                                      [this](const QString &f) { return Editor->canPaste(f); });
    PasteButton->setEnabled(canPaste);
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
    TfrmFind &find = m_host.findDialog();
    find.FindReplace->setEditControl(RichEditSearchable::of(Editor));
    find.showDialog();
}

void TEditForm::FindAgain1Click()
{
    TfrmFind &find = m_host.findDialog();
    if (!find.cbFind->currentText().isEmpty())
        find.btnFindNext->click();
}

// Paste needs text on the clipboard; Cut, Copy and Delete a selection.
void TEditForm::Edit1Click()
{
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    const bool text = clip && clip->hasText();
    for (QAction *a : {Paste1, Paste2})
        a->setEnabled(text);
    const bool selected = Editor->selLength() > 0;
    for (QAction *a : {Cut1, Cut2, Copy1, Copy2, Delete1})
        a->setEnabled(selected);
}

void TEditForm::convert(const std::array<unsigned char, 256> &table)
{
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
    if (convertUtf8ToWin1251(*Editor))
        ShowModifiedState(true);
}

void TEditForm::Win1251Utf8Click()
{
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
        SendKeys(ansi::encode(m_host.editorSettings().translateHotKeys), true);
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

// Only the first file of a drop opens; the frame's lists keep what was put
// in front of them until a drop on the frame itself refills them.
void TEditForm::DragDrop2FileDrop()
{
    TDragDrop &frameTarget = m_host.frameDropTarget();
    frameTarget.insertFirst(DragDrop2->fullPath().first(), DragDrop2->filenames().first());
    m_host.DragDrop1FileDrop();
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
        TPageControl &tabs = m_host.pageControl();
        const int tab = tabs.indexOfTag(Tag);
        if (tab >= 0) {
            tabs.removePage(tab);
            m_host.pageFreed();
        }
        action = CloseAction::Free;
        if (m_host.editWindowCount() == 1)
            m_host.showCalendarView();
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
