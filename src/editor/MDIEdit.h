#pragma once

#include "editor/EditHost.h"
#include "platform/text/FileFormat.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class EncodingHint;
class FileWatch;
class Formatting;
class IndentRuler;
class TDragDrop;
class TRichEdit;

// An edit window: one document in its rich-edit control, with its toolbar,
// ruler, status bar and menus, living in the frame's MDI area.
class TEditForm : public QWidget
{
    Q_OBJECT

public:
    // What closing leaves of the window.
    enum class CloseAction { None, Minimize, Free };

    // Status bar panels: the design's four, then how the file is written.
    enum Panel {
        CaretPanel = 0,
        ModifiedPanel = 1,
        InsertPanel = 2,
        LoadingPanel = 3,
        EncodingPanel = 4,
        LineBreakPanel = 5
    };

    // Runs FormCreate with the settings as the frame holds them now; the
    // frame sets Tag and then the caption or Open.
    TEditForm(EditHost &host, const EditorSettings &settings, QWidget *parent = nullptr);

    // The edit window an MDI sub-window holds, or null.
    static TEditForm *inWindow(const QMdiSubWindow *window);

    // Controls
    QToolBar *ToolBar = nullptr;
    IndentRuler *Ruler = nullptr;
    // Above the text while the file looks like another encoding.
    EncodingHint *encodingHint = nullptr;
    QStatusBar *StatusBar = nullptr;
    TRichEdit *Editor = nullptr;
    QMenu *File1 = nullptr;
    QMenu *Edit1 = nullptr;
    QMenu *Convert1 = nullptr;
    QAction *mnuEngToLower = nullptr;
    QMenu *PopupMenu1 = nullptr;
    // Takes files dropped on the window; the frame opens the first.
    TDragDrop *DragDrop2 = nullptr;

    // File menu
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Refresh1 = nullptr;
    QAction *Close1 = nullptr;
    QAction *CloseAll1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *Saveas1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *PrintPreview1 = nullptr;
    QAction *Printersetup1 = nullptr;
    QAction *Exit1 = nullptr;
    // How the file is read and written: its encoding and line breaks.
    QMenu *ReopenEncoding1 = nullptr;
    QMenu *SaveEncoding1 = nullptr;
    QMenu *LineEndings1 = nullptr;

    // Edit menu
    QAction *Undo1 = nullptr;
    QAction *Cut1 = nullptr;
    QAction *Copy1 = nullptr;
    QAction *Paste1 = nullptr;
    QAction *Delete1 = nullptr;
    QAction *Selectall1 = nullptr;
    QAction *Find1 = nullptr;
    QAction *FindAgain1 = nullptr;
    // Beside the design's commands: Redo, Go to Line and the zoom of the
    // text on the screen.
    QAction *Redo1 = nullptr;
    QAction *GoToLine1 = nullptr;
    QAction *ZoomIn1 = nullptr;
    QAction *ZoomOut1 = nullptr;
    QAction *ZoomNormal1 = nullptr;

    // Convert menu
    QAction *D866W1251 = nullptr;
    QAction *W1251D866 = nullptr;
    QAction *Koi8Win12511 = nullptr;
    QAction *Win1251Koi8 = nullptr;
    QAction *Utf8Win1251 = nullptr;
    QAction *Win1251Utf8 = nullptr;

    // Popup menu: Cut2, Copy2 and Paste2 are the Edit menu's commands.
    QAction *Cut2 = nullptr;
    QAction *Copy2 = nullptr;
    QAction *Paste2 = nullptr;
    QAction *Translate2 = nullptr;
    QAction *InStart1 = nullptr;

    // Toolbar buttons: the buttons up to PasteButton are the menus'
    // commands; the font, style, alignment and bullet controls are the
    // formatting part's (formatting()).
    QAction *NewlButton = nullptr;
    QAction *OpenButton = nullptr;
    QAction *SaveButton = nullptr;
    QAction *PrintButton = nullptr;
    QAction *UndoButton = nullptr;
    QAction *RedoButton = nullptr;
    QAction *CutButton = nullptr;
    QAction *CopyButton = nullptr;
    QAction *PasteButton = nullptr;
    QAction *btnRus = nullptr;
    QAction *btnEng = nullptr;

    // The document's name: "Untitled" and a number, or the path it was
    // loaded from or saved to. The caption always shows the same.
    QString FFileName;
    // The document's serial number, shared with its tab.
    int Tag = 0;
    // What Insert last switched the editor to, as panel 2 shows it.
    bool FOverwriteMode = false;

    // Loads a file into the window; a failure to read it is reported and
    // leaves the text as it was. Returns whether the file could be read: a
    // long text is then still going in.
    bool Open(const QString &path);
    // A document whose file could not be read must not be saved over that
    // file: it takes the next free "Untitled" name, so Save asks for one.
    void becomeUntitled();
    // Saving throws FileError when the file cannot be written.
    void Save1Click();
    void Saveas1Click();
    void Refresh1Click();
    // Reads the file again in the charset, which later reloads keep.
    void reopenWith(Charset charset);
    // Sets how the document is written and saves it.
    void saveWithEncoding(Charset charset, bool byteOrderMark);
    void setLineBreak(LineBreak lineBreak);
    void Close1Click();
    void Print1Click();
    void PrintPreview1Click();
    void Printersetup1Click();

    void DragDrop2FileDrop();

    void FormCloseQuery(bool &canClose);
    void FormClose(CloseAction &action);
    void FormActivate();
    void Synchronize();
    void SetEditRect();
    // The window was resized or minimised, maximised or restored.
    void FormResize();

    void ShowModifiedState(bool modified);
    void RichEditChange();

    // Brings the ruler, the toolbar and the caret position in line with
    // the text at the caret.
    void SelectionChange();
    void ShowCaretPosition();
    // Paste is offered while the clipboard holds a format the editor takes.
    void CheckPasteAvailable();
    void EditorKeyDown(int virtualKey, Qt::KeyboardModifiers modifiers);
    void EditorMouseDown();

    // Editing and whole-text commands.
    void Undo1Click();
    void Redo1Click();
    // Asks for a line and puts the caret at its start, in view.
    void GoToLine1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void Selectall1Click();
    // Binds the Find & Replace dialog's engine to this window's editor and
    // shows the dialog.
    void Find1Click();
    // Find Next of the dialog, when its find box holds text; the engine
    // stays bound where it was.
    void FindAgain1Click();
    void Edit1Click();
    void D866W1251Click();
    void W1251D866Click();
    void Koi8Win12511Click();
    void Win1251Koi8Click();
    void Utf8Win1251Click();
    void Win1251Utf8Click();
    void mnuEngToLowerClick();
    void InStart1Click();
    // Hands the selection, or the whole text, to a translator program: it
    // goes to the clipboard and the Translate hot key is typed.
    void Translate2Click();
    void btnRusClick();
    void btnEngClick();

    // Merge groups of the menu bar: a window's menus take the places of the
    // frame's menus of the same group.
    enum MenuGroup { FileMenuGroup = 0, EditMenuGroup = 2, FrameMenuGroup = 9 };

    // The menus this window brings to the frame's menu bar (as their menu
    // bar items), each with its merge group.
    QList<QPair<QAction *, int>> mergedMenus() const;
    QString panelText(Panel panel) const;

    // The font, style, alignment and bullet controls of the toolbar and the
    // Character menu.
    Formatting *formatting() const { return m_formatting; }

    // The program's settings changed: the hot key and the keep-one-layout
    // option count from now on (see EditorSettings).
    void takeSettings(const EditorSettings &settings);

    // A notice in the status bar, over the panels for a few seconds; said
    // once however often it recurs.
    void showNotice(const QString &notice);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void createFileMenu();
    void createEditMenu();
    void createCharacterMenu();
    void createEncodingMenus();
    void createConvertMenu();
    void createPopupMenu();
    // Re-encodes the whole document through a byte table.
    void convert(const std::array<unsigned char, 256> &table);
    void createToolBar();
    void createStatusBar();
    void FormCreate();
    // SelectionChange for the editor's and the window's events: a failure
    // is shown and the window carries on.
    void runSelectionChange();
    void FormShow();
    void setPanel(Panel panel, const QString &text);
    void setCaption(const QString &name);
    // The File menu's recent-file tail, copied from the frame's.
    void rebuildRecentFiles();
    // Writes the document to the path, as RTF or plain text by its
    // extension, once the user agreed where a question was due; returns
    // whether it was written.
    bool saveTo(const QString &path);
    // What Open does once the text is in.
    void finishOpen();
    // Over a file another program changed since the document had it.
    bool mayOverwrite(const QString &path);
    // Over the file of which only the start was loaded.
    bool mayCutShort(const QString &path);
    // When a plain save would write characters as "?".
    bool mayLoseCharacters();
    // When a plain save would drop formatting, pictures or tables.
    bool mayDropFormatting(const QString &path);
    bool mayDiscardChanges();
    void fileChangedOutside();
    void fileRemovedOutside();
    void showFileFormat();
    // What a Save with Encoding item stands for, as its data.
    static int encodingChoice(Charset charset, bool byteOrderMark);
    // Caption, file name and the window's own tab.
    void renameDocument(const QString &name);
    // A Windows-1251 document whose file looks like KOI8-R or DOS 866 gets
    // the hint.
    void offerConversion();

    EditHost &m_host;
    EditorSettings m_settings;
    Formatting *m_formatting = nullptr;
    FileWatch *m_fileWatch = nullptr;
    // The charset the user chose to read the file in; none: as it looks.
    std::optional<Charset> m_readAs;
    QActionGroup *m_saveEncodings = nullptr;
    QActionGroup *m_lineBreaks = nullptr;
    QList<QLabel *> m_panels;
    int m_fixedFileItems = 0;
    bool m_settingsApplied = false;
};
