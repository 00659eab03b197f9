#include "platform/richedit/PageRenderer.h"

#include "platform/richedit/Pictures.h"
#include "platform/richedit/TextView.h"
#include "platform/text/TextAttributes.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>

namespace {

// A part of a display unit: less than any line is high.
constexpr qreal kEdge = 0.25;
constexpr QChar kBullet(0x2022);

QImage displayUnits()
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(textformat::kDisplayDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

PageRenderer::PageRenderer(const QTextDocument &source, QPaintDevice *device, const QRectF &page,
                           const QColor &textColor)
    : m_units(displayUnits())
    , m_doc(source.clone())
    , m_scale(qreal(device->logicalDpiX()) / m_units.logicalDpiX(),
              qreal(device->logicalDpiY()) / m_units.logicalDpiY())
    , m_page(page.x() / m_scale.width(), page.y() / m_scale.height(),
             page.width() / m_scale.width(), page.height() / m_scale.height())
    , m_textColor(textColor)
{
    QTextOption option = m_doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_doc->setDefaultTextOption(option);
    // Advances that scale with the font, not ones fitted to a screen's pixels.
    m_doc->setUseDesignMetrics(true);
    takeBullets();
    m_doc->documentLayout()->setPaintDevice(&m_units);
    pictures::prepare(*m_doc);
    m_doc->setTextWidth(m_page.width());
}

PageRenderer::~PageRenderer() = default;

// A list draws its bullets as shapes, which leave no trace in a printout's
// text: what a PDF's search or copy finds, or its text extracted.
void PageRenderer::takeBullets()
{
    for (QTextBlock block = m_doc->begin(); block.isValid(); block = block.next()) {
        if (QTextList *list = block.textList()) {
            m_bulleted.insert(block.blockNumber());
            list->remove(block);
        }
    }
}

// Where a paragraph's lines are placed on the page, laid out up to it: a
// layout's own position is relative to its table cell, if it is in one.
QPointF PageRenderer::origin(const QTextBlock &block) const
{
    return m_doc->documentLayout()->blockBoundingRect(block).topLeft();
}

int PageRenderer::renderPage(QPainter *painter, int from)
{
    const int docFrom = textview::toDocument(*m_doc, from);
    const QTextBlock first = m_doc->findBlock(docFrom);
    const int firstLine =
        std::max(0, first.layout()->lineForTextPosition(docFrom - first.position()).lineNumber());

    const qreal top = origin(first).y() + first.layout()->lineAt(firstLine).y();
    const qreal limit = top + m_page.height();
    qreal bottom = top;
    int next = -1;
    int line = firstLine;
    QList<QTextBlock> bullets;
    for (QTextBlock block = first; block.isValid() && next < 0; block = block.next(), line = 0) {
        const QTextLayout *tl = block.layout();
        const qreal y = origin(block).y();
        for (; line < tl->lineCount(); ++line) {
            const QTextLine l = tl->lineAt(line);
            const qreal lineBottom = y + l.y() + l.height();
            if (lineBottom > limit && bottom > top) {
                next = block.position() + l.textStart();
                break;
            }
            // The cells of a table's row stand side by side.
            bottom = std::max(bottom, lineBottom);
            if (line == 0 && m_bulleted.contains(block.blockNumber()))
                bullets.append(block);
        }
    }

    if (painter) {
        painter->save();
        painter->scale(m_scale.width(), m_scale.height());
        painter->translate(m_page.left(), m_page.top() - top);
        painter->setClipRect(QRectF(0, top, m_page.width(), bottom - top));
        draw(painter, first, firstLine, top, bottom);
        for (const QTextBlock &block : bullets)
            drawBullet(painter, block);
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
        const QPointF at = origin(first);
        painter->setPen(m_textColor);
        for (int i = firstLine; i < tl->lineCount(); ++i) {
            const QTextLine l = tl->lineAt(i);
            if (at.y() + l.y() + l.height() > bottom + kEdge)
                break;
            l.draw(painter, at);
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

// The bullet stands on the first line's baseline, in the font and colour of
// the paragraph's first character, where the paragraph's first-line indent
// puts it: the hanging indent's room before the text.
void PageRenderer::drawBullet(QPainter *painter, const QTextBlock &block)
{
    QTextCharFormat format = block.charFormat();
    if (const QTextBlock::iterator it = block.begin(); !it.atEnd())
        format = it.fragment().charFormat();
    QTextLayout bullet(QString(kBullet), format.font().resolve(m_doc->defaultFont()), &m_units);
    bullet.beginLayout();
    const QTextLine mark = bullet.createLine();
    bullet.endLayout();

    const QTextLine line = block.layout()->lineAt(0);
    const QPointF at = origin(block);
    const qreal x = std::max(0.0, at.x() + line.x() - textformat::bulletRoom(block.blockFormat()));
    const qreal y = at.y() + line.y() + line.ascent() - mark.ascent();
    const QBrush color = format.foreground();
    painter->setPen(color.style() == Qt::NoBrush ? m_textColor : color.color());
    bullet.draw(painter, QPointF(x, y));
}
