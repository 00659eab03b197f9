// How the edit window is put together: its controls, menus, toolbar and
// status bar.

#include "editor/MDIEdit.h"

#include "controls/ActionTable.h"
#include "controls/DragDrop.h"
#include "controls/ToolbarImages.h"
#include "editor/EditHost.h"
#include "editor/EncodingHint.h"
#include "editor/FileWatch.h"
#include "editor/Formatting.h"
#include "editor/Ruler.h"
#include "editor/WorkProgress.h"
#include "platform/richedit/TRichEdit.h"

#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

void TEditForm::createControls()
{
    Editor = new TRichEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    QFont font(textformat::desktopFace());
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
    connect(Editor, &TRichEdit::textLimitReached, this,
            [this] { showNotice(tr("Document is at its size limit")); });
    connect(Editor, &TRichEdit::characterRefused, this, [this](const QString &character) {
        showNotice(tr("%1 is not in %2; save as UTF-8 to keep it")
                       .arg(character, fileformat::name(Editor->fileFormat().charset)));
    });
    connect(Editor, &TRichEdit::fileFormatChanged, this, &TEditForm::showFileFormat);
    connect(Editor, &TRichEdit::loadFinished, this, &TEditForm::finishOpen);
    connect(Editor, &TRichEdit::zoomChanged, this,
            [this](int percent) { showNotice(tr("Zoom: %1%").arg(percent)); });
    m_fileWatch = new FileWatch(this);
    connect(m_fileWatch, &FileWatch::changed, this, &TEditForm::fileChangedOutside);
    connect(m_fileWatch, &FileWatch::removed, this, &TEditForm::fileRemovedOutside);

    createFileMenu();
    createEncodingMenus();
    createEditMenu();
    createCharacterMenu();
    createConvertMenu();
    createPopupMenu();
    createToolBar();

    Ruler = new IndentRuler(Editor, this);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    connect(Ruler, &IndentRuler::markerDropped, this, &TEditForm::runSelectionChange);
    // F6 goes between the text and the ruler's markers, which Tab walks on
    // to the text again.
    setTabOrder(Ruler->RightInd, Editor);
    auto *pane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    pane->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pane, &QShortcut::activated, this, [this] {
        if (Ruler->isAncestorOf(QApplication::focusWidget()))
            Editor->setFocus(Qt::OtherFocusReason);
        else
            Ruler->FirstInd->setFocus(Qt::TabFocusReason);
    });

    createStatusBar();
    // Lives as long as the editor, its parent.
    new WorkProgress(*Editor, *StatusBar, *m_panels[LoadingPanel], LoadingPanel);
    encodingHint = new EncodingHint(StatusBar, this);
    connect(Editor, &TRichEdit::textChanged, this, [this] {
        if (Editor->isModified())
            encodingHint->dismiss();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Ruler);
    layout->addWidget(encodingHint);
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
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_N), .hint = tr("New|New file"),
         .glyph = toolbarimages::New, .handler = [this] { m_host.New1Click(); }},
        {.slot = &Open1, .name = "Open1", .caption = tr("&Open..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_O),
         .hint = tr("Open|Open an existing file"), .glyph = toolbarimages::Open,
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
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S), .hint = tr("Save|Save current file"),
         .glyph = toolbarimages::Save, .handler = [this] { Save1Click(); }},
        {.slot = &Saveas1, .name = "Saveas1", .caption = tr("Save &as..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         .handler = [this] { Saveas1Click(); }},
        {.name = "N7", .caption = QStringLiteral("-")},
        {.slot = &Print1, .name = "Print1", .caption = tr("&Print"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_P), .hint = tr("Print|Print current file"),
         .glyph = toolbarimages::Print, .handler = [this] { Print1Click(); }},
        {.slot = &PrintPreview1, .name = "PrintPreview1", .caption = tr("Print Pre&view"),
         .handler = [this] { PrintPreview1Click(); }},
        {.slot = &Printersetup1, .name = "Printersetup1",
         .caption = tr("Printer setup..."),
         .handler = [this] { Printersetup1Click(); }},
        {.name = "N2", .caption = QStringLiteral("-")},
        {.slot = &Exit1, .name = "Exit1", .caption = tr("E&xit"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Q),
         .handler = [this] { m_host.Exit1Click(); }},
    });
    // clang-format on
}

void TEditForm::createEncodingMenus()
{
    const auto submenu = [this](const QString &caption, const char *name, QAction *after) {
        auto *menu = new QMenu(caption, this);
        menu->setObjectName(QLatin1String(name));
        const QList<QAction *> items = File1->actions();
        File1->insertMenu(items.value(items.indexOf(after) + 1), menu);
        return menu;
    };
    ReopenEncoding1 = submenu(tr("Reopen with &Encoding"), "ReopenEncoding1", Refresh1);
    for (const Charset charset : fileformat::kCharsets) {
        ReopenEncoding1->addAction(
            actions::make(this, {.caption = fileformat::name(charset),
                                 .handler = [this, charset] { reopenWith(charset); }}));
    }

    SaveEncoding1 = submenu(tr("Sa&ve with Encoding"), "SaveEncoding1", Saveas1);
    m_saveEncodings = new QActionGroup(this);
    for (const Charset charset : fileformat::kCharsets) {
        for (const bool mark : {false, true}) {
            if (mark && charset != Charset::Utf8)
                continue;
            QAction *item = actions::make(
                this, {.caption = fileformat::encodingName(charset, mark),
                       .handler = [this, charset, mark] { saveWithEncoding(charset, mark); },
                       .checkable = true,
                       .group = m_saveEncodings});
            item->setData(encodingChoice(charset, mark));
            SaveEncoding1->addAction(item);
        }
    }

    LineEndings1 = submenu(tr("&Line endings"), "LineEndings1", SaveEncoding1->menuAction());
    m_lineBreaks = new QActionGroup(this);
    for (const LineBreak lineBreak : fileformat::kLineBreaks) {
        QAction *item =
            actions::make(this, {.caption = fileformat::name(lineBreak),
                                 .handler = [this, lineBreak] { setLineBreak(lineBreak); },
                                 .checkable = true,
                                 .group = m_lineBreaks});
        item->setData(int(lineBreak));
        LineEndings1->addAction(item);
    }
    m_fixedFileItems = int(File1->actions().size());
}

void TEditForm::createEditMenu()
{
    Edit1 = new QMenu(tr("&Edit"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // clang-format off
    actions::addTo(Edit1, {
        {.slot = &Undo1, .name = "Undo1", .caption = tr("&Undo"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Z),
         .hint = tr("Undo|Undo the last action"), .glyph = toolbarimages::Undo,
         .handler = [this] { Undo1Click(); }, .enabled = false},
        {.slot = &Cut1, .name = "Cut1", .caption = tr("Cu&t"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_X),
         .hint = tr("Cut|Delete selected item"), .glyph = toolbarimages::Cut,
         .handler = [this] { Cut1Click(); }},
        {.slot = &Copy1, .name = "Copy1", .caption = tr("&Copy"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_C),
         .hint = tr("Copy|Copy selected item to clipboard"), .glyph = toolbarimages::Copy,
         .handler = [this] { Copy1Click(); }},
        {.slot = &Paste1, .name = "Paste1", .caption = tr("&Paste"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_V),
         .hint = tr("Paste|Paste contents of clipboard"), .glyph = toolbarimages::Paste,
         .handler = [this] { Paste1Click(); }},
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
        {.name = "N11", .caption = QStringLiteral("-")},
        {.slot = &Redo1, .name = "Redo1", .caption = tr("&Redo"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Y),
         .otherKeys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         .hint = tr("Redo|Redo the last undone action"), .glyph = toolbarimages::Redo,
         .handler = [this] { Redo1Click(); }, .enabled = false},
        {.slot = &GoToLine1, .name = "GoToLine1", .caption = tr("&Go to Line..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_G), .handler = [this] { GoToLine1Click(); }},
        {.name = "N13", .caption = QStringLiteral("-")},
        {.slot = &ZoomIn1, .name = "ZoomIn1", .caption = tr("Zoom &In"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Equal),
         .otherKeys = {QKeySequence(Qt::CTRL | Qt::Key_Plus)},
         .handler = [this] { Editor->zoomIn(); }},
        {.slot = &ZoomOut1, .name = "ZoomOut1", .caption = tr("Zoom &Out"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Minus), .handler = [this] { Editor->zoomOut(); }},
        {.slot = &ZoomNormal1, .name = "ZoomNormal1", .caption = tr("&Normal Size"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_0),
         .handler = [this] { Editor->setZoom(100); }},
    });
    // clang-format on
    // Their keys work in the window itself, wherever its menus are shown.
    addActions({Redo1, GoToLine1, ZoomIn1, ZoomOut1, ZoomNormal1});
    connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
}

void TEditForm::createCharacterMenu()
{
    m_formatting = new Formatting(Editor, this);
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
    // The Edit menu's own commands; the popup names no keys.
    Cut2 = Cut1;
    Copy2 = Copy1;
    Paste2 = Paste1;
    for (QAction *shared : {Cut2, Copy2, Paste2}) {
        shared->setShortcutVisibleInContextMenu(false);
        PopupMenu1->addAction(shared);
    }
    // clang-format off
    actions::addTo(PopupMenu1, {
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
    // The buttons up to Paste are the menus' commands, named by their hints.
    NewlButton = New1;
    OpenButton = Open1;
    SaveButton = Save1;
    PrintButton = Print1;
    UndoButton = Undo1;
    RedoButton = Redo1;
    CutButton = Cut1;
    CopyButton = Copy1;
    PasteButton = Paste1;
    actions::addTo(ToolBar, {NewlButton, OpenButton, SaveButton, PrintButton});
    // clang-format off
    actions::addTo(ToolBar, {{.name = "ToolButton5", .caption = QStringLiteral("-")}});
    actions::addTo(ToolBar, {UndoButton, RedoButton, CutButton, CopyButton, PasteButton});
    m_formatting->addTo(ToolBar);
    actions::addTo(ToolBar, {
        {.slot = &btnRus, .name = "btnRus", .caption = tr("Rus"),
         .handler = [this] { btnRusClick(); }, .enabled = false, .visible = false},
        {.slot = &btnEng, .name = "btnEng", .caption = tr("Eng"),
         .handler = [this] { btnEngClick(); }, .enabled = false, .visible = false},
    });
    // clang-format on
}

void TEditForm::createStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    // The first panels keep their widths while their texts change; a larger
    // desktop font widens them rather than cutting "Modified" short. The
    // encoding and line-break panels are as wide as their texts.
    for (const int width : {120, 60, 50, 50, 0, 0}) {
        auto *panel = new QLabel(StatusBar);
        panel->setMinimumWidth(width);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar->addWidget(panel);
        m_panels.append(panel);
    }
}

QList<QPair<QAction *, int>> TEditForm::mergedMenus() const
{
    return {{File1->menuAction(), FileMenuGroup},
            {Edit1->menuAction(), EditMenuGroup},
            {m_formatting->Character1->menuAction(), EditMenuGroup},
            {Convert1->menuAction(), EditMenuGroup},
            {mnuEngToLower, EditMenuGroup}};
}
