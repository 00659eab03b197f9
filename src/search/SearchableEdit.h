#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>

#include <functional>

class TRichEdit;

// What the search engine needs of the control it searches: the whole text
// view (bytes in the ANSI code page, line breaks CR LF), the selection in
// positions of that text, the focus, and scrolling the caret into view.
// It is a QObject so that the engine hears when the control goes away.
class SearchableEdit : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QByteArray wholeText() const = 0;
    virtual void setWholeText(QByteArrayView bytes) = 0;
    // Runs the step until it returns false; a control may run it a slice
    // of time at a time, answering and showing the percent done between.
    virtual void workOnText(const std::function<bool()> &step,
                            const std::function<int()> &percentDone);
    // Whether Replace All changes the text where the occurrences are, so
    // that the formatting around stays, rather than writing it whole.
    virtual bool keepsFormatting() const { return false; }
    // Puts the replacement in place of `length` bytes at each of the
    // positions (ascending, not overlapping) as one change, the formatting
    // around kept; only for a control that keepsFormatting().
    virtual void replaceEach(const QList<qsizetype> &starts, qsizetype length,
                             QByteArrayView replacement);
    virtual int selStart() const = 0;
    virtual void setSelStart(int start) = 0;
    virtual int selLength() const = 0;
    virtual void setSelLength(int length) = 0;
    virtual QByteArray selText() const = 0;
    virtual void setSelText(QByteArrayView bytes) = 0;
    virtual void focus() = 0;
    virtual void scrollCaret() = 0;
};

// A rich-edit control as the search engine sees it. The adapter is a child
// of its control, so it is destroyed together with it.
class RichEditSearchable : public SearchableEdit
{
    Q_OBJECT

public:
    // The control's adapter, made on first need; nullptr for nullptr.
    static RichEditSearchable *of(TRichEdit *edit);

    TRichEdit *richEdit() const { return m_edit; }

    QByteArray wholeText() const override;
    void setWholeText(QByteArrayView bytes) override;
    void workOnText(const std::function<bool()> &step,
                    const std::function<int()> &percentDone) override;
    bool keepsFormatting() const override;
    void replaceEach(const QList<qsizetype> &starts, qsizetype length,
                     QByteArrayView replacement) override;
    int selStart() const override;
    void setSelStart(int start) override;
    int selLength() const override;
    void setSelLength(int length) override;
    QByteArray selText() const override;
    void setSelText(QByteArrayView bytes) override;
    void focus() override;
    void scrollCaret() override;

private:
    explicit RichEditSearchable(TRichEdit *edit);

    TRichEdit *m_edit;
};
