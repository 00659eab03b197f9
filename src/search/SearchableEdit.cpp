#include "search/SearchableEdit.h"

#include "platform/richedit/TRichEdit.h"

#include <QTextDocument>

void SearchableEdit::workOnText(const std::function<bool()> &step, const std::function<int()> &)
{
    while (step()) {
    }
}

void SearchableEdit::replaceEach(const QList<qsizetype> &, qsizetype, QByteArrayView)
{
    Q_UNREACHABLE();
}

RichEditSearchable *RichEditSearchable::of(TRichEdit *edit)
{
    if (!edit)
        return nullptr;
    if (auto *existing =
            edit->findChild<RichEditSearchable *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new RichEditSearchable(edit);
}

RichEditSearchable::RichEditSearchable(TRichEdit *edit)
    : SearchableEdit(edit)
    , m_edit(edit)
{}

QByteArray RichEditSearchable::wholeText() const
{
    return m_edit->wholeText();
}

void RichEditSearchable::setWholeText(QByteArrayView bytes)
{
    m_edit->setWholeText(bytes);
}

void RichEditSearchable::workOnText(const std::function<bool()> &step,
                                    const std::function<int()> &percentDone)
{
    m_edit->workOnText(step, percentDone);
}

bool RichEditSearchable::keepsFormatting() const
{
    // A long plain text is written whole, which is faster; what it could
    // carry beyond characters a plain file does not keep anyway.
    return !m_edit->isPlainTextMode() ||
           m_edit->document()->characterCount() < TRichEdit::kLongText;
}

void RichEditSearchable::replaceEach(const QList<qsizetype> &starts, qsizetype length,
                                     QByteArrayView replacement)
{
    m_edit->replaceEach(starts, length, replacement);
}

int RichEditSearchable::selStart() const
{
    return m_edit->selStart();
}

void RichEditSearchable::setSelStart(int start)
{
    m_edit->setSelStart(start);
}

int RichEditSearchable::selLength() const
{
    return m_edit->selLength();
}

void RichEditSearchable::setSelLength(int length)
{
    m_edit->setSelLength(length);
}

QByteArray RichEditSearchable::selText() const
{
    return m_edit->selText();
}

void RichEditSearchable::setSelText(QByteArrayView bytes)
{
    m_edit->setSelText(bytes);
}

void RichEditSearchable::focus()
{
    m_edit->setFocus();
}

void RichEditSearchable::scrollCaret()
{
    m_edit->scrollCaret();
}
