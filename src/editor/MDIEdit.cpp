#include "editor/MDIEdit.h"

#include "controls/ActionTable.h"
#include "controls/Hints.h"
#include "controls/PageControl.h"
#include "controls/ToolbarImages.h"
#include "editor/EditHost.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileNames.h"
#include "platform/system/Prompts.h"
#include "transform/CaseConversion.h"
#include "transform/CodePages.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
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
    createFileMenu();
    createConvertMenu();
    createToolBar();

    Ruler = new QFrame(this);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    Ruler->setFixedHeight(29);
    Ruler->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Ruler->setLineWidth(1);

    Editor = new TRichEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(15);
    Editor->setFont(font);
    Editor->setHideSelection(false);
    Editor->setScrollBars(TRichEdit::ScrollBars::Vertical);
    Editor->setWordWrap(true);
    Editor->setPlainTextMode(true);
    connect(Editor, &QTextEdit::textChanged, this, &TEditForm::RichEditChange);
    connect(Editor, &TRichEdit::textLimitReached, this, &TEditForm::showTextLimitReached);
    createPopupMenu();

    createStatusBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Ruler);
    layout->addWidget(Editor, 1);
    layout->addWidget(StatusBar);
}

void TEditForm::createFileMenu()
{
    File1 = new QMenu(tr("&File"), this);
    File1->setObjectName(QStringLiteral("File1"));
    // clang-format off
    actions::addTo(File1, {
        {.slot = &New1, .name = "New1", .caption = tr("&New"),
         .handler = [this] { m_host.New1Click(); }},
        {.slot = &Open1, .name = "Open1", .caption = tr("&Open..."),
         .handler = [this] { m_host.Open1Click(); }},
        {.slot = &Refresh1, .name = "Refresh1", .caption = tr("&Refresh"),
         .shortcut = Qt::Key_F5, .handler = [this] { Refresh1Click(); }},
        {.name = "N1", .caption = QStringLiteral("-")},
        {.slot = &Close1, .name = "Close1", .caption = tr("&Close"),
         .handler = [this] { Close1Click(); }},
        {.slot = &CloseAll1, .name = "CloseAll1", .caption = tr("Cl&ose All"),
         .handler = [this] { m_host.CloseAll(); }},
        {.name = "N6", .caption = QStringLiteral("-")},
        {.slot = &Save1, .name = "Save1", .caption = tr("&Save"),
         .handler = [this] { Save1Click(); }},
        {.slot = &Saveas1, .name = "Saveas1", .caption = tr("Save &as..."),
         .handler = [this] { Saveas1Click(); }},
        {.name = "N7", .caption = QStringLiteral("-")},
        {.slot = &Print1, .name = "Print1", .caption = tr("&Print"),
         .handler = [this] { Print1Click(); }},
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
    });
    // clang-format on
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
    setPanel(InsertPanel, tr("Insert"));
    FFileName = m_host.newDocName();
}

void TEditForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEditForm::FormShow()
{
    RichEditChange();
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
    });
    ToolBar->show();
    setPanel(LoadingPanel, QString());
    return loaded;
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
    if (const auto chosen = prompts().saveFile(request)) {
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
}

// Editing and whole-text commands -------------------------------------------------------

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

// Paste needs text on the clipboard, Cut and Copy a selection.
void TEditForm::Edit1Click()
{
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    Paste2->setEnabled(clip && clip->hasText());
    const bool selected = Editor->selLength() > 0;
    Cut2->setEnabled(selected);
    Copy2->setEnabled(selected);
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

void TEditForm::mnuEngToLowerClick()
{
    convert(upperToLowerTable());
}

void TEditForm::InStart1Click()
{
    Editor->setSelStart(0);
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
