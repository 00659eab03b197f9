#include "platform/richedit/PageRenderer.h"

#include "platform/richedit/Pictures.h"
#include "platform/richedit/TextView.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// A part of a device pixel: less than any line is high.
constexpr qreal kEdge = 0.25;

} // namespace

PageRenderer::PageRenderer(const QTextDocument &source, QPaintDevice *device, const QRectF &page,
                           const QColor &textColor)
    : m_doc(source.clone())
    , m_page(page)
    , m_textColor(textColor)
{
    m_doc->documentLayout()->setPaintDevice(device);
    pictures::prepare(*m_doc);
    m_doc->setTextWidth(page.width());
}

PageRenderer::~PageRenderer() = default;

int PageRenderer::renderPage(QPainter *painter, int from)
{
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    const int docFrom = textview::toDocument(*m_doc, from);
    const QTextBlock first = m_doc->findBlock(docFrom);
    layout->blockBoundingRect(first); // lays the text out up to here
    const int firstLine =
        std::max(0, first.layout()->lineForTextPosition(docFrom - first.position()).lineNumber());

    const qreal top = first.layout()->position().y() + first.layout()->lineAt(firstLine).y();
    const qreal limit = top + m_page.height();
    qreal bottom = top;
    int next = -1;
    int line = firstLine;
    for (QTextBlock block = first; block.isValid() && next < 0; block = block.next(), line = 0) {
        layout->blockBoundingRect(block);
        const QTextLayout *tl = block.layout();
        const qreal y = tl->position().y();
        for (; line < tl->lineCount(); ++line) {
            const QTextLine l = tl->lineAt(line);
            const qreal lineBottom = y + l.y() + l.height();
            if (lineBottom > limit && bottom > top) {
                next = block.position() + l.textStart();
                break;
            }
            bottom = lineBottom;
        }
    }

    if (painter) {
        painter->save();
        painter->translate(m_page.left(), m_page.top() - top);
        painter->setClipRect(QRectF(0, top, m_page.width(), bottom - top));
        draw(painter, first, firstLine, top, bottom);
        painter->restore();
    }
    return next < 0 ? textview::length(*m_doc) : textview::fromDocument(*m_doc, next);
}

// Lines outside the page are left out rather than clipped: invisible, their
// text would still be in the printout twice for anything that reads it, such
// as a PDF's search or copy. The layout's own drawing keeps a line above its
// clip, so a paragraph that began on an earlier page is drawn line by line.
void PageRenderer::draw(QPainter *painter, const QTextBlock &first, int firstLine, qreal top,
                        qreal bottom)
{
    qreal wholeBlocks = top;
    if (firstLine > 0) {
        const QTextLayout *tl = first.layout();
        painter->setPen(m_textColor);
        for (int i = firstLine; i < tl->lineCount(); ++i) {
            const QTextLine l = tl->lineAt(i);
            if (tl->position().y() + l.y() + l.height() > bottom + kEdge)
                break;
            l.draw(painter, tl->position());
        }
        wholeBlocks = m_doc->documentLayout()->blockBoundingRect(first).bottom();
    }
    if (wholeBlocks >= bottom)
        return;
    QAbstractTextDocumentLayout::PaintContext ctx;
    // The neighbouring pages' lines only touch the edges of this part.
    ctx.clip =
        QRectF(0, wholeBlocks, m_page.width(), bottom - wholeBlocks).adjusted(0, kEdge, 0, -kEdge);
    ctx.palette.setColor(QPalette::Text, m_textColor);
    m_doc->documentLayout()->draw(painter, ctx);
}
