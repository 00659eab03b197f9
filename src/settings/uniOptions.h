#pragma once

#include "settings/OptionsPages.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class OptionsHost;

// The Options dialog: one page per group of settings, each with its own
// Apply button. It is made once, hidden, when the program starts, and shown
// without holding up the rest of the program; closing only hides it and
// keeps what was not applied.
class TfrmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOptions(OptionsHost &host, QWidget *parent = nullptr);

    // Controls
    QTabWidget *PageControl1 = nullptr;
    GeneralPage *TSGeneral = nullptr;
    FavouritesPage *TSFavourites = nullptr;
    QWidget *TSApp = nullptr;
    LangParserPage *TSLangParser = nullptr;
    QWidget *TSOther = nullptr;
    QPushButton *ButtonClose = nullptr;
    // Translate page
    QLineEdit *Edit1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *btnOKHot = nullptr;
    QCheckBox *CBTranslate = nullptr;
    // Other page
    QCheckBox *CBOnlyOneKeyLayout = nullptr;
    QPushButton *btnOKOther = nullptr;

    // Some page holds changes not yet applied.
    bool OptionsModified() const;

    // What an edit window takes when it is made, applied or not: the text
    // of the hot-key box as it stands, and whether it offers Translate.
    QString hotKeyText() const;
    bool translateOffered() const;

    // General page
    void btnBGColorClick() { TSGeneral->btnBGColorClick(); }
    void btnFontClick() { TSGeneral->btnFontClick(); }
    void btnOKGenClick() { TSGeneral->btnOKGenClick(); }
    // Favourites page
    void btnInsertClick() { TSFavourites->btnInsertClick(); }
    void FavDeleteClick() { TSFavourites->FavDeleteClick(); }
    void FavClearClick() { TSFavourites->FavClearClick(); }
    void btnOKFavClick() { TSFavourites->btnOKFavClick(); }
    // Translate page
    void Edit1Change();
    void CBTranslateClick();
    void btnOKHotClick();
    // LangParser page
    void btnCommentFontClick() { TSLangParser->btnCommentFontClick(); }
    void btnKeywordFontClick() { TSLangParser->btnKeywordFontClick(); }
    void btnNormalFontClick() { TSLangParser->btnNormalFontClick(); }
    void btnNumberFontClick() { TSLangParser->btnNumberFontClick(); }
    void btnStringFontClick() { TSLangParser->btnStringFontClick(); }
    void cbLangParserEnabledClick() { TSLangParser->cbLangParserEnabledClick(); }
    void btnOKLangClick() { TSLangParser->btnOKLangClick(); }
    // Other page
    void CBOnlyOneKeyLayoutClick();
    void btnOKOtherClick();

    void ButtonCloseClick();

protected:
    void showEvent(QShowEvent *event) override;
    // Every way of closing (the Close button, the title bar, Escape) asks
    // first when changes were not applied.
    void reject() override;

private:
    void createControls();
    QWidget *createTranslatePage();
    QWidget *createOtherPage();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool &canClose);
    QList<QPushButton *> applyButtons() const;

    OptionsHost &m_host;
};
