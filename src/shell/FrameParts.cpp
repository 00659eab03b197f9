// How the frame is put together: its controls, menus, menu bar and toolbar.

#include "shell/MDIFrame.h"

#include "controls/ActionTable.h"
#include "controls/DragDrop.h"
#include "controls/PageControl.h"
#include "controls/ToolbarImages.h"
#include "editor/MDIEdit.h"
#include "platform/system/AccessibleNames.h"
#include "shell/RecentFiles.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

void TFrameForm::createControls()
{
    createMenus();
    createToolBar();

    auto *central = new QWidget(this);
    PageControl1 = new PageControl(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedHeight(31);
    accessiblenames::setName(PageControl1, tr("Documents"));
    connect(PageControl1, &QTabBar::currentChanged, this, [this] { PageControl1Change(); });
    connect(PageControl1, &PageControl::mouseUp, this, [this] { PageControl1MouseUp(); });

    MDIArea = new QMdiArea(central);
    MDIArea->setObjectName(QStringLiteral("MDIArea"));
    MDIArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(MDIArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (TEditForm *form = TEditForm::inWindow(window))
            form->FormActivate();
        rebuildMenuBar();
        showModifiedInTitle();
    });

    // The calendar panel lies over the documents while it is shown.
    Panel1 = new CalendarPanel(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    auto *area = new QGridLayout;
    area->addWidget(MDIArea, 0, 0);
    area->addWidget(Panel1, 0, 0);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PageControl1);
    layout->addLayout(area, 1);
    setCentralWidget(central);

    DragDrop1 = new TDragDrop(this);
    DragDrop1->setObjectName(QStringLiteral("DragDrop1"));
    DragDrop1->setEnabled(true);
    connect(DragDrop1, &TDragDrop::fileDrop, this, [this] { DragDrop1FileDrop(); });
}

void TFrameForm::createMenus()
{
    File1 = new QMenu(tr("&File"), this);
    File1->setObjectName(QStringLiteral("File1"));
    // clang-format off
    actions::addTo(File1, {
        {.slot = &New1, .name = "New1", .caption = tr("&New"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_N), .hint = tr("New|New file"),
         .glyph = toolbarimages::New, .handler = [this] { New1Click(); }},
        {.slot = &Open1, .name = "Open1", .caption = tr("&Open..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_O),
         .hint = tr("Open|Open an existing file"), .glyph = toolbarimages::Open,
         .handler = [this] { Open1Click(); }},
        {.name = "N1", .caption = QStringLiteral("-")},
        {.slot = &Exit1, .name = "Exit1", .caption = tr("E&xit"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Q), .hint = tr("Exit"),
         .glyph = toolbarimages::Exit, .handler = [this] { Exit1Click(); }},
    });
    // clang-format on
    m_recentFiles = new RecentFiles(
        File1, Exit1, [this](QAction *entry) { OpenLastOpened(entry); }, this);

    Favourites1 = new QMenu(tr("Fa&vourites"), this);
    Favourites1->setObjectName(QStringLiteral("Favourites1"));
    TrayFavourites = new QMenu(tr("Favourites..."), this);
    TrayFavourites->setObjectName(QStringLiteral("TrayFavourites"));
    // Both are empty until favourites are chosen. An empty menu drops down
    // without a size, and on X11 a window once shown without one is never
    // mapped again: the menu dropped down as nothing for the rest of the run.
    for (QMenu *menu : {Favourites1, TrayFavourites})
        menu->setMinimumSize(1, 1);

    Window1 = new QMenu(tr("&Window"), this);
    Window1->setObjectName(QStringLiteral("Window1"));
    auto *arrangement = new QActionGroup(this);
    // clang-format off
    actions::addTo(Window1, {
        {.slot = &Tile1, .name = "Tile1", .caption = tr("&Tile"),
         .handler = [this] { Tile1Click(); }, .group = arrangement},
        {.slot = &Cascade1, .name = "Cascade1", .caption = tr("&Cascade"),
         .handler = [this] { Cascade1Click(); }, .group = arrangement},
        {.slot = &Entire1, .name = "Entire1", .caption = tr("&Entire"),
         .handler = [this] { Entire1Click(); }, .checked = true, .group = arrangement},
        {.name = "N3", .caption = QStringLiteral("-")},
        {.slot = &mnuCalendar2, .name = "mnuCalendar2", .caption = tr("Calendar"),
         .handler = [this] { mnuCalendar2Click(); },
         .checkable = true, .checked = true},
        {.name = "N4", .caption = QStringLiteral("-")},
        {.slot = &NextDocument1, .name = "NextDocument1", .caption = tr("&Next Document"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_PageDown),
         .otherKeys = {QKeySequence(Qt::CTRL | Qt::Key_F6)},
         .handler = [this] { stepDocument(1); }},
        {.slot = &PreviousDocument1, .name = "PreviousDocument1",
         .caption = tr("&Previous Document"), .shortcut = QKeySequence(Qt::CTRL | Qt::Key_PageUp),
         .otherKeys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)},
         .handler = [this] { stepDocument(-1); }},
    });
    // clang-format on
    connect(Window1, &QMenu::aboutToShow, this, [this] { fillWindowList(); });

    Options1 = new QMenu(tr("&Options"), this);
    Options1->setObjectName(QStringLiteral("Options1"));
    // clang-format off
    actions::addTo(Options1, {
        {.slot = &Preference1, .name = "Preference1", .caption = tr("&Preferences..."),
         .handler = [this] { Preference1Click(); }},
    });
    // clang-format on

    // clang-format off
    actions::make(this, {.slot = &About, .name = "About", .caption = tr("&About"),
                         .handler = [this] { AboutClick(); }});
    // clang-format on
}

void TFrameForm::createToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    // The File menu's commands, named by their hints.
    NewlButton = New1;
    OpenButton = Open1;
    ExitButton = Exit1;
    actions::addTo(ToolBar, {NewlButton, OpenButton});
    // The separator stretches so that Exit sits at the right end.
    auto *stretch = new QWidget(ToolBar);
    stretch->setObjectName(QStringLiteral("ToolButton2"));
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(stretch);
    actions::addTo(ToolBar, {ExitButton});
}

// While an edit window is active its menus join the bar: a menu of the
// same merge group takes the frame's place, lower groups come first.
void TFrameForm::rebuildMenuBar()
{
    QList<QPair<QAction *, int>> items{{File1->menuAction(), TEditForm::FileMenuGroup},
                                       {Favourites1->menuAction(), TEditForm::FrameMenuGroup},
                                       {Window1->menuAction(), TEditForm::FrameMenuGroup},
                                       {Options1->menuAction(), TEditForm::FrameMenuGroup},
                                       {About, TEditForm::FrameMenuGroup}};
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
