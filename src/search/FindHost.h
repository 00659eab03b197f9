#pragma once

class QString;
class TRichEdit;

// What the Find & Replace dialog asks of the frame that holds the open
// documents: the dialog searches them one after another, in the order the
// frame's next-document command walks them.
class FindHost
{
public:
    virtual ~FindHost() = default;

    // The number of open documents.
    virtual int documentCount() const = 0;
    // The rich-edit control of the active document; nullptr when there is
    // none.
    virtual TRichEdit *activeDocumentEditor() const = 0;
    // Activates the next document, as the frame's next-window command does.
    virtual void nextDocument() = 0;
    // Brings the active document forward.
    virtual void showActiveDocument() = 0;
    // Tells the user in the active document's status bar.
    virtual void showStatus(const QString &text) = 0;
};
