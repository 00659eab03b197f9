// How big the control shows its text: a matter of the screen alone.

#include "platform/richedit/TRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <array>

namespace {

// The sizes Zoom In and Zoom Out step through, in percent.
constexpr std::array kZoomSteps = {25,  33,  50,  67,  75,  90,  100, 110,
                                   125, 150, 175, 200, 250, 300, 400, 500};
constexpr double kInchesPerMetre = 1 / 0.0254;

} // namespace

void TRichEdit::setZoom(int percent)
{
    percent = std::clamp(percent, kZoomSteps.front(), kZoomSteps.back());
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    applyZoom();
    scrollCaret();
    Q_EMIT zoomChanged(m_zoom);
}

void TRichEdit::zoomIn()
{
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
    setZoom(next == kZoomSteps.end() ? kZoomSteps.back() : *next);
}

void TRichEdit::zoomOut()
{
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
    setZoom(next == kZoomSteps.begin() ? kZoomSteps.front() : *std::prev(next));
}

// The layout takes point sizes, and the rich view also indents and
// pictures, at the resolution of its paint device: a device of more dots
// per inch than the screen lays the text out bigger, and the views draw it
// at one dot to the pixel. The printout lays out a copy of its own.
void TRichEdit::applyZoom()
{
    QTextDocument *doc = document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    if (m_zoom == 100) {
        if (!layout->paintDevice())
            return;
        layout->setPaintDevice(nullptr);
    } else {
        const double dpi = double(logicalDpiY()) * m_zoom / 100;
        m_zoomDevice = QImage(1, 1, QImage::Format_RGB32);
        m_zoomDevice.setDotsPerMeterX(int(dpi * kInchesPerMetre + 0.5));
        m_zoomDevice.setDotsPerMeterY(int(dpi * kInchesPerMetre + 0.5));
        layout->setPaintDevice(&m_zoomDevice);
    }
    doc->markContentsDirty(0, doc->characterCount());
}
