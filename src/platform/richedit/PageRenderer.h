#pragma once

#include <QColor>
#include <QRectF>

#include <memory>

class QPaintDevice;
class QPainter;
class QTextBlock;
class QTextDocument;

// Renders a document page by page onto a paged device: each page is filled
// with whole lines from a text-view position on, and says where the next
// page starts. The document is copied and laid out once for the device.
class PageRenderer
{
public:
    // `page` is the area of the device that each page fills; text without
    // a colour of its own is drawn in `textColor`.
    PageRenderer(const QTextDocument &source, QPaintDevice *device, const QRectF &page,
                 const QColor &textColor);
    ~PageRenderer();

    // Draws the lines that fit on one page, starting with the line that
    // holds `from`, and returns the text-view position of the first line
    // left over (the text length when none is). At least one line is always
    // taken, so every call makes progress. A null painter only measures.
    int renderPage(QPainter *painter, int from);

private:
    // Draws the lines from `firstLine` of `first` on, down to `bottom`.
    void draw(QPainter *painter, const QTextBlock &first, int firstLine, qreal top, qreal bottom);

    std::unique_ptr<QTextDocument> m_doc;
    QRectF m_page;
    QColor m_textColor;
};
