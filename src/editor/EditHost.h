#pragma once

#include "platform/text/TextAttributes.h"

#include <QList>
#include <QString>

class QAction;
class DocumentPrinter;
class TEditForm;
class TRichEdit;

// What an edit window takes from the program's settings. The frame hands
// them to a window when it makes it and again whenever they change; the
// window takes the colour and the font when it is first shown (windows
// already shown keep theirs) and whether it offers Translate when it is
// made. The hot key and the keep-one-layout option count as they are at
// the moment they are used.
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

// A recent-files entry: what the menu shows and the file it opens.
struct RecentFile
{
    QString caption; // the file-name part of the path
    QString path;
};

// What an edit window asks of the frame that holds it, and what it tells
// the frame. The frame keeps its tabs, its drop target and the Find &
// Replace dialog to itself and carries the window's intents out on them.
class EditHost
{
public:
    // The check marks of the Window menu's arrangement items.
    enum class Arrangement { Tile, Cascade, Entire };

    virtual ~EditHost() = default;

    // The File menu commands that act on the frame.
    virtual void New1Click() = 0;
    virtual void Open1Click() = 0;
    virtual void CloseAll() = 0;
    virtual void Exit1Click() = 0;

    // The name or path of the document being created.
    virtual QString newDocName() const = 0;
    // "Untitled" and the lowest number no open document uses.
    virtual QString untitledName() = 0;

    // The document's window became active: its tab becomes the active one.
    virtual void documentActivated(int tag) = 0;
    // The document took a new name: its tab shows the name's file-name part.
    virtual void documentRenamed(int tag, const QString &name) = 0;
    // The document's window is closing: its tab goes, and with the last
    // document the calendar comes back.
    virtual void documentClosed(int tag) = 0;
    // The document has unsaved changes, or no longer has: its tab shows a
    // mark, and the frame's title one while it is the active document.
    virtual void documentModified(int tag, bool modified) = 0;
    // An edit window became active; where its Editor stands among its parts.
    virtual void setEditorComponentIndex(int index) = 0;
    // An edit window was maximised or minimised.
    virtual void checkArrangement(Arrangement arrangement) = 0;

    // Recent files: a new entry at the top, the entries for the edit
    // window's copy (the top one first), and what a click on a copy does.
    virtual void NewLastOpened(const QString &caption, const QString &path) = 0;
    virtual QList<RecentFile> recentFiles() const = 0;
    virtual void OpenLastOpened(QAction *sender) = 0;

    // Where an open or save dialog starts for the document (none: no
    // document is open): the document's folder, or, for a document that has
    // no file yet, the folder of the file last chosen in such a dialog.
    virtual QString fileDialogFolder(const TEditForm *document) const = 0;
    // A file dialog came back with this file.
    virtual void fileChosen(const QString &path) = 0;

    // A file dropped on an edit window opens as if dropped on the frame.
    virtual void openDroppedFile(const QString &path) = 0;

    // The Find & Replace dialog searches this editor from now on and shows.
    virtual void showFind(TRichEdit *editor) = 0;
    // Find Next of the dialog, when its find box holds text; the dialog
    // searches where it searched before.
    virtual void findAgain() = 0;

    // The printer and page margins all edit windows print with.
    virtual DocumentPrinter &printing() = 0;
};
