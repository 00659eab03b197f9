#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class FindHost;
class TFindReplace;
class TRichEdit;

// The Find & Replace window: one for the whole run, modeless, kept over all
// windows, other programs' too. It drives its search engine over the
// current document or over every open document, from the caret or from the
// start, and keeps the texts searched for and replaced with between runs.
class TfrmFind : public QDialog
{
    Q_OBJECT

public:
    // Created hidden; loads the histories.
    explicit TfrmFind(FindHost &host, QWidget *parent = nullptr);

    // Controls
    QFrame *Bevel1 = nullptr;
    QFrame *Bevel2 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cbFind = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbReplace = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QCheckBox *CheckBoxCase = nullptr;
    QCheckBox *CheckBoxWhole = nullptr;
    QCheckBox *CheckBoxPrompt = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    QRadioButton *rbUp = nullptr;
    QRadioButton *rbDown = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QRadioButton *RadioButtonAll = nullptr;
    QRadioButton *RadioButtonThis = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QRadioButton *RadioButtonStart = nullptr;
    QRadioButton *RadioButtonCurrent = nullptr;
    QPushButton *btnFind = nullptr;
    QPushButton *btnFindNext = nullptr;
    QPushButton *btnReplaceCurrent = nullptr;
    QPushButton *btnReplaceNext = nullptr;
    QPushButton *btnReplaceAll = nullptr;
    QPushButton *btnClose = nullptr;

    // The engine; the edit window's Find command binds it to its control.
    // Its binding empties itself when the control is destroyed.
    TFindReplace *FindReplace = nullptr;

    // Whether the engine's last search found something.
    bool LastSearchFound = false;
    // Set while Replace All works: no not-found message then.
    bool ReplacingAll = false;

    // Shows the window, or brings it forward, with the focus in the find box.
    void showDialog();
    // An edit window's Find: the engine searches its editor from now on,
    // and the window shows.
    void showFor(TRichEdit *editor);
    // An edit window's Find Again: Find Next, when the find box holds text.
    // The engine stays bound where it was.
    void findAgain();

    // Failures of the engine (none bound: "No editcontrol assigned!")
    // reach the caller.
    void btnFindClick();
    void btnFindNextClick();
    void btnReplaceCurrentClick();
    void btnReplaceNextClick();
    void btnReplaceAllClick();
    void btnCloseClick();
    void CheckBoxCaseClick();
    void CheckBoxWholeClick();
    // The focus left a box: its text goes to the top of its history.
    void cbFindExit();
    void cbReplaceExit();

    // Binds the engine to the active document's control.
    void SetEditor();
    void LoadFindItems();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    // Escape closes the window as Close does, the histories saved.
    void reject() override;

private:
    void createControls();
    QPushButton *button(const char *name, const QString &caption, const QRect &geometry,
                        void (TfrmFind::*handler)());
    void FormCreate();
    // Saves the histories.
    void FormClose();
    void FindReplaceFind();
    void FindReplaceNotFound();
    void showNotFound();
    void applyCheckBoxes();
    void applyDirection();
    void moveCaretToStart();
    void takeFindText();
    // Runs a search on the documents from the active one on, each bound in
    // turn, until one finds something; that one is brought forward.
    // `search` gets the document's place in the walk (0 for the first).
    // Returns whether one found something.
    bool searchDocuments(const std::function<void(int)> &search);

    FindHost &m_host;
};
