#include "settings/uniOptions.h"

#include "platform/system/Prompts.h"
#include "settings/OptionsControls.h"
#include "settings/OptionsHost.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace optionscontrols;
using namespace settingsnames;

namespace {

// The client area the dialog was laid out for; it grows where its texts
// need more room.
constexpr QSize kClientSize(366, 302);

} // namespace

TfrmOptions::TfrmOptions(OptionsHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
{
    setModal(false);
    createControls();
    FormCreate();
}

// Layout ------------------------------------------------------------------------

void TfrmOptions::createControls()
{
    setWindowTitle(tr("Options"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(tr("Options"));
    TSGeneral = new GeneralPage(m_host, this);
    TSFavourites = new FavouritesPage(m_host, this);
    TSApp = createTranslatePage();
    TSLangParser = new LangParserPage(m_host, this);
    TSOther = createOtherPage();
    PageControl1->addTab(TSGeneral, tr("General"));
    PageControl1->addTab(TSFavourites, tr("Favourites"));
    PageControl1->addTab(TSApp, tr("Translate"));
    PageControl1->addTab(TSLangParser, tr("LangParser"));
    PageControl1->addTab(TSOther, tr("Other"));
    PageControl1->setCurrentWidget(TSGeneral);

    ButtonClose = button(this, "ButtonClose", tr("&Close"));
    onClick(ButtonClose, [this] { ButtonCloseClick(); });

    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(closeRow);
    setMinimumSize(kClientSize);

    // Centred on the screen, at the size its contents ask for.
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget *TfrmOptions::createTranslatePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSApp"));

    Edit1 = new QLineEdit(page);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(tr("Enter Hot Keys"));
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    QLabel *enter = label(page, tr("Enter Hot Keys"), Look::Bold);
    enter->setBuddy(Edit1);

    Memo1 = new QPlainTextEdit(page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(tr("Samples"));
    Memo1->setReadOnly(true);
    Memo1->setTabChangesFocus(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QStringList samples = {
        tr("^%z                -Ctrl+Alt+Z"), tr("^({INS}{INS}) - Ctrl+Ins+Ins"),
        tr("^{F11}            -Ctrl+F11"), tr("+p                  -Shift +P"),
        tr("%a                  -Alt + A")};
    Memo1->setPlainText(samples.join(QLatin1Char('\n')));
    QLabel *samplesLabel = label(page, tr("Samples"), Look::Bold);
    samplesLabel->setBuddy(Memo1);

    // The memo fits its lines; the two notes stand beside its first two.
    const QFontMetrics metrics = Memo1->fontMetrics();
    const int margin = Memo1->frameWidth() + int(Memo1->document()->documentMargin());
    int widest = 0;
    for (const QString &line : samples)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    Memo1->setFixedSize(widest + 2 * margin + metrics.averageCharWidth(),
                        metrics.lineSpacing() * int(samples.size()) + 2 * margin);
    auto *defaults = new QVBoxLayout;
    defaults->setContentsMargins(0, margin, 0, 0);
    defaults->setSpacing(0);
    for (const QString &note :
         {tr("<- по умолчанию в Сократе 97"), tr("<- по умолчанию в Lingvo 5.0")}) {
        QLabel *l = label(page, note);
        l->setWordWrap(false);
        l->setFixedHeight(metrics.lineSpacing());
        defaults->addWidget(l);
    }
    defaults->addStretch(1);

    btnOKHot = applyButton(page, "btnOKHot");
    onClick(btnOKHot, [this] { btnOKHotClick(); });
    CBTranslate = checkBox(page, "CBTranslate", tr("Enable Translate popup menu"),
                           tr("Появление пункта Translate во всплывающем меню"));
    connect(CBTranslate, &QCheckBox::clicked, this, [this] { CBTranslateClick(); });

    auto *grid = new QGridLayout;
    grid->addWidget(enter, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(samplesLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(Memo1, 1, 1);
    grid->addLayout(defaults, 1, 2);
    grid->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(label(page,
                            tr("Данная горячая клавиша используется для быстрого вызова "
                               "какого-нибудь переводчика(типа Сократ 97) при выборе "
                               "всплывающего меню Translate и выделении текста"),
                            Look::Green));
    layout->addWidget(label(page,
                            tr("Given hot key is used for quick calling some translator(type "
                               "Socrates 97) at choice popup menu Translate and separation of "
                               "text"),
                            Look::Green));
    layout->addStretch(1);
    addApplyRow(layout, btnOKHot, {CBTranslate});
    return page;
}

QWidget *TfrmOptions::createOtherPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSOther"));
    CBOnlyOneKeyLayout = checkBox(page, "CBOnlyOneKeyLayout", tr("Only One Keyboard Layout"));
    connect(CBOnlyOneKeyLayout, &QCheckBox::clicked, this, [this] { CBOnlyOneKeyLayoutClick(); });
    btnOKOther = applyButton(page, "btnOKOther");
    onClick(btnOKOther, [this] { btnOKOtherClick(); });
    const QStringList explanation = {
        tr("Разрешает или запрещает переключение раскладки клавиатуры"),
        tr("при изменении кодовой страници шрифта."),
        tr("Allows or forbids switching an keyboard layout when changing a code"),
        tr("page of font.")};

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(CBOnlyOneKeyLayout);
    layout->addWidget(label(page, explanation.join(QLatin1Char('\n')), Look::Green));
    layout->addStretch(1);
    addApplyRow(layout, btnOKOther);
    return page;
}

// Life cycle ----------------------------------------------------------------------

// The controls take the current values. The Apply buttons that filling
// them enabled are disabled at the end: the dialog starts clean.
void TfrmOptions::FormCreate()
{
    const CurrentSettings &current = m_host.currentSettings();
    TSLangParser->loadStyleFonts();
    Edit1->setText(current.TranslateHotKeys);
    TSGeneral->load();
    CBOnlyOneKeyLayout->setChecked(current.OnlyOneKeyLayout);
    CBTranslate->setChecked(current.TranslateEnabled);
    TSLangParser->cbLangParserEnabled->setChecked(current.LangParserEnabled);
    TSFavourites->load();
    for (QPushButton *apply : applyButtons())
        apply->setEnabled(false);
}

void TfrmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmOptions::FormShow()
{
    TSGeneral->showApplied();
}

QList<QPushButton *> TfrmOptions::applyButtons() const
{
    return {TSGeneral->btnOKGen, btnOKOther, TSFavourites->btnOKFav, btnOKHot,
            TSLangParser->btnOKLang};
}

bool TfrmOptions::OptionsModified() const
{
    const QList<QPushButton *> buttons = applyButtons();
    return std::any_of(buttons.begin(), buttons.end(),
                       [](const QPushButton *b) { return b->isEnabled(); });
}

QString TfrmOptions::hotKeyText() const
{
    return Edit1->text();
}

bool TfrmOptions::translateOffered() const
{
    return CBTranslate->isChecked();
}

// Closing ----------------------------------------------------------------------

void TfrmOptions::ButtonCloseClick()
{
    close();
}

void TfrmOptions::reject()
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        QDialog::reject();
}

// Nothing is thrown away: what was not applied is still there next time.
void TfrmOptions::FormCloseQuery(bool &canClose)
{
    try {
        if (OptionsModified())
            canClose = prompts().yesNo(tr("Options were modified,leave without the saving?"));
    } catch (...) {
        reportCurrentFailure(tr("Error in TfrmOptions.FormCloseQuery"));
        canClose = true;
    }
}

// Translate page ----------------------------------------------------------------

void TfrmOptions::Edit1Change()
{
    btnOKHot->setEnabled(true);
}

void TfrmOptions::CBTranslateClick()
{
    btnOKHot->setEnabled(true);
    m_host.currentSettings().TranslateEnabled = CBTranslate->isChecked();
}

// The hot key is in use from here on: the page counts as applied even when
// the store then fails, which is reported.
void TfrmOptions::btnOKHotClick()
{
    reportFailure(tr("Error in TfrmOptions.btnOKHotClick"), [this] {
        CurrentSettings &current = m_host.currentSettings();
        // Blanks are there for reading only.
        current.TranslateHotKeys = QString(Edit1->text()).remove(QLatin1Char(' '));
        btnOKHot->setEnabled(false);
        SettingsStore store;
        store.writeString(HotKeys, HotKeys, current.TranslateHotKeys);
        store.writeBool(HotKeys, EnableTranslate, current.TranslateEnabled);
        store.close();
    });
    m_host.settingsApplied();
}

// Other page ----------------------------------------------------------------------

void TfrmOptions::CBOnlyOneKeyLayoutClick()
{
    btnOKOther->setEnabled(true);
}

void TfrmOptions::btnOKOtherClick()
{
    reportFailure(tr("Error in TfrmOptions.btnOKOtherClick"), [this] {
        btnOKOther->setEnabled(false);
        CurrentSettings &current = m_host.currentSettings();
        current.OnlyOneKeyLayout = CBOnlyOneKeyLayout->isChecked();
        SettingsStore store;
        store.writeBool(Other, settingsnames::OnlyOneKeyLayout, current.OnlyOneKeyLayout);
        store.close();
    });
    m_host.settingsApplied();
}
