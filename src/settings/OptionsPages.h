#pragma once

#include "settings/FontRecord.h"

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class OptionsHost;

// The pages of the Options dialog that hold values of their own between
// the user's choice and Apply. Each page's Apply button is enabled while
// the page holds changes not yet applied; Apply writes the page's values
// into the current settings and the settings store.

// The General page: the editor's background colour and font, and whether
// the documents of one run open again at the next.
class GeneralPage : public QWidget
{
    Q_OBJECT

public:
    GeneralPage(OptionsHost &host, QWidget *parent = nullptr);

    QPushButton *btnBGColor = nullptr;
    QPushButton *btnFont = nullptr;
    QPlainTextEdit *MemoDemo = nullptr;
    QCheckBox *cbReopenDocuments = nullptr;
    QPushButton *btnOKGen = nullptr;

    // The pending colour, font and choice start as the current ones.
    void load();
    // The demo memo shows the applied colour and font, whatever is pending.
    void showApplied();

    void btnBGColorClick();
    void btnFontClick();
    void btnOKGenClick();

private:
    void createControls();
    void showDemoColor(quint32 color);
    void showDemoFont(const FontSpec &font);

    OptionsHost &m_host;
    quint32 m_pendingColor = 0xFFFFFF;
    FontSpec m_pendingFont;
};

// The Favourites page: the list of favourite files behind both favourites
// menus.
class FavouritesPage : public QWidget
{
    Q_OBJECT

public:
    FavouritesPage(OptionsHost &host, QWidget *parent = nullptr);

    QListWidget *ListBoxFav = nullptr;
    QMenu *PopupMenuFav = nullptr;
    QAction *FavInsert = nullptr;
    QAction *FavDelete = nullptr;
    QAction *FavClear = nullptr;
    QPushButton *btnInsert = nullptr;
    QPushButton *btnOKFav = nullptr;

    // The list shows the current favourites.
    void load();

    void btnInsertClick();
    void FavDeleteClick();
    void FavClearClick();
    void btnOKFavClick();

private:
    void createControls();

    OptionsHost &m_host;
};

// The LangParser page: the fonts of the five syntax styles and the Language
// Parser switch.
class LangParserPage : public QWidget
{
    Q_OBJECT

public:
    LangParserPage(OptionsHost &host, QWidget *parent = nullptr);

    QPushButton *btnCommentFont = nullptr;
    QPushButton *btnKeywordFont = nullptr;
    QPushButton *btnNormalFont = nullptr;
    QPushButton *btnNumberFont = nullptr;
    QPushButton *btnStringFont = nullptr;
    QPushButton *btnOKLang = nullptr;
    QCheckBox *cbLangParserEnabled = nullptr;

    // Each style's dialog starts from a copy of the current style font.
    void loadStyleFonts();

    void btnCommentFontClick() { chooseFont(0); }
    void btnKeywordFontClick() { chooseFont(1); }
    void btnNormalFontClick() { chooseFont(2); }
    void btnNumberFontClick() { chooseFont(3); }
    void btnStringFontClick() { chooseFont(4); }
    void cbLangParserEnabledClick();
    void btnOKLangClick();

private:
    void createControls();
    // Runs the style's font dialog; the page counts as changed either way.
    void chooseFont(int style);

    OptionsHost &m_host;
    // Comment, keyword, normal, number, string.
    std::array<FontSpec, 5> m_pending;
};
