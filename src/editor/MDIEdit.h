#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class TEditHost;
class TRichEdit;

// An edit window: one document in its rich-edit control, with its toolbar,
// ruler, status bar and menus, living in the frame's MDI area.
class TEditForm : public QWidget
{
    Q_OBJECT

public:
    // What closing leaves of the window.
    enum class CloseAction { None, Minimize, Free };

    // Status bar panels.
    enum Panel { CaretPanel = 0, ModifiedPanel = 1, InsertPanel = 2, LoadingPanel = 3 };

    // Runs FormCreate; the frame sets Tag and then the caption or Open.
    explicit TEditForm(TEditHost &host, QWidget *parent = nullptr);

    // Controls
    QToolBar *ToolBar = nullptr;
    QFrame *Ruler = nullptr;
    QStatusBar *StatusBar = nullptr;
    TRichEdit *Editor = nullptr;
    QMenu *File1 = nullptr;
    QMenu *Convert1 = nullptr;
    QAction *mnuEngToLower = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // File menu
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Refresh1 = nullptr;
    QAction *Close1 = nullptr;
    QAction *CloseAll1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *Saveas1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *Printersetup1 = nullptr;
    QAction *Exit1 = nullptr;

    // Convert menu
    QAction *D866W1251 = nullptr;
    QAction *W1251D866 = nullptr;
    QAction *Koi8Win12511 = nullptr;
    QAction *Win1251Koi8 = nullptr;

    // Popup menu
    QAction *Cut2 = nullptr;
    QAction *Copy2 = nullptr;
    QAction *Paste2 = nullptr;
    QAction *InStart1 = nullptr;

    // Toolbar buttons
    QAction *NewlButton = nullptr;
    QAction *OpenButton = nullptr;
    QAction *SaveButton = nullptr;
    QAction *PrintButton = nullptr;

    // The document's name: "Untitled" and a number, or the path it was
    // loaded from or saved to. The caption always shows the same.
    QString FFileName;
    // The document's serial number, shared with its tab.
    int Tag = 0;

    // Loads a file into the window; a failure is reported and leaves the
    // text as it was. Returns whether the file was loaded.
    bool Open(const QString &path);
    // A document whose file could not be read must not be saved over that
    // file: it takes the next free "Untitled" name, so Save asks for one.
    void becomeUntitled();
    // Saving throws FileError when the file cannot be written.
    void Save1Click();
    void Saveas1Click();
    void Refresh1Click();
    void Close1Click();
    void Print1Click();
    void Printersetup1Click();

    void FormCloseQuery(bool &canClose);
    void FormClose(CloseAction &action);
    void FormActivate();
    void Synchronize();
    void SetEditRect();
    // The window was resized or minimised, maximised or restored.
    void FormResize();

    void ShowModifiedState(bool modified);
    void RichEditChange();

    // Editing and whole-text commands.
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Edit1Click();
    void D866W1251Click();
    void W1251D866Click();
    void Koi8Win12511Click();
    void Win1251Koi8Click();
    void mnuEngToLowerClick();
    void InStart1Click();

    // The menus this window brings to the frame's menu bar (as their menu
    // bar items), each with its merge group.
    QList<QPair<QAction *, int>> mergedMenus() const;
    QString panelText(Panel panel) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void createFileMenu();
    void createConvertMenu();
    void createPopupMenu();
    // Re-encodes the whole document through a byte table.
    void convert(const std::array<unsigned char, 256> &table);
    void createToolBar();
    void createStatusBar();
    void FormCreate();
    void FormShow();
    void setPanel(Panel panel, const QString &text);
    void setCaption(const QString &name);
    // The File menu's recent-file tail, copied from the frame's.
    void rebuildRecentFiles();
    // Writes the document to the path, as RTF or plain text by its
    // extension.
    void saveTo(const QString &path);
    // Caption, file name and the window's own tab.
    void renameDocument(const QString &name);
    void showTextLimitReached();

    TEditHost &m_host;
    QList<QLabel *> m_panels;
    int m_fixedFileItems = 0;
    bool m_settingsApplied = false;
};
