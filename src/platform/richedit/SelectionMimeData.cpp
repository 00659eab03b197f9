#include "platform/richedit/SelectionMimeData.h"

#include "platform/richedit/RtfWriter.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString kPlainMime = QStringLiteral("text/plain");
const QString kHtmlMime = QStringLiteral("text/html");
const QString kRtfMime = QStringLiteral("text/rtf");

// Document text as plain text reads, the way QTextDocument::toPlainText()
// gives it: line breaks as LF, no-break spaces as spaces.
QString plainTextOf(QString docText)
{
    for (QChar &c : docText) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
        else if (c == QChar::Nbsp)
            c = u' ';
    }
    return docText;
}

} // namespace

SelectionMimeData::SelectionMimeData(const QTextCursor &selection, bool formatted,
                                     const CharAttributes &defaults, const QPalette &palette)
    : m_defaults(defaults)
    , m_palette(palette)
{
    if (formatted)
        m_fragment = selection.selection();
    else
        m_docText = selection.selectedText();
}

QStringList SelectionMimeData::formats() const
{
    return {kPlainMime, kHtmlMime, kRtfMime};
}

bool SelectionMimeData::hasFormat(const QString &mimeType) const
{
    return formats().contains(mimeType);
}

QVariant SelectionMimeData::retrieveData(const QString &mimeType, QMetaType type) const
{
    Q_UNUSED(type);
    if (mimeType == kPlainMime)
        return plainText();
    if (mimeType == kHtmlMime)
        return fragment().toHtml();
    if (mimeType == kRtfMime)
        return rtf();
    return {};
}

QString SelectionMimeData::plainText() const
{
    return m_fragment ? m_fragment->toPlainText() : plainTextOf(m_docText);
}

QByteArray SelectionMimeData::rtf() const
{
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(fragment());
    return rtf::write(selection, m_defaults, m_palette);
}

const QTextDocumentFragment &SelectionMimeData::fragment() const
{
    if (!m_fragment)
        m_fragment = QTextDocumentFragment::fromPlainText(m_docText);
    return *m_fragment;
}
