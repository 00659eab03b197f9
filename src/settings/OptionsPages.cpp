#include "settings/OptionsPages.h"

#include "controls/ActionTable.h"
#include "platform/system/Prompts.h"
#include "platform/text/WinColors.h"
#include "settings/OptionsControls.h"
#include "settings/OptionsHost.h"
#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace optionscontrols;
using namespace settingsnames;

namespace {

// The store keeps plain RGB values: a system colour as it looks now.
int rgbOf(quint32 color)
{
    return int(wincolors::fromColor(wincolors::toColor(color, QGuiApplication::palette())));
}

} // namespace

// General page ------------------------------------------------------------------------

GeneralPage::GeneralPage(OptionsHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    createControls();
}

void GeneralPage::createControls()
{
    btnBGColor = button(this, "btnBGColor", tr("&BackGround Color"));
    onClick(btnBGColor, [this] { btnBGColorClick(); });
    btnFont = button(this, "btnFont", tr("&Font "));
    onClick(btnFont, [this] { btnFontClick(); });
    MemoDemo =
        new QPlainTextEdit(tr("Sample Text") + QLatin1Char('\n') + tr("Примерный текст"), this);
    MemoDemo->setObjectName(QStringLiteral("MemoDemo"));
    MemoDemo->setAccessibleName(tr("Sample Text"));
    MemoDemo->setTabChangesFocus(true);
    MemoDemo->setFixedHeight(MemoDemo->fontMetrics().lineSpacing() * 4);
    cbReopenDocuments =
        checkBox(this, "cbReopenDocuments", tr("&Reopen the documents open at exit"));
    connect(cbReopenDocuments, &QCheckBox::clicked, this, [this] { btnOKGen->setEnabled(true); });
    btnOKGen = applyButton(this, "btnOKGen");
    onClick(btnOKGen, [this] { btnOKGenClick(); });

    auto *choices = new QHBoxLayout;
    choices->addWidget(btnBGColor);
    choices->addWidget(btnFont);
    choices->addStretch(1);
    auto *page = new QVBoxLayout(this);
    page->addLayout(choices);
    page->addWidget(MemoDemo);
    page->addWidget(cbReopenDocuments);
    page->addStretch(1);
    addApplyRow(page, btnOKGen);
}

void GeneralPage::load()
{
    const CurrentSettings &current = m_host.currentSettings();
    m_pendingColor = current.EditorBGColor;
    m_pendingFont = current.EditorFont;
    cbReopenDocuments->setChecked(current.ReopenDocuments);
}

void GeneralPage::showApplied()
{
    const CurrentSettings &current = m_host.currentSettings();
    showDemoColor(current.EditorBGColor);
    showDemoFont(current.EditorFont);
}

void GeneralPage::showDemoColor(quint32 color)
{
    QPalette palette = MemoDemo->palette();
    palette.setColor(QPalette::Base, wincolors::toColor(color, QGuiApplication::palette()));
    MemoDemo->setPalette(palette);
}

void GeneralPage::showDemoFont(const FontSpec &font)
{
    QPalette palette = MemoDemo->palette();
    palette.setColor(QPalette::Text, font.shownColor());
    MemoDemo->setPalette(palette);
    MemoDemo->setFont(font.toQFont());
}

void GeneralPage::btnBGColorClick()
{
    const auto chosen = prompts().color(m_pendingColor);
    if (!chosen)
        return;
    m_pendingColor = *chosen;
    showDemoColor(m_pendingColor);
    btnOKGen->setEnabled(true);
}

void GeneralPage::btnFontClick()
{
    const auto chosen = prompts().font({m_pendingFont.toCharAttributes(), true});
    if (!chosen)
        return;
    m_pendingFont = FontSpec::fromCharAttributes(*chosen);
    showDemoFont(m_pendingFont);
    btnOKGen->setEnabled(true);
}

void GeneralPage::btnOKGenClick()
{
    reportFailure(tr("Error in TfrmOptions.btnOKGenClick"), [this] {
        CurrentSettings &current = m_host.currentSettings();
        current.EditorBGColor = m_pendingColor;
        current.EditorFont = m_pendingFont;
        const FontSpec &font = current.EditorFont;
        const int styleCode = stylecode::fromStyle(font.style);
        SettingsStore store;
        store.writeInteger(BGColorSection, BGColor, rgbOf(current.EditorBGColor));
        store.writeInteger(FontColorSection, FGFontColor, rgbOf(font.color));
        store.writeInteger(FontSizeSection, FGFontSize, font.size());
        store.writeString(FontNameSection, FGFontName, font.name);
        store.writeInteger(FontNameSection, FGFontStyle, styleCode);
        store.writeInteger(FontNameSection, FGFontCharSet, font.charset);
        current.ReopenDocuments = cbReopenDocuments->isChecked();
        store.writeBool(Session, ReopenDocuments, current.ReopenDocuments);
        store.close();
        btnOKGen->setEnabled(false);
    });
    m_host.settingsApplied();
}

// Favourites page ---------------------------------------------------------------------

FavouritesPage::FavouritesPage(OptionsHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    createControls();
}

void FavouritesPage::createControls()
{
    ListBoxFav = new QListWidget(this);
    ListBoxFav->setObjectName(QStringLiteral("ListBoxFav"));
    ListBoxFav->setAccessibleName(tr("Favourites"));
    PopupMenuFav = new QMenu(this);
    PopupMenuFav->setObjectName(QStringLiteral("PopupMenuFav"));
    // clang-format off
    actions::addTo(PopupMenuFav, {
        {.slot = &FavInsert, .name = "FavInsert", .caption = tr("Insert"),
         .handler = [this] { btnInsertClick(); }},
        {.slot = &FavDelete, .name = "FavDelete", .caption = tr("Delete"),
         .handler = [this] { FavDeleteClick(); }},
        {.slot = &FavClear, .name = "FavClear", .caption = tr("Clear All"),
         .handler = [this] { FavClearClick(); }},
    });
    // clang-format on
    ListBoxFav->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBoxFav, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenuFav->popup(ListBoxFav->viewport()->mapToGlobal(pos));
    });
    btnInsert = button(this, "btnInsert", tr("&Insert"));
    onClick(btnInsert, [this] { btnInsertClick(); });
    btnOKFav = applyButton(this, "btnOKFav");
    onClick(btnOKFav, [this] { btnOKFavClick(); });

    auto *page = new QVBoxLayout(this);
    page->addWidget(ListBoxFav, 1);
    addApplyRow(page, btnOKFav, {btnInsert});
}

void FavouritesPage::load()
{
    const CurrentSettings &current = m_host.currentSettings();
    ListBoxFav->clear();
    for (int n = 0; n < current.FavourCount; ++n)
        ListBoxFav->addItem(current.FavouriteFiles[size_t(n)]);
}

// The limit is told once a file was picked: the user learns why that file
// was not added.
void FavouritesPage::btnInsertClick()
{
    const Prompts::OpenFileRequest request{
        QString(), {{tr("All files (*.*)"), QStringLiteral("*.*")}}, 1, QString()};
    const auto chosen = prompts().openFile(request);
    if (!chosen)
        return;
    if (ListBoxFav->count() >= kListSize) {
        prompts().error(tr("Sorry,only %1 Favourites").arg(kListSize));
        return;
    }
    ListBoxFav->addItem(QFileInfo(*chosen).absoluteFilePath());
    btnOKFav->setEnabled(true);
}

void FavouritesPage::FavDeleteClick()
{
    qDeleteAll(ListBoxFav->selectedItems());
    btnOKFav->setEnabled(true);
}

void FavouritesPage::FavClearClick()
{
    ListBoxFav->clear();
    btnOKFav->setEnabled(true);
}

// Both favourites menus are built anew from the store, by the same load
// that runs at start.
void FavouritesPage::btnOKFavClick()
{
    reportFailure(tr("Error in TfrmOptions.btnOKFavClick"), [this] {
        int count = ListBoxFav->count();
        if (count > kListSize) {
            prompts().error(tr("Only %1 Favourites").arg(kListSize));
            count = kListSize;
        }
        SettingsStore store;
        store.writeInteger(Favourites, FavourCount, count);
        for (int n = 0; n < count; ++n)
            store.writeString(Favourites, item(n), ListBoxFav->item(n)->text());
        store.close();
        btnOKFav->setEnabled(false);
        m_host.RemoveFavouriteEntries();
        m_host.LoadDefaultValue();
    });
}

// LangParser page ---------------------------------------------------------------------

LangParserPage::LangParserPage(OptionsHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    createControls();
}

void LangParserPage::createControls()
{
    const struct
    {
        QPushButton *&slot;
        const char *name;
        QString caption;
        QString hint;
        void (LangParserPage::*handler)();
    } fontButtons[] = {
        {btnCommentFont, "btnCommentFont", tr("C&omment Font"),
         tr("Sets the font and style for comments"), &LangParserPage::btnCommentFontClick},
        {btnKeywordFont, "btnKeywordFont", tr("&Keyword Font"),
         tr("Sets the font and style for keywords"), &LangParserPage::btnKeywordFontClick},
        {btnNormalFont, "btnNormalFont", tr("&Normal Font"),
         tr("Sets the font and style for any normal text"), &LangParserPage::btnNormalFontClick},
        {btnNumberFont, "btnNumberFont", tr("N&umber Font"),
         tr("Sets the font and style for numbers"), &LangParserPage::btnNumberFontClick},
        {btnStringFont, "btnStringFont", tr("&String Font"),
         tr("Sets the font and style for strings"), &LangParserPage::btnStringFontClick},
    };
    // The font buttons stand in a column of one width.
    auto *column = new QVBoxLayout;
    for (const auto &b : fontButtons) {
        b.slot = button(this, b.name, b.caption, b.hint);
        onClick(b.slot, [this, handler = b.handler] { (this->*handler)(); });
        column->addWidget(b.slot);
    }
    auto *fonts = new QHBoxLayout;
    fonts->addLayout(column);
    fonts->addStretch(1);
    auto *page = new QVBoxLayout(this);
    page->addLayout(fonts);
    btnOKLang = applyButton(this, "btnOKLang");
    onClick(btnOKLang, [this] { btnOKLangClick(); });
    cbLangParserEnabled = checkBox(this, "cbLangParserEnabled", tr("Language Parser enabled"),
                                   tr("enable or disable language parser"));
    connect(cbLangParserEnabled, &QCheckBox::clicked, this, [this] { cbLangParserEnabledClick(); });

    auto *explained = new QVBoxLayout;
    explained->addWidget(label(this, tr("Отключение грамматического анализатора позволит "
                                        "ускорить загрузку больших файлов")));
    explained->addWidget(label(this, tr("Disable a language parser will allow to accelerate "
                                        "opening the greater files")));
    auto *parser = new QHBoxLayout;
    parser->addWidget(cbLangParserEnabled, 0, Qt::AlignTop);
    parser->addLayout(explained, 1);
    page->addLayout(parser);
    page->addStretch(1);
    addApplyRow(page, btnOKLang);
}

void LangParserPage::loadStyleFonts()
{
    const auto current = m_host.currentSettings().styleFonts();
    for (size_t i = 0; i < m_pending.size(); ++i)
        m_pending[i] = *current[i];
}

void LangParserPage::chooseFont(int style)
{
    FontSpec &pending = m_pending[size_t(style)];
    if (const auto chosen = prompts().font({pending.toCharAttributes()}))
        pending = FontSpec::fromCharAttributes(*chosen);
    btnOKLang->setEnabled(true);
}

void LangParserPage::cbLangParserEnabledClick()
{
    btnOKLang->setEnabled(true);
    m_host.currentSettings().LangParserEnabled = cbLangParserEnabled->isChecked();
}

void LangParserPage::btnOKLangClick()
{
    reportFailure(tr("Error in TfrmOptions.btnOKLangClick"), [this] {
        CurrentSettings &current = m_host.currentSettings();
        const auto fonts = current.styleFonts();
        for (size_t i = 0; i < fonts.size(); ++i)
            *fonts[i] = m_pending[i];
        const std::array<QString, 5> names = {CommentFont, KeywordFont, NormalFont, NumberFont,
                                              StringFont};
        SettingsStore store;
        for (size_t i = 0; i < fonts.size(); ++i) {
            fontrecord::Record record{};
            m_host.FontToRegistry(record, *fonts[i]);
            store.writeBinaryData(MainKey, names[i], fontrecord::toBytes(record));
        }
        store.writeBool(LangParser, LangParserEnabled, current.LangParserEnabled);
        store.close();
        btnOKLang->setEnabled(false);
    });
}
