#pragma once

#include "platform/text/TextAttributes.h"

#include <QList>
#include <QString>

class QAction;
class TDocumentPrinter;
class TDragDrop;
class TEditForm;
class TPageControl;
class TfrmFind;

// What an edit window takes from the program's settings. The colour and the
// font are taken when the window is first shown; windows already open keep
// theirs.
struct EditorSettings
{
    quint32 backgroundColor = 0xFFFFFF; // a COLORREF or system-colour reference
    CharAttributes font;
    // Whether one keyboard layout is kept while the caret moves.
    bool onlyOneKeyLayout = false;
    // The key sequence that Translate sends, and whether Translate is offered.
    QString translateHotKeys;
    bool translateEnabled = true;
};

// What an edit window asks of the frame that holds it.
class TEditHost
{
public:
    // The check marks of the Window menu's arrangement items.
    enum class Arrangement { Tile, Cascade, Entire };

    virtual ~TEditHost() = default;

    // The File menu commands that act on the frame.
    virtual void New1Click() = 0;
    virtual void Open1Click() = 0;
    virtual void CloseAll() = 0;
    virtual void Exit1Click() = 0;

    // The name or path of the document being created.
    virtual QString newDocName() const = 0;
    // "Untitled" and the lowest number no open document uses.
    virtual QString untitledName() = 0;
    // The document tabs; each edit window has one with its own Tag.
    virtual TPageControl &pageControl() = 0;
    // A closing edit window has freed its tab.
    virtual void pageFreed() = 0;
    virtual int editWindowCount() const = 0;
    virtual TEditForm *activeEditWindow() const = 0;

    // Recent files: a new entry at the top, and the File menu's tail from
    // its fourth item on (a separator and the entries) for the edit
    // window's copy, whose clicks come back to OpenLastOpened.
    virtual void NewLastOpened(const QString &caption, const QString &path) = 0;
    virtual QList<QAction *> recentFileTail() const = 0;
    virtual void OpenLastOpened(QAction *sender) = 0;

    // Where an open or save dialog starts for the document (none: no
    // document is open): the document's folder, or, for a document that has
    // no file yet, the folder of the file last chosen in such a dialog.
    virtual QString fileDialogFolder(const TEditForm *document) const = 0;
    // A file dialog came back with this file.
    virtual void fileChosen(const QString &path) = 0;

    // Files dropped on an edit window open as if dropped on the frame: the
    // window puts its first file in front of the frame's drop target's
    // lists and calls the frame's handler, which opens that file.
    virtual TDragDrop &frameDropTarget() = 0;
    virtual void DragDrop1FileDrop() = 0;

    // The last edit window is closing: the calendar comes back.
    virtual void showCalendarView() = 0;
    // An edit window was maximised or minimised.
    virtual void checkArrangement(Arrangement arrangement) = 0;
    // An edit window became active; where its Editor stands among its parts.
    virtual void setEditorComponentIndex(int index) = 0;

    // The settings the frame holds for the whole run; an edit window takes
    // them once (see EditorSettings).
    virtual EditorSettings editorSettings() const = 0;

    // The program's one Find & Replace dialog.
    virtual TfrmFind &findDialog() = 0;
    // The printer and page margins all edit windows print with.
    virtual TDocumentPrinter &printing() = 0;
};
