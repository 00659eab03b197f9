#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSet>
#include <QSizeF>

#include <memory>

class QPaintDevice;
class QPainter;
class QTextBlock;
class QTextDocument;

// Renders a document page by page onto a paged device: each page is filled
// with whole lines from a text-view position on, and says where the next
// page starts.
//
// The document is copied for paper and laid out once: in display units
// (see textformat::kDisplayDpi) at the page's width, whatever the device's
// resolution, so that indents print to scale beside fonts at their point
// sizes; wrapped at the page's width whatever the window's word wrap, so
// that every word reaches the paper; bullets printed as text, so that they
// show in the printout's text as on paper.
class PageRenderer
{
public:
    // `page` is the area of the device that each page fills, in device
    // pixels; text without a colour of its own is drawn in `textColor`.
    PageRenderer(const QTextDocument &source, QPaintDevice *device, const QRectF &page,
                 const QColor &textColor);
    ~PageRenderer();

    // Draws the lines that fit on one page, starting with the line that
    // holds `from`, and returns the text-view position of the first line
    // left over (the text length when none is). At least one line is always
    // taken, so every call makes progress. A null painter only measures.
    int renderPage(QPainter *painter, int from);

private:
    // Takes the paragraphs out of their lists; their bullets are drawn here.
    void takeBullets();
    // Draws the lines from `firstLine` of `first` on, down to `bottom`.
    void draw(QPainter *painter, const QTextBlock &first, int firstLine, qreal top, qreal bottom);
    void drawBullet(QPainter *painter, const QTextBlock &block);
    QPointF origin(const QTextBlock &block) const;

    // What the copy is laid out for: a device of display units.
    QImage m_units;
    std::unique_ptr<QTextDocument> m_doc;
    QSizeF m_scale; // device pixels to the display unit
    QRectF m_page;  // in display units
    QColor m_textColor;
    QSet<int> m_bulleted; // block numbers
};
