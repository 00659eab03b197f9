#pragma once

#include "platform/richedit/RtfReader.h"
#include "platform/text/FileFormat.h"
#include "platform/text/TextAttributes.h"

#include <QByteArray>
#include <QImage>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QAbstractScrollArea;
class QMimeData;
class QPagedPaintDevice;
class QPlainTextEdit;
class QScrollBar;
class QStackedLayout;
class QTextImageFormat;
class PlainStates;
class TextFill;
template<class Base>
class EditView;

// The rich-edit control that holds a document.
//
// Program logic sees the document through its text view (see TextView.h):
// bytes in the ANSI code page, paragraph breaks as CR LF, 0-based positions
// in which CR LF counts as two. Files are read and written as plain text in
// the document's file format (encoding and line breaks) or, when the
// plain-text mode is off, as RTF.
//
// A plain document is shown by a QPlainTextEdit, which lays out only what is
// on the screen, so that a file of many megabytes opens, jumps to its end and
// scrolls at once; a rich one by a QTextEdit, which can show every paragraph
// attribute. The control moves its one QTextDocument, with its undo history,
// into the view that suits it, and answers the same whichever it is.
//
// Work on a long plain text (loading, saving, whole-text writes) goes in
// slices from the event loop, so that the window goes on answering; the
// control takes no change meanwhile (see work()).
class TRichEdit : public QWidget
{
    Q_OBJECT

public:
    enum class ScrollBars { None, Horizontal, Vertical, Both };
    // Long work under way.
    enum class Work { None, Loading, Reading, Saving, Changing };

    // Texts of at least this many characters are loaded, written and saved
    // a slice at a time: QTextDocument takes about 45 ms for a million.
    static constexpr qsizetype kLongText = 1 << 20;

    // The limit a control starts with, as the Windows control does.
    static constexpr int kDefaultTextLimit = 0x7FFF;

    explicit TRichEdit(QWidget *parent = nullptr);
    ~TRichEdit() override;

    // Whole text. Writing replaces the document with unformatted text in one
    // undoable step and puts the caret at the start. The characters the
    // view shows as its foreign byte come back in the order the document
    // had them, one for each such byte, so that a command that moves text
    // about but keeps that byte keeps them too. A long text is read and
    // written as long work (work()).
    QByteArray wholeText();
    void setWholeText(QByteArrayView bytes);
    int textLength() const;
    // A caller's work on the whole text: the step runs until it returns
    // false, on a long text as long work (Work::Changing), in slices between
    // which the window answers, each followed by the percent done.
    void workOnText(const std::function<bool()> &step, const std::function<int()> &percentDone);
    // Writes a text of the view's own length over it, in one undoable step:
    // only the characters whose bytes differ change, and each keeps its
    // attributes, as every paragraph keeps its own. The caret and selection
    // stay. A text that would move a line break is written whole, as
    // setWholeText does.
    void rewriteText(QByteArrayView bytes);
    // Puts the replacement in place of `length` text-view bytes at each of
    // the positions (ascending, not overlapping), as one change: the text
    // around keeps its attributes, paragraphs, tables and pictures. The
    // caret goes to the start, as after setWholeText.
    void replaceEach(const QList<qsizetype> &starts, qsizetype length, QByteArrayView replacement);

    // Selection in text-view positions. Setting the start places the caret
    // there; setting the length extends the selection from the start.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QByteArray selText() const;
    void setSelText(QByteArrayView bytes);

    // Clipboard and selection commands; deleteSelection removes the
    // selected text.
    void deleteSelection();
    // Whether a clipboard format (a MIME type) can be pasted.
    bool canPaste(const QString &mimeType) const;

    // True: files are read and written as plain text; false: as RTF.
    bool isPlainTextMode() const { return m_plainTextMode; }
    void setPlainTextMode(bool plain);
    // Whether the document is shown by the plain view: in plain-text mode,
    // while no paragraph has attributes that only the rich view shows.
    bool showsPlainView() const;

    // Replaces the document with the file's content: in rich-text mode the
    // file is read as RTF, or as plain text when it is not RTF. Plain text is
    // read in the format the file shows (FileFormat.h), or in the charset
    // given, and that format becomes the document's. A failure throws
    // FileError and leaves the document as it was. The caret goes to the
    // start, the document is unmodified and has no undo history.
    // The control gets a new QTextDocument: document() changes.
    void loadFromFile(const QString &path, std::optional<Charset> charset = std::nullopt);
    // The same, but a long plain text goes into the document from the event
    // loop after this returns: the control shows what is in so far and
    // takes no change until loadFinished(). The file is read, and a failure
    // thrown, before this returns.
    void startLoading(const QString &path, std::optional<Charset> charset = std::nullopt);
    // Ends a load under way: the document keeps the lines it has and is
    // partial.
    void stopLoading();
    bool isLoading() const { return m_work == Work::Loading; }
    // Whether a load was stopped, so that the document holds only the start
    // of its file; a save makes it whole again.
    bool isPartial() const { return m_partial; }
    // The first bytes of the file the last load read (encodings::kSampleSize
    // at most), handed over once, so that a look at them needs no second
    // read of the file.
    QByteArray takeFileHead() { return std::exchange(m_fileHead, {}); }
    // Whether the document holds lines too long for one paragraph each
    // (plainfile::kLongestLine): they are shown in pieces, written back
    // whole, and the document takes no change.
    bool isReadOnly() const { return !m_continued.isEmpty(); }
    Work work() const { return m_work; }
    // Whether the control takes no change now, while it works or is
    // read-only; it then beeps and says editRefused().
    bool refuseChange();
    // Writes the document to the file, atomically, as RTF in rich-text mode
    // and else as plain text in its file format; a failure throws FileError
    // and leaves the file that was there untouched.
    void saveToFile(const QString &path);
    // What the document could not keep of the file it was loaded from, as a
    // message to the user; empty when it keeps everything or has been saved
    // since.
    QString lossNotice() const;

    // Whether the document has anything a plain text file cannot hold:
    // character or paragraph attributes, a picture or a table.
    bool hasFormatting() const;

    // How plain text is written: a new document is Windows-1251 with CR LF,
    // a loaded one as its file was.
    FileFormat fileFormat() const { return m_fileFormat; }
    void setFileFormat(const FileFormat &format);
    // The first character that a plain save would write as "?" because the
    // document's charset lacks it; empty when there is none. (An RTF save
    // writes every character.)
    QString firstUnsavable() const;

    bool isModified() const;
    void setModified(bool modified);

    // Attributes of the selection, or of the caret when nothing is selected
    // (writing them then sets what is typed next).
    CharAttributes selAttributes() const;
    void setSelAttributes(const CharAttributes &attrs, CharFields fields = kAllCharFields);
    // The default attributes: text without attributes of its own, which is
    // all text in a plain document, shows with them, and typing continues
    // in them.
    CharAttributes defAttributes() const { return m_defaults; }
    void setDefAttributes(const CharAttributes &attrs, CharFields fields = kAllCharFields);

    // Paragraph attributes of the first paragraph of the selection; writing
    // applies the given fields to every paragraph of the selection.
    ParaAttributes paragraph() const;
    void setParagraph(const ParaAttributes &attrs, ParaFields fields = kAllParaFields);

    bool wordWrap() const;
    void setWordWrap(bool wrap);
    ScrollBars scrollBars() const { return m_scrollBars; }
    void setScrollBars(ScrollBars bars);
    quint32 backgroundColor() const { return m_background; }
    void setBackgroundColor(quint32 colorRef);
    bool hideSelection() const { return m_hideSelection; }
    void setHideSelection(bool hide);

    // The most characters typing and pasting may bring the text to; loading
    // is never cut short. Zero or less restores the default.
    int textLimit() const { return m_textLimit; }
    void setTextLimit(int limit);

    // Lines are paragraphs, counted from 0. lineFromChar of a negative
    // position and lineIndex of a negative line mean the caret's line;
    // lineIndex of a line past the end is -1.
    int lineFromChar(int pos) const;
    int lineIndex(int line) const;

    bool canUndo() const;
    bool canRedo() const;

    // How big the text shows on the screen, in percent: the fonts, indents
    // and pictures as a whole. Neither the document nor a printout changes.
    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    // The next size up or down of a fixed row of sizes.
    void zoomIn();
    void zoomOut();

    // The formatting rectangle inside the client area, where the text lies.
    QRect clientRect() const;
    QRect formattingRect() const;
    void setFormattingRect(const QRect &rect);

    void scrollCaret();

    // Prints the whole document onto the device, one page after another.
    void print(QPagedPaintDevice *device) const;

    // What the program also asks of the control as of a QTextEdit, answered
    // by the view that shows the document.
    QTextDocument *document() const;
    QWidget *viewport() const;
    QScrollBar *verticalScrollBar() const;
    Qt::ScrollBarPolicy horizontalScrollBarPolicy() const;
    Qt::ScrollBarPolicy verticalScrollBarPolicy() const;
    QTextEdit::LineWrapMode lineWrapMode() const;
    bool overwriteMode() const;
    void setOverwriteMode(bool overwrite);
    QRect cursorRect() const;
    void moveCursor(QTextCursor::MoveOperation operation,
                    QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);

public Q_SLOTS:
    void cut();
    void copy();
    void paste();
    void selectAll();
    void undo();
    void redo();

Q_SIGNALS:
    // The text changed.
    void textChanged();
    // The caret or the selection moved.
    void selectionChange();
    // A key was pressed; raised before the control acts on it.
    void keyDown(int virtualKey, Qt::KeyboardModifiers modifiers);
    // A mouse button was pressed over the text.
    void mouseDown(Qt::MouseButton button, const QPoint &pos);
    // Typing or pasting met the text limit: the control beeped and took
    // no more than there was room for.
    void textLimitReached();
    // Typing or pasting brought a character that the document cannot save
    // in plain-text mode (see firstUnsavable): the control beeped and took
    // none of it.
    void characterRefused(const QString &character);
    // The file format or the plain-text mode changed: how a save writes.
    void fileFormatChanged();
    // Long work went on, percent done; Work::None when it is over.
    void workProgress(TRichEdit::Work work, int percent);
    // A load (startLoading) is complete or was stopped.
    void loadFinished();
    // Typing, a paste or a command would have changed the document while
    // the control takes no change: it beeped and changed nothing.
    void editRefused();
    // The text shows at another size (see zoom()).
    void zoomChanged(int percent);

protected:
    // Keys sent to the control itself go to the view that shows the text.
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // The views take their input through these.
    template<class Base>
    friend class EditView;
    bool canInsertFromMimeData(const QMimeData &source) const;
    void insertFromMimeData(const QMimeData &source);
    QMimeData *createMimeDataFromSelection() const;

    using RichView = EditView<QTextEdit>;
    using PlainView = EditView<QPlainTextEdit>;
    // Calls f with the view that shows the document.
    template<typename F>
    decltype(auto) withView(F &&f) const;
    QAbstractScrollArea *currentView() const;
    template<class View>
    void relayFrom(View *view);
    // Moves the document into the view that suits it.
    void chooseView();
    void showIn(QTextDocument *doc, bool plainView);
    void forwardToView(QEvent *event);
    QTextCursor textCursor() const;
    void setTextCursor(const QTextCursor &cursor);
    QTextCharFormat currentCharFormat() const;
    void mergeCurrentCharFormat(const QTextCharFormat &format);
    // The document as an RTF file holds it.
    QByteArray toRtf() const;
    // Reads the file into a new document: a long plain text from the event
    // loop when `inBackground`, else at once.
    void load(const QString &path, std::optional<Charset> charset, bool inBackground);
    void finishLoading();
    void setWork(Work work);
    // Runs the step until it returns false, in slices between which the
    // event loop runs (slices::run).
    void runWork(Work work, const std::function<bool()> &step,
                 const std::function<int()> &percentDone);
    // The document's raw text a piece at a time, as long work.
    void readText(Work work, const std::function<void(QStringView)> &take);
    // The document as a plain file in its format holds it.
    QByteArray plainFileBytes();
    // Views take typing unless the control works or is read-only.
    void updateEditable();
    // A whole-text write to a big plain document builds the new text in a
    // document of its own in a spare view, which is shown once it is
    // complete; the one before stays for Undo (PlainStates).
    bool writesAside(qsizetype chars) const;
    void writeAside(QByteArrayView bytes, int anchor, int position);
    // Undo (back) or Redo (forward): in the document's own history, else to
    // another state of the document (PlainStates).
    void stepHistory(bool forward);
    // Shows the plain view of another state of the document.
    void showPlainView(PlainView *view);
    PlainView *makePlainView();
    // An edit of the document shown makes the states after it unreachable.
    void watchEdits(QTextDocument *doc);
    // A big change is laid out bit by bit while the user can already work.
    void layOutLazily();
    // Document positions.
    void select(int anchor, int position);
    // Makes a freshly built document the control's own; startAfresh then
    // puts the caret at its start, unmodified, without undo history.
    void adoptDocument(QTextDocument *doc);
    void startAfresh();
    QTextDocument *newDocument() const;
    // Text pasted as RTF, or null when the source holds none that fits.
    std::unique_ptr<QTextDocument> pastedRtf(const QMimeData &source, int room) const;
    // A picture pasted into a rich document, or nothing.
    std::optional<QTextImageFormat> pastedImage(const QMimeData &source, int room) const;
    void applyDefaults();
    void applySelectionPalette();
    void noteSelection();
    // Characters that may still be added when `replaced` are taken away.
    int roomFor(int replaced) const;
    void refuseForLimit();
    // The first character of the text that the document's charset lacks, or
    // an empty string; refusedIn asks it of text to be typed or pasted.
    QString firstMissing(QString text) const;
    QString refusedIn(const QString &text) const;
    void refuseCharacter(const QString &character);
    QPalette systemPalette() const;
    // Lays the document out at the zoom: for the screen's resolution
    // scaled, as if on a device of that many dots per inch.
    void applyZoom();

    RichView *m_richView;
    QStackedLayout *m_views;
    // The plain view that holds the document when the plain view shows it,
    // and every plain view made, for the settings they share.
    PlainView *m_plainView = nullptr;
    QList<PlainView *> m_plainViews;
    std::unique_ptr<PlainStates> m_states;
    bool m_forwarding = false;
    bool m_plainTextMode = true;
    FileFormat m_fileFormat;
    CharAttributes m_defaults;
    quint32 m_background;
    bool m_hideSelection = true;
    int m_textLimit = kDefaultTextLimit;
    ScrollBars m_scrollBars = ScrollBars::Both;
    QMargins m_margins;
    int m_lastAnchor = 0;
    int m_lastPosition = 0;
    rtf::Losses m_losses;
    Work m_work = Work::None;
    TextFill *m_load = nullptr;
    bool m_partial = false;
    QByteArray m_fileHead;
    // Paragraphs that continue the same line of the file (plainfile::Reader).
    QList<int> m_continued;
    int m_zoom = 100;
    QImage m_zoomDevice;
};
