#pragma once

#include "editor/DocumentPrinter.h"
#include "editor/EditHost.h"
#include "search/FindHost.h"
#include "settings/FontRecord.h"
#include "settings/OptionsHost.h"
#include "shell/CalendarPanel.h"
#include "shell/JustOne.h"
#include "shell/Session.h"
#include "shell/Tray.h"

#include <QMainWindow>
#include <QStringList>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QWidget;
class RecentFiles;
class SettingsStore;
class TDragDrop;
class TLangParser;
class TfrmFind;
class TfrmOptions;

// How the program started: its command line, and whether this copy is to
// be the only one.
struct FrameStartOptions
{
    QStringList arguments;
    bool singleInstance = false;
};

// The frame window: the menu bar, a small toolbar, the row of document tabs,
// the calendar panel and the MDI area that holds the edit windows. It
// creates every document and decides what closing it means. It holds the
// current settings for the whole run.
class TFrameForm : public QMainWindow,
                   public EditHost,
                   public FindHost,
                   public OptionsHost,
                   public CurrentSettings
{
    Q_OBJECT

public:
    using StartOptions = FrameStartOptions;

    explicit TFrameForm(const StartOptions &options = {}, QWidget *parent = nullptr);
    ~TFrameForm() override;

    // Whether this copy runs, or ends without showing a window (another
    // copy runs).
    CopyStart copyStart() const { return m_copyStart; }

    // Controls
    QToolBar *ToolBar = nullptr;
    PageControl *PageControl1 = nullptr;
    CalendarPanel *Panel1 = nullptr;
    QMdiArea *MDIArea = nullptr;
    // Takes files dropped on the frame from other programs.
    TDragDrop *DragDrop1 = nullptr;

    // Menus and their items
    QMenu *File1 = nullptr;
    QMenu *Favourites1 = nullptr;
    QMenu *Window1 = nullptr;
    QMenu *Options1 = nullptr;
    // The tray menu's "Favourites..." submenu: one entry per favourite.
    QMenu *TrayFavourites = nullptr;
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *Tile1 = nullptr;
    QAction *Cascade1 = nullptr;
    QAction *Entire1 = nullptr;
    QAction *mnuCalendar2 = nullptr;
    // The next and the previous document in the tab row's order.
    QAction *NextDocument1 = nullptr;
    QAction *PreviousDocument1 = nullptr;
    QAction *Preference1 = nullptr;
    // A menu without items: choosing it shows the About box.
    QAction *About = nullptr;
    // The toolbar's buttons are the File menu's New, Open and Exit.
    QAction *NewlButton = nullptr;
    QAction *OpenButton = nullptr;
    QAction *ExitButton = nullptr;

    // The tray: its icon TrayIcon1 and its menu PopupMenu1, which holds
    // TrayFavourites.
    TrayMenu *tray() const { return m_tray; }
    void TrayIcon1Click() { m_tray->TrayIcon1Click(); }
    // Brings the program back when it is minimised, from the tray too.
    void restoreApplication();

    // Document bookkeeping
    int OpenPageCount = 0;
    int PageTagCounter = 0;
    QString NewDocName;
    bool ExitRequested = false;
    int EditorComponentIndex = -1;

    // The Find & Replace dialog, hidden until an edit window's Find shows it.
    TfrmFind *frmFind = nullptr;

    // The syntax style set whose styles stand in for stored style fonts
    // that are missing.
    TLangParser *LangParserDefault = nullptr;

    // The Options dialog, made hidden once the settings are loaded.
    TfrmOptions *frmOptions = nullptr;

    // Settings beside the current ones (see CurrentSettings).
    int FavourMenuCount = 0; // favourite entries in each favourites menu

    // Reads the settings again: the geometry, the current values and the
    // favourites menus (which the caller has emptied first); the recent
    // files stay as they are. A failure stops the load at that step.
    void LoadDefaultValue() override;
    // Takes the favourite entries out of both favourites menus.
    void RemoveFavouriteEntries() override;
    void RegistryToFont(FontSpec &font, const fontrecord::Record &record);
    void FontToRegistry(fontrecord::Record &record, const FontSpec &font) override;
    CurrentSettings &currentSettings() override { return *this; }
    void settingsApplied() override { handOverSettings(); }

    // Creating documents
    void New1Click() override;
    void Open1Click() override;
    void PerformFileOpen(const QString &path);
    // Opens the first file of DragDrop1's lists.
    void DragDrop1FileDrop();
    void OpenLastOpened(QAction *sender) override;
    void OpenFileFavour(QAction *sender);
    void NewLastOpened(const QString &caption, const QString &path) override;
    int GetFreePageCount();
    bool IsFileOpen(const QString &path) const;

    // Tabs and windows
    void Synchronize();
    void PageControl1Change();
    void PageControl1MouseUp();
    void Tile1Click();
    void Cascade1Click();
    void Entire1Click();
    // Brings forward the document whose tab stands `step` tabs from the
    // active one, round the row.
    void stepDocument(int step);
    void CloseAll() override;
    void Exit1Click() override;
    // The desktop session is ending: close as Exit does. Returns whether
    // the frame closed.
    bool QueryEndSession();

    // The hand-off file, through which a command line's file reaches the
    // frame's first paint. It holds one line: a path with a line break
    // does not fit.
    static QString handOffPath();
    // Whether the hand-off file now holds the path.
    bool SaveTempOpenFile(const QString &path);
    QString LoadTempOpenFile();
    void DeleteTempOpenFile();

    // Another copy asked this one to come forward and open its files, if
    // any, at the next paint.
    void comeForward(const QStringList &paths = {});
    int activationCount() const { return m_activations; }

    // The calendar panel
    void FormShow();
    void TButtonClick() { Panel1->TButtonClick(); }
    void PageControl2Change() { Panel1->PageControl2Change(); }
    void CBoxYearChange() { Panel1->CBoxYearChange(); }
    void Panel1Resize() { Panel1->Panel1Resize(); }
    void mnuCalendar2Click();

    // Shows the Options dialog beside the documents.
    void Preference1Click();
    // Shows the About box until it is closed.
    void AboutClick();

    // Views
    void showCalendarView();
    void showDocumentView();
    bool isCalendarView() const;

    QList<TEditForm *> editWindows() const;
    int editWindowCount() const;
    TEditForm *activeEditWindow() const;

    // What an edit window takes of the current settings.
    EditorSettings editorSettings() const;
    CharAttributes editorFont() const { return EditorFont.toCharAttributes(); }

    // EditHost
    QString newDocName() const override { return NewDocName; }
    QString untitledName() override;
    void documentActivated(int tag) override;
    void documentRenamed(int tag, const QString &name) override;
    void documentClosed(int tag) override;
    void documentModified(int tag, bool modified) override;
    void setEditorComponentIndex(int index) override { EditorComponentIndex = index; }
    void checkArrangement(Arrangement arrangement) override;
    // The recent files, the top one first.
    QList<RecentFile> recentFiles() const override;
    QString fileDialogFolder(const TEditForm *document) const override;
    void fileChosen(const QString &path) override;
    // Opens the file as if it had been dropped on the frame.
    void openDroppedFile(const QString &path) override;
    void showFind(TRichEdit *editor) override;
    void findAgain() override;
    DocumentPrinter &printing() override { return m_printing; }

    // FindHost
    int documentCount() const override { return editWindowCount(); }
    TRichEdit *activeDocumentEditor() const override;
    // The frame's next-window command.
    void nextDocument() override;
    void showActiveDocument() override;
    void showStatus(const QString &text) override;

Q_SIGNALS:
    // The frame closed for good, the program ends: also when it closes
    // hidden in the tray, which Qt does not count as a last window closed.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // How a creating operation treats the recent-files list.
    enum class Recent { None, BeforeCounting, AfterTab, AfterView };

    struct DocumentRequest
    {
        QString path;       // empty for a new document
        QString newDocName; // empty: "Untitled" and the next free number
        QString tabCaption; // empty: as NewDocName
        bool checkOpen = true;
        bool switchView = true;
        Recent recent = Recent::None;
        QString recentCaption;
    };

    void FormCreate(const StartOptions &options);
    // Settings
    void createLangParserDefault();
    void setDefaultSettings();
    void loadSettings(bool atStart);
    void loadGeometry(SettingsStore &store);
    void loadStyleFonts(SettingsStore &store);
    void loadEditorFont(SettingsStore &store);
    void loadFavourites(SettingsStore &store);
    void loadRecentFiles(SettingsStore &store);
    void saveSettings();
    void saveGeometry(SettingsStore &store);
    void saveRecentFiles(SettingsStore &store);
    QAction *addFavouriteEntry(QMenu *menu, const QString &path);
    QList<session::Document> openDocuments() const;
    void reopenDocuments(const QList<session::Document> &documents);
    // The edit windows take the settings as they are now.
    void handOverSettings();
    // A paint of the frame; `wholeFrame` is false for a child's repaint
    // that reached the frame.
    void framePainted(bool wholeFrame);
    void FormPaint(bool wholeFrame);
    bool paintsWholeFrame(const QRegion &region) const;
    static bool handOffFileExists();
    void takeCommandLineFile(const QString &path);
    // Saves in place that never ended left copies of the files' old
    // content: each is offered once.
    void offerRecoveryCopies();
    void pickUpHandOffFile();
    void createControls();
    void createMenus();
    void createToolBar();
    void createDocument(const DocumentRequest &request);
    // Whether a path may be opened: it is not open, or the user wants it
    // open a second time.
    bool mayOpenAgain(const QString &path);
    // A document for a path the user picked from a list.
    void openPath(const QString &path);
    void FormCloseQuery(bool &canClose);
    bool editWindowsAllowClose();
    void emptyFrame();
    void tileHorizontally();
    void setArrangementChecks(Arrangement arrangement);
    void rebuildMenuBar();
    // The title shows "*" while the active document has unsaved changes.
    void showModifiedInTitle();
    void fillWindowList();
    QMdiSubWindow *subWindowOf(const TEditForm *form) const;

    QList<QAction *> m_windowListItems;
    Arrangement m_arrangement = Arrangement::Entire;
    RecentFiles *m_recentFiles = nullptr;
    TrayMenu *m_tray = nullptr;
    CopyStart m_copyStart = CopyStart::OnlyCopy;
    bool m_pickUpPending = false;
    QString m_lastDialogFolder;
    // Files to open at the next paint that the hand-off file does not hold.
    QStringList m_handedOver;
    // What the settings load got to read, and so what the save at exit may
    // write back.
    bool m_geometryRead = false;
    bool m_recentFilesRead = false;
    bool m_sessionRead = false;
    // The documents of the last run, to open at the first paint.
    QList<session::Document> m_session;
    int m_activations = 0;
    DocumentPrinter m_printing;
};
