#include "platform/richedit/PageRenderer.h"

#include "platform/richedit/TextView.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

PageRenderer::PageRenderer(const QTextDocument &source, QPaintDevice *device, const QRectF &page,
                           const QColor &textColor)
    : m_doc(source.clone())
    , m_page(page)
    , m_textColor(textColor)
{
    m_doc->documentLayout()->setPaintDevice(device);
    m_doc->setTextWidth(page.width());
}

PageRenderer::~PageRenderer() = default;

int PageRenderer::renderPage(QPainter *painter, int from)
{
    QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
    const int docFrom = textview::toDocument(*m_doc, from);
    QTextBlock block = m_doc->findBlock(docFrom);
    layout->blockBoundingRect(block); // lays the text out up to here
    int line =
        std::max(0, block.layout()->lineForTextPosition(docFrom - block.position()).lineNumber());

    const qreal top = block.layout()->position().y() + block.layout()->lineAt(line).y();
    const qreal limit = top + m_page.height();
    qreal bottom = top;
    int next = -1;
    for (; block.isValid() && next < 0; block = block.next(), line = 0) {
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
        const QRectF clip(0, top, m_page.width(), bottom - top);
        painter->save();
        painter->translate(m_page.left(), m_page.top() - top);
        painter->setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip;
        ctx.palette.setColor(QPalette::Text, m_textColor);
        layout->draw(painter, ctx);
        painter->restore();
    }
    return next < 0 ? textview::length(*m_doc) : textview::fromDocument(*m_doc, next);
}
