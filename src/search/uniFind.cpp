#include "search/uniFind.h"

#include "platform/system/AccessibleNames.h"
#include "platform/system/Prompts.h"
#include "search/FindHistory.h"
#include "search/FindHost.h"
#include "search/FindReplace.h"
#include "search/SearchableEdit.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>

#include <stdexcept>

namespace {

constexpr int kOptionHeight = 17;
// Room a check box or radio button leaves to its group box's right edge.
constexpr int kGroupInset = 4;

template<typename W>
W *placed(W *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QFrame *bevel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = placed(new QFrame(parent), name, geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return frame;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QPoint at)
{
    auto *l = new QLabel(caption, parent);
    l->adjustSize();
    return placed(l, name, QRect(at, l->size()));
}

// A history box: the histories keep themselves (see findhistory), so the box
// neither adds what is typed nor completes it from its list.
QComboBox *historyBox(QWidget *parent, const char *name, const QRect &geometry, QLabel *caption)
{
    auto *box = placed(new QComboBox(parent), name, geometry);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    caption->setBuddy(box);
    accessiblenames::setName(box, caption->text());
    return box;
}

QGroupBox *groupBox(QWidget *parent, const char *name, const QString &title, const QRect &geometry)
{
    return placed(new QGroupBox(title, parent), name, geometry);
}

// A check box or radio button in a group box, as wide as the group allows.
template<typename Option>
Option *option(QGroupBox *group, const char *name, const QString &caption, QPoint at)
{
    auto *o = new Option(caption, group);
    return placed(o, name, QRect(at, QSize(group->width() - at.x() - kGroupInset, kOptionHeight)));
}

} // namespace

TfrmFind::TfrmFind(FindHost &host, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find & Replace"));
    // Where MS Sans Serif is missing, a face of about its width keeps every
    // caption inside its control.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(430, 233);
    createControls();
    // A group's caption sits on its frame line, clear of the options placed
    // below it. Set once the controls exist: controls made after a style
    // sheet would not take the dialog's font.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    FindReplace = new TFindReplace(this);
    FindReplace->setObjectName(QStringLiteral("FindReplace"));
    FindReplace->setShowDialogs(false);
    FindReplace->setOptions(frDown);
    FindReplace->setOnFind([this](QObject *) { FindReplaceFind(); });
    FindReplace->setOnNotFound([this](QObject *) { FindReplaceNotFound(); });
    FormCreate();
}

// Layout ------------------------------------------------------------------------

void TfrmFind::createControls()
{
    // Created in the order the Tab key walks them.
    // clang-format off
    Bevel1             = bevel(this, "Bevel1", {2, 0, 321, 233});
    Bevel2             = bevel(this, "Bevel2", {328, 0, 100, 233});
    Label1             = label(this, "Label1", tr("Text to find:"), {8, 8});
    cbFind             = historyBox(this, "cbFind", {80, 8, 233, 21}, Label1);
    Label2             = label(this, "Label2", tr("Replace with:"), {8, 40});
    cbReplace          = historyBox(this, "cbReplace", {80, 40, 233, 21}, Label2);

    GroupBox1          = groupBox(this, "GroupBox1", tr("Options"), {8, 64, 153, 89});
    CheckBoxCase       = option<QCheckBox>(GroupBox1, "CheckBoxCase", tr("Case sensitive"), {16, 16});
    CheckBoxWhole      = option<QCheckBox>(GroupBox1, "CheckBoxWhole", tr("Whole words only"), {16, 40});
    CheckBoxPrompt     = option<QCheckBox>(GroupBox1, "CheckBoxPrompt", tr("Prompt on replace"), {16, 64});
    GroupBox4          = groupBox(this, "GroupBox4", tr("Search direction"), {168, 64, 145, 65});
    rbUp               = option<QRadioButton>(GroupBox4, "rbUp", tr("Up"), {8, 16});
    rbDown             = option<QRadioButton>(GroupBox4, "rbDown", tr("Down"), {8, 40});
    GroupBox3          = groupBox(this, "GroupBox3", tr("Scope"), {8, 160, 153, 65});
    RadioButtonAll     = option<QRadioButton>(GroupBox3, "RadioButtonAll", tr("All open documents"), {8, 16});
    RadioButtonThis    = option<QRadioButton>(GroupBox3, "RadioButtonThis", tr("Current document"), {8, 40});
    GroupBox2          = groupBox(this, "GroupBox2", tr("Start search"), {168, 160, 145, 65});
    RadioButtonStart   = option<QRadioButton>(GroupBox2, "RadioButtonStart", tr("Start of document"), {8, 16});
    RadioButtonCurrent = option<QRadioButton>(GroupBox2, "RadioButtonCurrent", tr("Current cursor position"), {8, 40});

    // Each button answers Alt and a letter of its caption, which "&" marks:
    // drawn underlined, never shown, and left out of the accessible name.
    btnFind            = button("btnFind", tr("&Find"), {336, 8, 85, 25}, &TfrmFind::btnFindClick);
    btnFindNext        = button("btnFindNext", tr("Find &Next"), {336, 40, 85, 25}, &TfrmFind::btnFindNextClick);
    btnReplaceCurrent  = button("btnReplaceCurrent", tr("Replace &Current"), {336, 72, 85, 25}, &TfrmFind::btnReplaceCurrentClick);
    btnReplaceNext     = button("btnReplaceNext", tr("&Replace Next"), {336, 104, 85, 25}, &TfrmFind::btnReplaceNextClick);
    btnReplaceAll      = button("btnReplaceAll", tr("Replace &All"), {336, 136, 85, 25}, &TfrmFind::btnReplaceAllClick);
    btnClose           = button("btnClose", tr("C&lose"), {336, 200, 85, 25}, &TfrmFind::btnCloseClick);
    // clang-format on

    // Nothing reads it: replacing never asks.
    CheckBoxPrompt->setEnabled(false);
    btnFind->setDefault(true);
    connect(CheckBoxCase, &QCheckBox::toggled, this, [this] { CheckBoxCaseClick(); });
    connect(CheckBoxWhole, &QCheckBox::toggled, this, [this] { CheckBoxWholeClick(); });
    cbFind->installEventFilter(this);
    cbReplace->installEventFilter(this);
}

QPushButton *TfrmFind::button(const char *name, const QString &caption, const QRect &geometry,
                              void (TfrmFind::*handler)())
{
    auto *b = placed(new QPushButton(caption, this), name, geometry);
    // No catch of the dialog's own: a failure shows as the framework would
    // show it, and the window carries on.
    connect(b, &QPushButton::clicked, this,
            [this, handler] { reportUnhandled([this, handler] { (this->*handler)(); }); });
    return b;
}

// Life cycle ----------------------------------------------------------------------

void TfrmFind::FormCreate()
{
    LastSearchFound = false;
    LoadFindItems();
    // The boxes start empty, the histories in their lists.
    cbFind->setCurrentIndex(-1);
    cbReplace->setCurrentIndex(-1);
    RadioButtonThis->setChecked(true);
    RadioButtonCurrent->setChecked(true);
    rbDown->setChecked(true);
    ReplacingAll = false;
}

void TfrmFind::showDialog()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    cbFind->setFocus();
}

void TfrmFind::showFor(TRichEdit *editor)
{
    FindReplace->setEditControl(RichEditSearchable::of(editor));
    showDialog();
}

void TfrmFind::findAgain()
{
    if (!cbFind->currentText().isEmpty())
        btnFindNext->click();
}

void TfrmFind::btnCloseClick()
{
    close();
}

void TfrmFind::reject()
{
    close();
}

// Closing hides the window, which lives on for the next Find.
void TfrmFind::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TfrmFind::FormClose()
{
    reportFailure(tr("Error in TfrmFind.FormClose"), [this] {
        SettingsStore store;
        findhistory::save(*cbFind, store, findhistory::findNames());
        findhistory::save(*cbReplace, store, findhistory::replaceNames());
        store.close();
    });
}

void TfrmFind::LoadFindItems()
{
    reportFailure(tr("Error in TfrmFind.LoadFindItems"), [this] {
        SettingsStore store;
        findhistory::load(*cbFind, store, findhistory::findNames());
        findhistory::load(*cbReplace, store, findhistory::replaceNames());
    });
}

// History -------------------------------------------------------------------------

bool TfrmFind::eventFilter(QObject *watched, QEvent *event)
{
    // The focus moving to another control of this window; not the box's own
    // list opening, nor another window taking over.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == cbFind)
                cbFindExit();
            else if (watched == cbReplace)
                cbReplaceExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmFind::cbFindExit()
{
    findhistory::remember(*cbFind);
}

void TfrmFind::cbReplaceExit()
{
    findhistory::remember(*cbReplace);
}

// The engine's events -------------------------------------------------------------------

void TfrmFind::FindReplaceFind()
{
    LastSearchFound = true;
}

void TfrmFind::FindReplaceNotFound()
{
    LastSearchFound = false;
    if (!ReplacingAll && !RadioButtonAll->isChecked())
        showNotFound();
}

void TfrmFind::showNotFound()
{
    prompts().information(tr("Search string \"%1\" not found").arg(cbFind->currentText()));
}

// Options -------------------------------------------------------------------------------

void TfrmFind::CheckBoxCaseClick()
{
    applyCheckBoxes();
}

void TfrmFind::CheckBoxWholeClick()
{
    applyCheckBoxes();
}

void TfrmFind::applyCheckBoxes()
{
    TFindOptions options = FindReplace->Options();
    options.setFlag(frMatchCase, CheckBoxCase->isChecked());
    options.setFlag(frWholeWord, CheckBoxWhole->isChecked());
    FindReplace->setOptions(options);
}

void TfrmFind::applyDirection()
{
    TFindOptions options = FindReplace->Options();
    if (rbUp->isChecked())
        options.setFlag(frDown, false);
    else if (rbDown->isChecked())
        options.setFlag(frDown, true);
    FindReplace->setOptions(options);
}

// Searching -------------------------------------------------------------------------------

void TfrmFind::SetEditor()
{
    reportFailure(tr("Error in TfrmFind.SetEditor"), [this] {
        TRichEdit *editor = m_host.activeDocumentEditor();
        // Never left bound to the document before.
        FindReplace->setEditControl(RichEditSearchable::of(editor));
        if (!editor)
            throw std::runtime_error("The active document has no editor");
    });
}

void TfrmFind::moveCaretToStart()
{
    if (SearchableEdit *edit = FindReplace->EditControl())
        edit->setSelStart(0);
}

void TfrmFind::takeFindText()
{
    FindReplace->setFindText(cbFind->currentText());
}

bool TfrmFind::searchDocuments(const std::function<void(int)> &search)
{
    LastSearchFound = false;
    const int count = m_host.documentCount();
    for (int i = 0; i < count; ++i) {
        SetEditor();
        search(i);
        if (LastSearchFound) {
            m_host.showActiveDocument();
            return true;
        }
        m_host.nextDocument();
    }
    showNotFound();
    return false;
}

void TfrmFind::btnFindClick()
{
    applyDirection();
    const bool fromStart = RadioButtonStart->isChecked();
    const auto find = [this, fromStart](int) {
        if (fromStart)
            moveCaretToStart();
        takeFindText();
        FindReplace->Find();
    };
    if (RadioButtonThis->isChecked())
        find(0);
    else
        searchDocuments(find);
}

// From the caret in the active document, from the start in the others.
void TfrmFind::btnFindNextClick()
{
    applyDirection();
    const auto findNext = [this](int place) {
        if (place > 0)
            moveCaretToStart();
        takeFindText();
        FindReplace->FindNext();
    };
    if (RadioButtonThis->isChecked())
        findNext(0);
    else
        searchDocuments(findNext);
}

void TfrmFind::btnReplaceCurrentClick()
{
    FindReplace->setReplaceText(cbReplace->currentText());
    FindReplace->Replace();
}

// The next occurrence is selected and at once replaced. Only what this
// search found is replaced: a selection left from before stays.
void TfrmFind::btnReplaceNextClick()
{
    applyDirection();
    const auto replaceNext = [this](int place) {
        if (place > 0)
            moveCaretToStart();
        takeFindText();
        FindReplace->FindNext();
        if (!LastSearchFound)
            return;
        FindReplace->setReplaceText(cbReplace->currentText());
        FindReplace->Replace();
    };
    if (RadioButtonThis->isChecked())
        replaceNext(0);
    else
        searchDocuments(replaceNext);
}

// Every occurrence in the whole document, whatever the caret and the
// direction, and in every document with "All open documents"; no message.
void TfrmFind::btnReplaceAllClick()
{
    if (!FindReplace->mayWrite(cbReplace->currentText()))
        return;
    applyDirection();
    const QScopedValueRollback replacing(ReplacingAll, true);
    int replaced = 0;
    int documents = 0;
    const auto replaceAll = [&] {
        FindReplace->setReplaceText(cbReplace->currentText());
        takeFindText();
        FindReplace->ReplaceAll(FindReplace->FindText(), FindReplace->ReplaceText());
        replaced += FindReplace->replacedCount();
        documents += FindReplace->replacedCount() > 0 ? 1 : 0;
    };
    if (RadioButtonThis->isChecked()) {
        replaceAll();
    } else {
        const int count = m_host.documentCount();
        for (int i = 0; i < count; ++i) {
            SetEditor();
            replaceAll();
            m_host.nextDocument();
        }
    }
    m_host.showStatus(tr("Replace All: occurrences replaced: %1; documents changed: %2")
                          .arg(replaced)
                          .arg(documents));
}
