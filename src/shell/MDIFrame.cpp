#include "shell/MDIFrame.h"

#include "controls/DragDrop.h"
#include "controls/Hints.h"
#include "controls/PageControl.h"
#include "editor/MDIEdit.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileIO.h"
#include "platform/system/FileNames.h"
#include "platform/system/FileSearch.h"
#include "platform/system/Prompts.h"
#include "platform/system/RecoveryCopies.h"
#include "platform/text/AnsiCodec.h"
#include "search/FindReplace.h"
#include "search/uniFind.h"
#include "settings/uniOptions.h"
#include "shell/ExposureWatch.h"
#include "shell/JustOne.h"
#include "shell/Reabout.h"
#include "shell/RecentFiles.h"
#include "transform/KeyboardLayout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPaintEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

#include <utility>

namespace {

struct FilterText
{
    const char *description;
    const char *patterns;
};

constexpr FilterText kOpenFilters[] = {
    {QT_TRANSLATE_NOOP("TFrameForm", "Plain text files (*.txt)"), "*.txt"},
    {QT_TRANSLATE_NOOP("TFrameForm", "Rich text files (*.rtf)"), "*.rtf"},
    {QT_TRANSLATE_NOOP("TFrameForm", "Pascal files (*.pas;*.dpr)"), "*.pas;*.dpr"},
    {QT_TRANSLATE_NOOP("TFrameForm", "C/C++ files (*.cpp;*.c;*.hpp;*.h)"), "*.cpp;*.c;*.hpp;*.h"},
    {QT_TRANSLATE_NOOP("TFrameForm", "Assembler files (*.asm)"), "*.asm"},
    {QT_TRANSLATE_NOOP("TFrameForm", "Java files (*.java)"), "*.java"},
    {QT_TRANSLATE_NOOP("TFrameForm", "Batch files (*.bat)"), "*.bat"},
    {QT_TRANSLATE_NOOP("TFrameForm", "HTML files"), "*.htm;*.html"},
    {QT_TRANSLATE_NOOP("TFrameForm", "All files"), "*.*"},
};

QList<Prompts::FileFilter> openFilters()
{
    QList<Prompts::FileFilter> filters;
    for (const FilterText &f : kOpenFilters)
        filters.append({QCoreApplication::translate("TFrameForm", f.description),
                        QString::fromLatin1(f.patterns)});
    return filters;
}

// The hand-off file holds one line.
bool fitsHandOffFile(const QString &path)
{
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

// On X11 a window's own Close answers Ctrl+W as well as Ctrl+F4. Ctrl+W
// belongs to the document's Close in the File menu, where it shows; with
// both, the key would be ambiguous and do nothing.
void leaveCtrlWToTheFileMenu(QMdiSubWindow *window)
{
    const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W);
    const auto items = window->systemMenu() ? window->systemMenu()->actions() : QList<QAction *>();
    for (QAction *item : items) {
        QList<QKeySequence> keys = item->shortcuts();
        if (keys.removeAll(ctrlW) > 0)
            item->setShortcuts(keys);
    }
}

} // namespace

TFrameForm::TFrameForm(const StartOptions &options, QWidget *parent)
    : QMainWindow(parent)
{
    // "*" after the name while the active document has unsaved changes.
    setWindowTitle(QStringLiteral("Scrivlet[*]"));
    setGeometry(208, 111, 686, 334);
    createControls();
    connect(new ExposureWatch(this), &ExposureWatch::exposed, this, [this] { framePainted(true); });
    createLangParserDefault();
    rebuildMenuBar();
    showCalendarView();
    FormCreate(options);
    // The two dialogs live hidden for the whole run, created in this order.
    frmOptions = new TfrmOptions(*this, this);
    frmFind = new TfrmFind(*this, this);
}

void TFrameForm::FormCreate(const StartOptions &options)
{
    setDefaultSettings();
    ExitRequested = false;
    LastKeyboardLayout.clear();
    loadSettings(true);
    OpenPageCount = 0;
    PageTagCounter = 0;
    // Every file named opens, in the order named. The running copy may work
    // in another folder: the paths go over whole.
    QStringList files;
    for (const QString &arg : options.arguments.mid(1)) {
        if (!arg.isEmpty() && QFileInfo(arg).isFile())
            files << QFileInfo(arg).absoluteFilePath();
    }
    // Another copy that runs gets the files over the channel: two copies
    // started at once never share the one hand-off file.
    // The guard stays, the frame's child, to answer the copies started later.
    if (options.singleInstance)
        m_copyStart = (new TJustOne(this, files))->start();
    // A copy that hands over ends here, without ever showing an icon.
    if (m_copyStart != CopyStart::OnlyCopy && m_copyStart != CopyStart::SecondCopy)
        return;
    // A second copy keeps its files to itself: the hand-off file is the
    // other copy's, which would open it too once it answers again. The
    // first copy's first file takes the hand-off file's road, the others
    // follow it.
    if (m_copyStart == CopyStart::OnlyCopy && !files.isEmpty())
        takeCommandLineFile(files.takeFirst());
    m_handedOver << files;
    // The last run's documents are the running copy's to open.
    if (m_copyStart != CopyStart::OnlyCopy)
        m_session.clear();
    m_tray = new TrayMenu(this, TrayFavourites);
    if (m_copyStart == CopyStart::OnlyCopy)
        QTimer::singleShot(0, this, &TFrameForm::offerRecoveryCopies);
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
    return reportFailure(tr("Error in TFrameForm.SaveTempOpenFile"), [&] {
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
    framePainted(paintsWholeFrame(event->region()));
}

void TFrameForm::framePainted(bool wholeFrame)
{
    reportFailure(tr("Error in TFrameForm.FormPaint"), [&] { FormPaint(wholeFrame); });
}

// The menu bar, the toolbar and the tab row have no background of their
// own, so their repaints (a button under the mouse, the tab row when the
// focus moves) come here too, each within its own rectangle. Only a paint
// of the frame as a whole (shown, resized, or asked for by another copy)
// is the frame's own, and so is every redraw of the frame where another
// window uncovered it, which comes from the exposure watch.
bool TFrameForm::paintsWholeFrame(const QRegion &region) const
{
    const QRect area = region.boundingRect();
    const auto children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    return std::none_of(children.begin(), children.end(), [&](const QWidget *child) {
        return child->isVisible() && child->geometry().contains(area);
    });
}

bool TFrameForm::handOffFileExists()
{
    return QFileInfo(handOffPath()).isFile();
}

// A paint of the frame brings the calendar back to today, so that the
// calendar a user comes back to shows today. Every paint looks for
// handed-over files, which are opened once the paint is over.
void TFrameForm::FormPaint(bool wholeFrame)
{
    if (wholeFrame && isCalendarView())
        Panel1->backToToday();
    const bool waiting = !m_handedOver.isEmpty() || !m_session.isEmpty() || handOffFileExists();
    if (m_pickUpPending || !waiting)
        return;
    m_pickUpPending = true;
    QTimer::singleShot(0, this, [this] {
        m_pickUpPending = false;
        reportFailure(tr("Error in TFrameForm.FormPaint"), [this] { pickUpHandOffFile(); });
    });
}

// The last run's documents first, then the hand-off file's path, then
// those that came over the channel, in the order they came.
void TFrameForm::pickUpHandOffFile()
{
    reopenDocuments(std::exchange(m_session, {}));
    QStringList paths = std::exchange(m_handedOver, {});
    if (handOffFileExists()) {
        QString path;
        reportFailure(tr("Error in TFrameForm.LoadTempOpenFile"),
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

void TFrameForm::offerRecoveryCopies()
{
    for (const recovery::LeftCopy &left : recovery::leftCopies()) {
        const bool open = prompts().yesNo(tr("Scrivlet was stopped while saving %1. The previous "
                                             "version was kept as %2. Open it?")
                                              .arg(left.file, left.copy),
                                          {}, Prompts::Icon::Warning);
        recovery::forget(left);
        if (open) {
            showDocumentView();
            PerformFileOpen(left.copy);
        }
    }
}

void TFrameForm::comeForward(const QStringList &paths)
{
    m_handedOver << paths;
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

void TFrameForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TFrameForm::FormShow()
{
    reportFailure(tr("Error in TFrameForm.FormShow"), [this] {
        if (isCalendarView())
            Panel1->backToToday();
    });
}

// The panel's visibility decides, so that the check mark follows it
// whether the menu or a call got here.
void TFrameForm::mnuCalendar2Click()
{
    const bool show = !Panel1->isVisibleTo(this);
    Panel1->setVisible(show);
    if (show)
        Panel1->raise();
    mnuCalendar2->setChecked(show);
}

void TFrameForm::Preference1Click()
{
    frmOptions->show();
    frmOptions->raise();
    frmOptions->activateWindow();
}

void TFrameForm::AboutClick()
{
    TAboutBox box(this);
    box.exec();
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
        if (TEditForm *form = TEditForm::inWindow(window))
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
    return TEditForm::inWindow(MDIArea->activeSubWindow());
}

TRichEdit *TFrameForm::activeDocumentEditor() const
{
    const TEditForm *form = activeEditWindow();
    return form ? form->Editor : nullptr;
}

// The next window is the one just behind the active one: the one active
// before it. The active one goes to the back, so that Next, repeated, comes
// to every window once before it comes back.
void TFrameForm::nextDocument()
{
    // The topmost window last.
    QList<QMdiSubWindow *> windows = MDIArea->subWindowList(QMdiArea::StackingOrder);
    windows.removeIf([](const QMdiSubWindow *w) { return w->isHidden(); });
    QMdiSubWindow *active = MDIArea->activeSubWindow();
    const qsizetype at = windows.indexOf(active);
    if (at < 0 || windows.size() < 2)
        return;
    MDIArea->setActiveSubWindow(windows.at((at + windows.size() - 1) % windows.size()));
    active->lower();
}

void TFrameForm::showActiveDocument()
{
    if (QMdiSubWindow *window = MDIArea->activeSubWindow()) {
        window->show();
        window->raise();
    }
}

void TFrameForm::showStatus(const QString &text)
{
    if (TEditForm *form = activeEditWindow())
        form->showNotice(text);
}

QMdiSubWindow *TFrameForm::subWindowOf(const TEditForm *form) const
{
    return form ? qobject_cast<QMdiSubWindow *>(form->parentWidget()) : nullptr;
}

void TFrameForm::documentActivated(int tag)
{
    const int index = PageControl1->indexOfTag(tag, editWindowCount());
    if (index >= 0)
        PageControl1->setActivePage(index);
}

void TFrameForm::documentRenamed(int tag, const QString &name)
{
    const int tab = PageControl1->indexOfTag(tag);
    if (tab >= 0)
        PageControl1->setTabText(tab, filenames::fileNamePart(name));
}

void TFrameForm::documentClosed(int tag)
{
    const int tab = PageControl1->indexOfTag(tag);
    if (tab >= 0) {
        PageControl1->removePage(tab);
        --OpenPageCount;
    }
    // The window still counts: it goes once it has closed.
    if (editWindowCount() == 1)
        showCalendarView();
    showModifiedInTitle();
}

void TFrameForm::documentModified(int tag, bool modified)
{
    const int tab = PageControl1->indexOfTag(tag);
    if (tab < 0)
        return;
    PageControl1->setPageModified(tab, modified);
    showModifiedInTitle();
}

void TFrameForm::showModifiedInTitle()
{
    const TEditForm *active = activeEditWindow();
    const int tab = active ? PageControl1->indexOfTag(active->Tag) : -1;
    setWindowModified(tab >= 0 && PageControl1->isPageModified(tab));
}

bool TFrameForm::IsFileOpen(const QString &path) const
{
    const auto forms = editWindows();
    return std::any_of(forms.begin(), forms.end(),
                       [&](const TEditForm *f) { return f->windowTitle() == path; });
}

QString TFrameForm::untitledName()
{
    return QStringLiteral("Untitled%1").arg(GetFreePageCount());
}

int TFrameForm::GetFreePageCount()
{
    int result = OpenPageCount + 1;
    reportFailure(tr("Error in TFrameForm.GetFreePageCount"), [&] {
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
        m_recentFiles->add(r.recentCaption, r.path);

    ++OpenPageCount;
    const int tag = ++PageTagCounter;
    const int tab = PageControl1->addPage(QString(), tag);
    NewDocName = r.newDocName.isEmpty() ? untitledName() : r.newDocName;
    PageControl1->setTabText(tab, r.tabCaption.isEmpty() ? NewDocName : r.tabCaption);
    PageControl1->setActivePage(tab);
    if (r.recent == Recent::AfterTab)
        m_recentFiles->add(r.recentCaption, r.path);
    if (r.switchView)
        showDocumentView();
    if (r.recent == Recent::AfterView)
        m_recentFiles->add(r.recentCaption, r.path);

    // A new window takes the hot key as the Options dialog's box holds it,
    // and so do the windows open already.
    TranslateHotKeys = frmOptions->hotKeyText();
    handOverSettings();
    auto *form = new TEditForm(*this, editorSettings());
    form->Tag = tag;
    if (r.path.isEmpty())
        form->setWindowTitle(NewDocName);
    QMdiSubWindow *window = MDIArea->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    leaveCtrlWToTheFileMenu(window);
    // A minimised window gets no resize of its own: its state change stands in.
    connect(window, &QMdiSubWindow::windowStateChanged, form, [form] { form->FormResize(); });
    window->showMaximized();
    MDIArea->setActiveSubWindow(window);
    if (!r.path.isEmpty() && !form->Open(r.path))
        form->becomeUntitled();
}

void TFrameForm::New1Click()
{
    reportFailure(tr("Error in TFrameForm.New1Click"), [this] {
        DocumentRequest r;
        r.checkOpen = false;
        createDocument(r);
    });
}

void TFrameForm::Open1Click()
{
    const auto chosen = prompts().openFile(
        {QString(), openFilters(), 1, QString(), fileDialogFolder(activeEditWindow())});
    if (!chosen)
        return;
    fileChosen(*chosen);
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
    reportFailure(tr("Error in TFrameForm.PerformFileOpen"), [&] {
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

void TFrameForm::DragDrop1FileDrop()
{
    reportFailure(tr("Error in TFrameForm.DragDrop1FileDrop"), [&] {
        if (DragDrop1->fullPath().isEmpty())
            return;
        DocumentRequest r;
        r.path = DragDrop1->fullPath().first();
        r.newDocName = DragDrop1->filenames().first();
        r.tabCaption = r.newDocName;
        r.recent = Recent::BeforeCounting;
        r.recentCaption = r.newDocName;
        createDocument(r);
    });
}

QString TFrameForm::fileDialogFolder(const TEditForm *document) const
{
    const QFileInfo file(document ? document->FFileName : QString());
    return file.isAbsolute() ? file.absolutePath() : m_lastDialogFolder;
}

void TFrameForm::fileChosen(const QString &path)
{
    m_lastDialogFolder = QFileInfo(path).absolutePath();
}

// The file goes in front of the drop target's lists, which keep it until a
// drop on the frame itself refills them.
void TFrameForm::openDroppedFile(const QString &path)
{
    DragDrop1->insertFirst(path, filenames::fileNamePart(path));
    DragDrop1FileDrop();
}

void TFrameForm::showFind(TRichEdit *editor)
{
    frmFind->showFor(editor);
}

void TFrameForm::findAgain()
{
    frmFind->findAgain();
}

// Recent files ----------------------------------------------------------------------

void TFrameForm::NewLastOpened(const QString &caption, const QString &path)
{
    m_recentFiles->add(caption, path);
}

QList<RecentFile> TFrameForm::recentFiles() const
{
    return m_recentFiles->entries();
}

void TFrameForm::OpenLastOpened(QAction *sender)
{
    const QString path = hints::hintOf(sender);
    NewDocName = path;
    if (!QFileInfo::exists(path)) {
        prompts().error(tr("File %1 not exists").arg(path));
        return;
    }
    if (!mayOpenAgain(path))
        return;

    // The entry moves to the top: the first one like it makes way.
    m_recentFiles->moveToTop(sender);
    openPath(path);
}

bool TFrameForm::mayOpenAgain(const QString &path)
{
    return !IsFileOpen(path) || prompts().confirm(tr("File already open,continue?"));
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
    reportFailure(tr("Error in TFrameForm.Synchronize"), [this] {
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

void TFrameForm::stepDocument(int step)
{
    const int count = PageControl1->count();
    if (count < 2)
        return;
    PageControl1->setActivePage((PageControl1->currentIndex() + step + count) % count);
    Synchronize();
}

void TFrameForm::PageControl1Change()
{
    reportFailure(tr("Error in TFrameForm.PageControl1Change"), [this] { Synchronize(); });
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
    reportFailure(tr("Error in TFrameForm.FormResize"), [this] {
        if (m_arrangement == Arrangement::Tile)
            tileHorizontally();
        else if (m_arrangement == Arrangement::Cascade)
            MDIArea->cascadeSubWindows();
    });
}

void TFrameForm::CloseAll()
{
    reportFailure(tr("Error in TFrameForm.CloseAll"), [this] {
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
    if (canClose)
        Q_EMIT closed();
}

void TFrameForm::FormCloseQuery(bool &canClose)
{
    // Closing the dialog saves its histories. Its engine lets go of the
    // document it searched: every document goes now.
    frmFind->close();
    frmFind->FindReplace->setEditControl(nullptr);
    if (ExitRequested) {
        // The program ends: what it keeps for the next run is written now.
        reportFailure(tr("Error in TFrameForm.FormCloseQuery part 2"), [this] { saveSettings(); });
        return;
    }
    // Closing without Exit empties the frame and keeps the program running.
    canClose = false;
    reportFailure(tr("Error in TFrameForm.FormCloseQuery part 1"), [this] { emptyFrame(); });
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
