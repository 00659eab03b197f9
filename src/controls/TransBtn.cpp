#include "controls/TransBtn.h"

#include "platform/text/WinColors.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// Windows system colour indices of the frame and emboss colours.
constexpr int kButtonFace = 15;
constexpr int kButtonShadow = 16;
constexpr int kButtonHighlight = 20;
constexpr int kDarkShadow = 21;

QColor systemColor(int index, const QPalette &palette)
{
    return wincolors::toColor(wincolors::kSystemColorFlag | quint32(index), palette);
}

// The classic 3-D frame: `width` nested one-pixel rectangles, top and left
// in one colour, bottom and right in the other, the bottom-left and
// top-right corners going to the bottom colour. The rectangle shrinks by
// the width.
void frame3D(QPainter &p, QRect &r, const QColor &top, const QColor &bottom, int width)
{
    for (int i = 0; i < width && r.isValid(); ++i) {
        p.fillRect(r.left(), r.top(), r.width() - 1, 1, top);
        p.fillRect(r.left(), r.top(), 1, r.height() - 1, top);
        p.fillRect(r.right(), r.top(), 1, r.height(), bottom);
        p.fillRect(r.left(), r.bottom(), r.width(), 1, bottom);
        r.adjust(1, 1, -1, -1);
    }
}

// The brush behind the glyph of a down button under the mouse: the button
// face with every other pixel white.
QBrush checkeredPattern(const QColor &face)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pattern.setPixelColor(x, y, (x + y) % 2 == 0 ? QColor(Qt::white) : face);
    }
    return QBrush(pattern);
}

// What screen readers see: a push button, which their press clicks.
class AccessibleButton : public QAccessibleWidget
{
public:
    explicit AccessibleButton(TTransparentButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<TTransparentButton *>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *accessibleButton(const QString &className, QObject *object)
{
    return className == QLatin1String(TTransparentButton::staticMetaObject.className())
               ? new AccessibleButton(static_cast<TTransparentButton *>(object))
               : nullptr;
}

} // namespace

namespace transbtn {

int numGlyphsFor(QSize strip, int current)
{
    if (strip.height() <= 0 || strip.width() % strip.height() != 0)
        return current;
    const int count = strip.width() / strip.height();
    if (count > 4)
        return 1;
    return count >= 1 ? count : current;
}

QImage grayCopy(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = (30 * qRed(line[x]) + 59 * qGreen(line[x]) + 11 * qBlue(line[x])) / 100;
            line[x] = qRgb(g, g, g);
        }
    }
    return out;
}

QImage disabledCopy(const QImage &image, const QPalette &palette)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const QRgb background = source.isNull() ? 0 : source.pixel(0, 0);
    const auto drawn = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= source.width() || y >= source.height())
            return false;
        const QRgb c = source.pixel(x, y) | 0xFF000000u;
        return c != (background | 0xFF000000u) && c != 0xFFFFFFFFu;
    };
    // The highlight shows through the drawn pixels shifted one right and
    // down; the shadow through them in place, over it.
    QImage out(source.size(), QImage::Format_RGB32);
    out.fill(systemColor(kButtonFace, palette));
    const QRgb highlight = systemColor(kButtonHighlight, palette).rgb();
    const QRgb shadow = systemColor(kButtonShadow, palette).rgb();
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (drawn(x, y))
                out.setPixel(x, y, shadow);
            else if (drawn(x - 1, y - 1))
                out.setPixel(x, y, highlight);
        }
    }
    return out;
}

QImage masked(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const QRgb transparent = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (line[x] == transparent)
                line[x] = 0;
        }
    }
    return out;
}

} // namespace transbtn

TTransparentButton::TTransparentButton(QWidget *parent)
    : QWidget(parent)
{
    setGeometry(0, 0, 40, 40);
    // No background of its own: the parent shows through.
    setAutoFillBackground(false);
    setFocusPolicy(Qt::TabFocus);
    QAccessible::installFactory(accessibleButton);
}

QColor TTransparentButton::color() const
{
    return m_color.isValid() ? m_color : palette().color(backgroundRole());
}

void TTransparentButton::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    m_shortcutId = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    setAccessibleName(QString(caption).replace(QRegularExpression(QStringLiteral("&(.)")),
                                               QStringLiteral("\\1")));
    update();
}

void TTransparentButton::setDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    m_pressed = down;
    repaint();
}

void TTransparentButton::setGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    m_numGlyphs = transbtn::numGlyphsFor(glyph.size(), m_numGlyphs);
    rebuildImages();
}

// The strip is cut anew for the new count, so that images and count agree
// whichever of the two was set last.
void TTransparentButton::setNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (count == m_numGlyphs)
        return;
    m_numGlyphs = count;
    rebuildImages();
}

void TTransparentButton::rebuildImages()
{
    m_images.clear();
    m_imageSize = QSize(0, 0);
    update();
    const int width = m_glyph.width() / m_numGlyphs;
    if (m_glyph.isNull() || width == 0)
        return;
    m_imageSize = QSize(width, m_glyph.height());
    for (int i = 0; i < m_numGlyphs; ++i)
        m_images.append(transbtn::masked(m_glyph.copy(QRect(QPoint(i * width, 0), m_imageSize))));
    const QImage first = m_glyph.copy(QRect(QPoint(0, 0), m_imageSize));
    m_images.append(transbtn::masked(transbtn::grayCopy(first)));
    m_images.append(transbtn::masked(transbtn::disabledCopy(first, palette())));
}

int TTransparentButton::imageIndex() const
{
    const int count = int(m_images.size());
    int index = 0;
    if (m_numGlyphs == 2)
        index = isEnabled() ? 0 : 1;
    else if (m_numGlyphs >= 3)
        index = !isEnabled() ? 1 : (m_pressed || m_down) ? 2 : 0;
    if ((m_flat || m_frameStyle == fsExplorer) && m_autoGray && !m_mouseInside && !m_down)
        index = count - 2;
    if (!isEnabled() && m_numGlyphs == 1)
        index = count - 1;
    return index;
}

QRect TTransparentButton::glyphRect() const
{
    const int w = m_imageSize.width();
    const int h = m_imageSize.height();
    int top = (height() - h) / 2;
    if (m_textAlign == ttaBottomRight || m_textAlign == ttaBottom || m_textAlign == ttaBottomLeft)
        top = m_spacing;
    else if (m_textAlign == ttaTopLeft || m_textAlign == ttaTop || m_textAlign == ttaTopRight)
        top = height() - h - m_spacing;
    int left = (width() - w) / 2;
    if (m_textAlign == ttaLeft)
        left = width() - w - m_spacing;
    else if (m_textAlign == ttaRight)
        left = m_spacing;
    return QRect(left, top, w, h);
}

int TTransparentButton::captionFlags() const
{
    return Qt::TextShowMnemonic | (m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

QRect TTransparentButton::captionRect(const QRect &glyph) const
{
    const QSize text = fontMetrics().boundingRect(rect(), captionFlags(), m_caption).size();
    const int tw = text.width();
    const int th = text.height();
    const int above = glyph.top() - th - m_spacing;
    const int below = glyph.top() + glyph.height() + m_spacing;
    const int middle = height() / 2 - th / 2;
    const int centre = width() / 2 - tw / 2;
    const int right = width() - tw - m_spacing;
    QPoint at;
    switch (m_textAlign) {
    case ttaTopLeft:
        at = {m_spacing, above};
        break;
    case ttaTop:
        at = {centre, above};
        break;
    case ttaTopRight:
        at = {right, above};
        break;
    case ttaRight:
        at = {right, middle};
        break;
    case ttaBottomRight:
        at = {right, below};
        break;
    case ttaBottom:
        at = {centre, below};
        break;
    case ttaBottomLeft:
        at = {m_spacing, below};
        break;
    case ttaLeft:
        at = {m_spacing, middle};
        break;
    case ttaCenter:
        at = {centre, middle};
        break;
    }
    if (m_pressed && m_showPressed)
        at += QPoint(m_offset, m_offset);
    return QRect(at, text);
}

QColor TTransparentButton::systemColor(int index) const
{
    return ::systemColor(index, palette());
}

QList<TTransparentButton::Frame> TTransparentButton::frames() const
{
    const QColor black(Qt::black);
    const QColor highlight = systemColor(kButtonHighlight);
    const QColor shadow = systemColor(kButtonShadow);
    const QColor face = systemColor(kButtonFace);
    const QColor dark = systemColor(kDarkShadow);
    if (m_pressed) {
        if (m_frameStyle == fsExplorer) {
            if (!m_mouseInside && !m_down)
                return {};
            return {m_showPressed ? Frame{shadow, highlight} : Frame{highlight, shadow}};
        }
        if (!m_showPressed)
            return {};
        switch (m_frameStyle) {
        case fsRegular:
        case fsIndent:
            return {{black, highlight}, {shadow, face}};
        case fsLight:
            return {{shadow, highlight}};
        case fsDark:
            return {{dark, face}};
        case fsMono:
            return {{dark, highlight}};
        default:
            return {};
        }
    }
    // Nothing here is ever designed on a form: fsNone never shows the outline
    // a designer would.
    if (m_frameStyle == fsExplorer)
        return m_mouseInside ? QList<Frame>{{highlight, shadow}} : QList<Frame>{};
    if (m_flat && !m_mouseInside)
        return {};
    switch (m_frameStyle) {
    case fsRegular:
        return {{highlight, black}, {QColor(223, 223, 223), shadow}};
    case fsIndent:
        return {{shadow, highlight}, {highlight, shadow}};
    case fsLight:
        return {{highlight, shadow}};
    case fsDark:
        return {{face, dark}};
    case fsMono:
        return {{highlight, dark}};
    default:
        return {};
    }
}

bool TTransparentButton::IsInside(int x, int y) const
{
    return x >= 0 && y >= 0 && x < width() && y < height();
}

// Painting ------------------------------------------------------------------------

void TTransparentButton::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    DrawFrame(canvas);
    DrawContent(canvas);
    if (hasFocus())
        drawFocus(canvas);
}

void TTransparentButton::drawFocus(QPainter &canvas)
{
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(m_borderWidth + 1, m_borderWidth + 1, -m_borderWidth - 1,
                                  -m_borderWidth - 1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &canvas, this);
}

void TTransparentButton::DrawFrame(QPainter &canvas)
{
    QRect r = rect();
    if (!m_transparent)
        canvas.fillRect(r, color());
    for (const Frame &f : frames())
        frame3D(canvas, r, f.top, f.bottom, m_borderWidth);
}

void TTransparentButton::DrawContent(QPainter &canvas)
{
    const QRect glyph = glyphRect();
    if (!m_glyph.isNull())
        DrawGlyph(glyph, canvas);
    if (!m_caption.isEmpty())
        DrawCaption(glyph, canvas);
}

void TTransparentButton::DrawGlyph(const QRect &glyph, QPainter &canvas)
{
    const int index = imageIndex();
    if (index < 0 || index >= m_images.size())
        return;
    QRect at = glyph;
    if ((m_pressed && m_showPressed) || m_down)
        at.translate(m_offset, m_offset);
    if (m_mouseInside && m_down) {
        const int inset = m_borderWidth + 1;
        canvas.fillRect(rect().adjusted(inset, inset, -inset, -inset),
                        checkeredPattern(systemColor(kButtonFace)));
    }
    canvas.drawImage(at.topLeft(), m_images.at(index));
}

void TTransparentButton::DrawCaption(const QRect &glyph, QPainter &canvas)
{
    const QRect at = captionRect(glyph);
    const int flags = Qt::AlignCenter | Qt::TextDontClip | captionFlags();
    canvas.setFont(font());
    if (isEnabled()) {
        canvas.setPen(palette().color(foregroundRole()));
    } else {
        canvas.setPen(systemColor(kButtonHighlight));
        canvas.drawText(at.translated(1, 1), flags, m_caption);
        canvas.setPen(systemColor(kButtonShadow));
    }
    canvas.drawText(at, flags, m_caption);
}

// Mouse -------------------------------------------------------------------------------

void TTransparentButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (IsInside(pos.x(), pos.y())) {
        m_pressed = true;
        update();
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_clickArmed = true;
    if (m_dropDownMenu)
        showDropDown();
}

void TTransparentButton::showDropDown()
{
    m_dropDownMenu->exec(mapToGlobal(QPoint(0, height())));
    // The press that opened the menu ends with it: no click follows.
    m_clickArmed = false;
    release();
}

void TTransparentButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_pressed && !IsInside(pos.x(), pos.y())) {
        m_pressed = false;
        update();
    }
}

void TTransparentButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_clickArmed) {
        m_clickArmed = false;
        if (IsInside(pos.x(), pos.y()))
            Q_EMIT clicked();
    }
    release();
}

void TTransparentButton::release()
{
    if (m_down)
        return;
    m_pressed = false;
    update();
}

void TTransparentButton::enterEvent(QEnterEvent *)
{
    if (isEnabled())
        MouseEnter();
}

void TTransparentButton::leaveEvent(QEvent *)
{
    if (isEnabled())
        MouseLeave();
}

// The look changes with the mouse in more than flat buttons (the explorer
// frame, the grey glyph): every button repaints.
void TTransparentButton::MouseEnter()
{
    m_mouseInside = true;
    Q_EMIT mouseEnter();
    update();
}

void TTransparentButton::MouseLeave()
{
    m_mouseInside = false;
    Q_EMIT mouseExit();
    update();
}

void TTransparentButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        m_pressed = false;
        m_mouseInside = false;
        m_clickArmed = false;
    }
    update();
}

bool TTransparentButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && isEnabled()) {
        click();
        return true;
    }
    return QWidget::event(event);
}

void TTransparentButton::click()
{
    if (isEnabled())
        Q_EMIT clicked();
}

// Keyboard -------------------------------------------------------------------------------

void TTransparentButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TTransparentButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TTransparentButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
