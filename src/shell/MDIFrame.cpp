#include "shell/MDIFrame.h"

#include "controls/Hints.h"
#include "controls/PageControl.h"
#include "controls/ToolbarImages.h"
#include "editor/MDIEdit.h"
#include "platform/text/AnsiCodec.h"
#include "platform/system/FileIO.h"
#include "platform/system/FileNames.h"
#include "platform/system/FileSearch.h"
#include "platform/system/Prompts.h"
#include "shell/JustOne.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kFileMenuGroup = 0;
constexpr int kFrameMenuGroup = 9;
// The File menu's fixed items: New, Open, a separator and Exit; the
// recent-files separator and entries follow.
constexpr int kRecentSeparatorIndex = 4;
constexpr int kFirstRecentIndex = 5;

const QList<Prompts::FileFilter> kOpenFilters{
    {QStringLiteral("Plain text files (*.txt)"), QStringLiteral("*.txt")},
    {QStringLiteral("Rich text files (*.rtf)"), QStringLiteral("*.rtf")},
    {QStringLiteral("Pascal files (*.pas;*.dpr)"), QStringLiteral("*.pas;*.dpr")},
    {QStringLiteral("C/C++ files (*.cpp;*.c;*.hpp;*.h)"), QStringLiteral("*.cpp;*.c;*.hpp;*.h")},
    {QStringLiteral("Assembler files (*.asm)"), QStringLiteral("*.asm")},
    {QStringLiteral("Java files (*.java)"), QStringLiteral("*.java")},
    {QStringLiteral("Batch files (*.bat)"), QStringLiteral("*.bat")},
    {QStringLiteral("HTML files"), QStringLiteral("*.htm;*.html")},
    {QStringLiteral("All files"), QStringLiteral("*.*")},
};

const QString kAlreadyOpen = QStringLiteral("File already open,continue?");

// The hand-off file holds one line.
bool fitsHandOffFile(const QString &path)
{
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

TEditForm *formOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<TEditForm *>(window->widget()) : nullptr;
}

} // namespace

TFrameForm::TFrameForm(const StartOptions &options, QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Scrivlet"));
    setGeometry(208, 111, 686, 334);
    createControls();
    createLangParserDefault();
    rebuildMenuBar();
    showCalendarView();
    FormCreate(options);
}

void TFrameForm::FormCreate(const StartOptions &options)
{
    setDefaultSettings();
    ExitRequested = false;
    loadSettings(true);
    OpenPageCount = 0;
    PageTagCounter = 0;
    // The running copy may work in another folder: the path goes over whole.
    const QString first = options.arguments.value(1);
    const QString file = !first.isEmpty() && QFileInfo(first).isFile()
                             ? QFileInfo(first).absoluteFilePath()
                             : QString();
    // Another copy that runs gets the file over the channel: two copies
    // started at once never share the one hand-off file.
    if (options.singleInstance) {
        m_justOne = new TJustOne(this, file);
        m_onlyCopy = m_justOne->isOnlyCopy();
    }
    if (m_onlyCopy && !file.isEmpty())
        takeCommandLineFile(file);
}

// The command line's file takes the road of a handed-over one: the hand-off
// file, opened at the first paint. A name that one line cannot hold, or one
// the hand-off file could not take, waits for that paint here instead.
void TFrameForm::takeCommandLineFile(const QString &path)
{
    if (!fitsHandOffFile(path) || !SaveTempOpenFile(path))
        m_handedOver << path;
}

TFrameForm::~TFrameForm()
{
    // The edit windows go first: they still talk to the frame on their way.
    const auto windows = MDIArea->subWindowList();
    for (QMdiSubWindow *window : windows)
        delete window;
}

// Layout --------------------------------------------------------------------------

void TFrameForm::createControls()
{
    createMenus();
    createToolBar();

    auto *central = new QWidget(this);
    PageControl1 = new TPageControl(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedHeight(31);
    connect(PageControl1, &QTabBar::currentChanged, this, [this] { PageControl1Change(); });
    connect(PageControl1, &TPageControl::mouseUp, this, [this] { PageControl1MouseUp(); });

    MDIArea = new QMdiArea(central);
    MDIArea->setObjectName(QStringLiteral("MDIArea"));
    MDIArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(MDIArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (TEditForm *form = formOf(window))
            form->FormActivate();
        rebuildMenuBar();
    });

    // The calendar panel lies over the documents while it is shown.
    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);

    auto *area = new QGridLayout;
    area->addWidget(MDIArea, 0, 0);
    area->addWidget(Panel1, 0, 0);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PageControl1);
    layout->addLayout(area, 1);
    setCentralWidget(central);
}

void TFrameForm::createMenus()
{
    File1 = new QMenu(QStringLiteral("&File"), this);
    File1->setObjectName(QStringLiteral("File1"));
    New1 = File1->addAction(QStringLiteral("&New"), this, [this] { New1Click(); });
    New1->setObjectName(QStringLiteral("New1"));
    Open1 = File1->addAction(QStringLiteral("&Open..."), this,
                             [this] { reportUnhandled([this] { Open1Click(); }); });
    Open1->setObjectName(QStringLiteral("Open1"));
    File1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Exit1 = File1->addAction(QStringLiteral("E&xit"), this, [this] { Exit1Click(); });
    Exit1->setObjectName(QStringLiteral("Exit1"));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    Favourites1 = new QMenu(QStringLiteral("Fa&vourites"), this);
    Favourites1->setObjectName(QStringLiteral("Favourites1"));
    TrayFavourites = new QMenu(QStringLiteral("Favourites..."), this);
    TrayFavourites->setObjectName(QStringLiteral("TrayFavourites"));

    Window1 = new QMenu(QStringLiteral("&Window"), this);
    Window1->setObjectName(QStringLiteral("Window1"));
    auto *arrangement = new QActionGroup(this);
    Tile1 = Window1->addAction(QStringLiteral("&Tile"), this, [this] { Tile1Click(); });
    Cascade1 = Window1->addAction(QStringLiteral("&Cascade"), this, [this] { Cascade1Click(); });
    Entire1 = Window1->addAction(QStringLiteral("&Entire"), this, [this] { Entire1Click(); });
    for (QAction *a : {Tile1, Cascade1, Entire1}) {
        a->setCheckable(true);
        arrangement->addAction(a);
    }
    Tile1->setObjectName(QStringLiteral("Tile1"));
    Cascade1->setObjectName(QStringLiteral("Cascade1"));
    Entire1->setObjectName(QStringLiteral("Entire1"));
    Entire1->setChecked(true);
    Window1->addSeparator()->setObjectName(QStringLiteral("N3"));
    mnuCalendar2 = Window1->addAction(QStringLiteral("Calendar"));
    mnuCalendar2->setObjectName(QStringLiteral("mnuCalendar2"));
    mnuCalendar2->setCheckable(true);
    mnuCalendar2->setChecked(true);
    connect(mnuCalendar2, &QAction::triggered, this,
            [this](bool checked) { Panel1->setVisible(checked); });
    connect(Window1, &QMenu::aboutToShow, this, [this] { fillWindowList(); });
}

void TFrameForm::createToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    const auto button = [this](const char *name, const QString &hint, int image, QAction *command) {
        QAction *a = ToolBar->addAction(toolbarimages::image(image), QString());
        a->setObjectName(QLatin1String(name));
        hints::setHint(a, hint);
        connect(a, &QAction::triggered, command, &QAction::trigger);
        return a;
    };
    NewlButton = button("NewlButton", QStringLiteral("New|New file"), toolbarimages::New, New1);
    OpenButton = button("OpenButton", QStringLiteral("Open|Open an existing file"),
                        toolbarimages::Open, Open1);
    // The separator stretches so that Exit sits at the right end.
    auto *stretch = new QWidget(ToolBar);
    stretch->setObjectName(QStringLiteral("ToolButton2"));
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(stretch);
    ExitButton = button("ExitButton", QStringLiteral("Exit"), toolbarimages::Exit, Exit1);
}

// While an edit window is active its menus join the bar: a menu of the
// same merge group takes the frame's place, lower groups come first.
void TFrameForm::rebuildMenuBar()
{
    QList<QPair<QAction *, int>> items{{File1->menuAction(), kFileMenuGroup},
                                       {Favourites1->menuAction(), kFrameMenuGroup},
                                       {Window1->menuAction(), kFrameMenuGroup}};
    if (const TEditForm *active = activeEditWindow()) {
        const auto own = active->mergedMenus();
        QList<int> replaced;
        for (const auto &[item, group] : own)
            replaced.append(group);
        items.removeIf([&](const auto &i) { return replaced.contains(i.second); });
        items.append(own);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto &a, const auto &b) { return a.second < b.second; });
    menuBar()->clear();
    for (const auto &i : std::as_const(items))
        menuBar()->addAction(i.first);
}

// The Window menu lists the open edit windows under its own items.
void TFrameForm::fillWindowList()
{
    qDeleteAll(m_windowListItems);
    m_windowListItems.clear();
    const auto windows = MDIArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowListItems.append(Window1->addSeparator());
    int n = 0;
    for (QMdiSubWindow *window : windows) {
        QAction *a =
            Window1->addAction(QStringLiteral("&%1 %2").arg(++n).arg(window->windowTitle()));
        a->setCheckable(true);
        a->setChecked(window == MDIArea->activeSubWindow());
        connect(a, &QAction::triggered, this,
                [this, window] { MDIArea->setActiveSubWindow(window); });
        m_windowListItems.append(a);
    }
}

// Hand-off file --------------------------------------------------------------------

// In the user's private runtime folder: no other user can plant a file
// there for this user's editor to open.
QString TFrameForm::handOffPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/txt30399.tmp");
}

bool TFrameForm::SaveTempOpenFile(const QString &path)
{
    return reportFailure(QStringLiteral("Error in TFrameForm.SaveTempOpenFile"), [&] {
        // A path the ANSI code page cannot spell goes as UTF-8; one that
        // would not stay one line does not go at all.
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!fitsHandOffFile(absolute))
            throw FileError(handOffPath() + QStringLiteral(": a name with a line break"));
        QByteArray line = ansi::encode(absolute);
        if (ansi::decode(line) != absolute)
            line = "\xEF\xBB\xBF" + absolute.toUtf8();
        QDir().mkpath(QFileInfo(handOffPath()).path());
        fileio::write(handOffPath(), line + "\r\n");
    });
}

QString TFrameForm::LoadTempOpenFile()
{
    QByteArray bytes = fileio::read(handOffPath());
    const qsizetype end = bytes.indexOf('\n');
    bytes.truncate(end < 0 ? bytes.size() : end);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return ansi::decode(bytes);
}

void TFrameForm::DeleteTempOpenFile()
{
    QFile::remove(handOffPath());
}

void TFrameForm::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    reportFailure(QStringLiteral("Error in TFrameForm.FormPaint"), [this] { FormPaint(); });
}

bool TFrameForm::handOffFileExists()
{
    return QFileInfo(handOffPath()).isFile();
}

// Every paint looks for handed-over files; they are opened once the paint
// is over.
void TFrameForm::FormPaint()
{
    if (m_pickUpPending || (m_handedOver.isEmpty() && !handOffFileExists()))
        return;
    m_pickUpPending = true;
    QTimer::singleShot(0, this, [this] {
        m_pickUpPending = false;
        reportFailure(QStringLiteral("Error in TFrameForm.FormPaint"),
                      [this] { pickUpHandOffFile(); });
    });
}

// The hand-off file's path first, then those that came over the channel,
// in the order they came.
void TFrameForm::pickUpHandOffFile()
{
    QStringList paths = std::exchange(m_handedOver, {});
    if (handOffFileExists()) {
        QString path;
        reportFailure(QStringLiteral("Error in TFrameForm.LoadTempOpenFile"),
                      [&] { path = LoadTempOpenFile(); });
        DeleteTempOpenFile();
        if (!path.isEmpty())
            paths.prepend(path);
    }
    for (const QString &path : std::as_const(paths)) {
        showDocumentView();
        PerformFileOpen(filesearch::longPathName(path));
    }
}

void TFrameForm::comeForward(const QString &path)
{
    if (!path.isEmpty())
        m_handedOver << path;
    ++m_activations;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    update(); // the paint looks for a handed-over file
}

// Views ---------------------------------------------------------------------------

void TFrameForm::showCalendarView()
{
    ToolBar->show();
    Panel1->show();
    Panel1->raise();
    mnuCalendar2->setChecked(true);
}

void TFrameForm::showDocumentView()
{
    ToolBar->hide();
    Panel1->hide();
    mnuCalendar2->setChecked(false);
}

bool TFrameForm::isCalendarView() const
{
    return Panel1->isVisibleTo(const_cast<TFrameForm *>(this));
}

void TFrameForm::PageControl1MouseUp()
{
    if (!Panel1->isVisibleTo(this))
        return;
    Panel1->hide();
    mnuCalendar2->setChecked(false);
}

// Documents ------------------------------------------------------------------------

QList<TEditForm *> TFrameForm::editWindows() const
{
    QList<TEditForm *> forms;
    const auto windows = MDIArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *window : windows) {
        if (TEditForm *form = formOf(window))
            forms.append(form);
    }
    return forms;
}

int TFrameForm::editWindowCount() const
{
    return int(editWindows().size());
}

TEditForm *TFrameForm::activeEditWindow() const
{
    return formOf(MDIArea->activeSubWindow());
}

QMdiSubWindow *TFrameForm::subWindowOf(const TEditForm *form) const
{
    return form ? qobject_cast<QMdiSubWindow *>(form->parentWidget()) : nullptr;
}

void TFrameForm::pageFreed()
{
    --OpenPageCount;
}

bool TFrameForm::IsFileOpen(const QString &path) const
{
    const auto forms = editWindows();
    return std::any_of(forms.begin(), forms.end(),
                       [&](const TEditForm *f) { return f->windowTitle() == path; });
}

int TFrameForm::GetFreePageCount()
{
    int result = OpenPageCount + 1;
    reportFailure(QStringLiteral("Error in TFrameForm.GetFreePageCount"), [&] {
        for (int k = 1; k <= OpenPageCount; ++k) {
            const QString name = QStringLiteral("Untitled%1").arg(k);
            bool taken = false;
            for (int i = 0; i < OpenPageCount && i < PageControl1->count(); ++i)
                taken = taken || PageControl1->tabText(i) == name;
            if (!taken) {
                result = k;
                return;
            }
        }
    });
    return result;
}

void TFrameForm::createDocument(const DocumentRequest &r)
{
    if (r.checkOpen && !mayOpenAgain(r.path))
        return;
    if (r.recent == Recent::BeforeCounting)
        insertRecentEntry(newRecentEntry(r.recentCaption, r.path));

    ++OpenPageCount;
    const int tag = ++PageTagCounter;
    const int tab = PageControl1->addPage(QString(), tag);
    NewDocName = r.newDocName.isEmpty() ? QStringLiteral("Untitled%1").arg(GetFreePageCount())
                                        : r.newDocName;
    PageControl1->setTabText(tab, r.tabCaption.isEmpty() ? NewDocName : r.tabCaption);
    PageControl1->setActivePage(tab);
    if (r.recent == Recent::AfterTab)
        insertRecentEntry(newRecentEntry(r.recentCaption, r.path));
    if (r.switchView)
        showDocumentView();
    if (r.recent == Recent::AfterView)
        insertRecentEntry(newRecentEntry(r.recentCaption, r.path));

    auto *form = new TEditForm(*this);
    form->Tag = tag;
    if (r.path.isEmpty())
        form->setWindowTitle(NewDocName);
    QMdiSubWindow *window = MDIArea->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QMdiSubWindow::windowStateChanged, form, [form] { form->SetEditRect(); });
    window->showMaximized();
    MDIArea->setActiveSubWindow(window);
    if (!r.path.isEmpty())
        form->Open(r.path);
}

void TFrameForm::New1Click()
{
    reportFailure(QStringLiteral("Error in TFrameForm.New1Click"), [this] {
        DocumentRequest r;
        r.checkOpen = false;
        createDocument(r);
    });
}

void TFrameForm::Open1Click()
{
    const auto chosen = prompts().openFile({QString(), kOpenFilters, 1, QString()});
    if (!chosen)
        return;
    const QString name = filenames::fileNamePart(*chosen);
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    if (!mayOpenAgain(*chosen))
        return;
    DocumentRequest r;
    r.path = path;
    r.newDocName = name;
    r.tabCaption = name;
    r.checkOpen = false;
    r.recent = Recent::AfterView;
    r.recentCaption = name;
    createDocument(r);
}

void TFrameForm::PerformFileOpen(const QString &path)
{
    reportFailure(QStringLiteral("Error in TFrameForm.PerformFileOpen"), [&] {
        DocumentRequest r;
        r.path = path;
        r.newDocName = path;
        r.tabCaption = filenames::fileNamePart(path);
        r.switchView = false;
        r.recent = Recent::AfterTab;
        r.recentCaption = r.tabCaption;
        createDocument(r);
    });
}

void TFrameForm::DragDrop1FileDrop(const QStringList &paths, const QStringList &names)
{
    reportFailure(QStringLiteral("Error in TFrameForm.DragDrop1FileDrop"), [&] {
        if (paths.isEmpty())
            return;
        DocumentRequest r;
        r.path = paths.first();
        r.newDocName = names.value(0, filenames::fileNamePart(r.path));
        r.tabCaption = r.newDocName;
        r.recent = Recent::BeforeCounting;
        r.recentCaption = r.newDocName;
        createDocument(r);
    });
}

// Recent files ----------------------------------------------------------------------

QAction *TFrameForm::newRecentEntry(const QString &caption, const QString &path)
{
    auto *entry = new QAction(caption, this);
    hints::setHint(entry, path);
    connect(entry, &QAction::triggered, this,
            [this, entry] { reportUnhandled([this, entry] { OpenLastOpened(entry); }); });
    return entry;
}

void TFrameForm::insertRecentEntry(QAction *entry)
{
    if (File1->actions().constLast() == Exit1)
        File1->addSeparator();
    const QList<QAction *> items = File1->actions();
    File1->insertAction(items.value(kFirstRecentIndex, nullptr), entry);
}

void TFrameForm::NewLastOpened(const QString &caption, const QString &path)
{
    insertRecentEntry(newRecentEntry(caption, path));
}

QList<QAction *> TFrameForm::recentFileTail() const
{
    const QList<QAction *> items = File1->actions();
    return items.size() > kRecentSeparatorIndex ? items.mid(kRecentSeparatorIndex)
                                                : QList<QAction *>();
}

void TFrameForm::OpenLastOpened(QAction *sender)
{
    const QString path = hints::hintOf(sender);
    NewDocName = path;
    if (!QFileInfo::exists(path)) {
        prompts().error(QStringLiteral("File ") + path + QStringLiteral(" not exists"));
        return;
    }
    if (!mayOpenAgain(path))
        return;

    // The entry moves to the top: the first one like it makes way.
    const QList<QAction *> items = File1->actions();
    for (qsizetype i = kFirstRecentIndex; i < items.size(); ++i) {
        if (hints::hintOf(items[i]) == path && items[i]->text() == sender->text()) {
            File1->removeAction(items[i]);
            insertRecentEntry(newRecentEntry(sender->text(), path));
            break;
        }
    }
    openPath(path);
}

bool TFrameForm::mayOpenAgain(const QString &path)
{
    return !IsFileOpen(path) || prompts().confirm(kAlreadyOpen);
}

void TFrameForm::openPath(const QString &path)
{
    DocumentRequest r;
    r.path = path;
    r.newDocName = path;
    r.tabCaption = filenames::fileNamePart(path);
    r.checkOpen = false;
    createDocument(r);
}

// Tabs and windows -----------------------------------------------------------------

void TFrameForm::Synchronize()
{
    reportFailure(QStringLiteral("Error in TFrameForm.Synchronize"), [this] {
        const int index = PageControl1->currentIndex();
        if (index < 0)
            return;
        const int tag = PageControl1->tag(index);
        for (TEditForm *form : editWindows()) {
            if (form->Tag == tag) {
                MDIArea->setActiveSubWindow(subWindowOf(form));
                return;
            }
        }
    });
}

void TFrameForm::PageControl1Change()
{
    reportFailure(QStringLiteral("Error in TFrameForm.PageControl1Change"),
                  [this] { Synchronize(); });
}

void TFrameForm::setArrangementChecks(Arrangement arrangement)
{
    m_arrangement = arrangement;
    Tile1->setChecked(arrangement == Arrangement::Tile);
    Cascade1->setChecked(arrangement == Arrangement::Cascade);
    Entire1->setChecked(arrangement == Arrangement::Entire);
}

void TFrameForm::checkArrangement(Arrangement arrangement)
{
    setArrangementChecks(arrangement);
}

void TFrameForm::Tile1Click()
{
    setArrangementChecks(Arrangement::Tile);
    tileHorizontally();
}

// The windows one above the other, each across the whole width.
void TFrameForm::tileHorizontally()
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : MDIArea->subWindowList(QMdiArea::StackingOrder)) {
        if (!w->isMinimized() && w->isVisible())
            windows.prepend(w); // the active window on top
    }
    if (windows.isEmpty())
        return;
    const QRect area = MDIArea->viewport()->rect();
    const int height = area.height() / int(windows.size());
    int y = 0;
    for (QMdiSubWindow *w : std::as_const(windows)) {
        w->showNormal();
        w->setGeometry(0, y, area.width(), height);
        y += height;
    }
}

void TFrameForm::Cascade1Click()
{
    setArrangementChecks(Arrangement::Cascade);
    MDIArea->cascadeSubWindows();
}

void TFrameForm::Entire1Click()
{
    // The menu has checked the item already: what counts is what was checked.
    if (m_arrangement == Arrangement::Entire) {
        setArrangementChecks(Arrangement::Entire);
        return;
    }
    setArrangementChecks(Arrangement::Entire);
    if (QMdiSubWindow *active = MDIArea->activeSubWindow())
        active->showMaximized();
}

void TFrameForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    reportFailure(QStringLiteral("Error in TFrameForm.FormResize"), [this] {
        if (m_arrangement == Arrangement::Tile)
            tileHorizontally();
        else if (m_arrangement == Arrangement::Cascade)
            MDIArea->cascadeSubWindows();
    });
}

void TFrameForm::CloseAll()
{
    reportFailure(QStringLiteral("Error in TFrameForm.CloseAll"), [this] {
        // Each window is asked once, from the active one on.
        QList<QMdiSubWindow *> windows = MDIArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        std::reverse(windows.begin(), windows.end());
        for (QMdiSubWindow *w : std::as_const(windows)) {
            MDIArea->setActiveSubWindow(w);
            w->close();
        }
    });
    showCalendarView();
}

// Closing -----------------------------------------------------------------------------

void TFrameForm::Exit1Click()
{
    ExitRequested = true;
    close();
}

bool TFrameForm::QueryEndSession()
{
    ExitRequested = true;
    return close();
}

bool TFrameForm::editWindowsAllowClose()
{
    for (TEditForm *form : editWindows()) {
        bool canClose = true;
        form->FormCloseQuery(canClose);
        if (!canClose)
            return false;
    }
    return true;
}

void TFrameForm::closeEvent(QCloseEvent *event)
{
    if (!editWindowsAllowClose()) {
        event->ignore();
        return;
    }
    bool canClose = true;
    FormCloseQuery(canClose);
    event->setAccepted(canClose);
}

void TFrameForm::FormCloseQuery(bool &canClose)
{
    if (ExitRequested) {
        // The program ends: what it keeps for the next run is written now.
        reportFailure(QStringLiteral("Error in TFrameForm.FormCloseQuery part 2"),
                      [this] { saveSettings(); });
        return;
    }
    // Closing without Exit empties the frame and keeps the program running.
    canClose = false;
    reportFailure(QStringLiteral("Error in TFrameForm.FormCloseQuery part 1"),
                  [this] { emptyFrame(); });
    showMinimized();
}

void TFrameForm::emptyFrame()
{
    const auto windows = MDIArea->subWindowList();
    for (QMdiSubWindow *w : windows)
        delete w; // without the windows' own close handling
    for (qsizetype i = 0; i < windows.size() && PageControl1->count() > 0; ++i)
        PageControl1->removePage(0);
    OpenPageCount = 0;
    PageTagCounter = 0;
    showCalendarView();
    rebuildMenuBar();
}
