#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <algorithm>

class QPainter;

// The pixel work behind a transparent button's glyph strip.
namespace transbtn {

// The number of images in a strip: width ÷ height when the width is a
// whole multiple of the height (1 when that is more than 4), else `current`.
int numGlyphsFor(QSize strip, int current);
// Each pixel as the grey of its brightness, (30 R + 59 G + 11 B) ÷ 100.
QImage grayCopy(const QImage &image);
// The image as a disabled button shows it: everything that is neither
// white nor the top-left pixel's colour, embossed on the button face.
QImage disabledCopy(const QImage &image, const QPalette &palette);
// The image with its bottom-left pixel's colour made transparent.
QImage masked(const QImage &image);

} // namespace transbtn

// A push button without a background of its own: what lies under it shows
// through wherever it does not paint. It draws a 3-D frame in one of seven
// styles, a glyph from a strip of up to four images (normal, disabled,
// pressed) and a caption at one of nine places around or over the glyph.
// It can be flat (a frame only while the mouse is over it), stay down like
// a toggle, show its glyph grey until the mouse comes, and drop down a menu.
// Tab reaches it, and Space or Enter clicks it; screen readers read it as a
// push button.
class TTransparentButton : public QWidget
{
    Q_OBJECT

public:
    enum TFrameStyle { fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono };
    Q_ENUM(TFrameStyle)
    // Where the caption goes; the glyph goes to the opposite side.
    enum TTextAlign {
        ttaTopLeft,
        ttaTop,
        ttaTopRight,
        ttaRight,
        ttaBottomRight,
        ttaBottom,
        ttaBottomLeft,
        ttaLeft,
        ttaCenter
    };
    Q_ENUM(TTextAlign)

    // One frame line pair: the top and left lines, the bottom and right ones.
    struct Frame
    {
        QColor top;
        QColor bottom;
        bool operator==(const Frame &) const = default;
    };

    explicit TTransparentButton(QWidget *parent = nullptr);

    bool autoGray() const { return m_autoGray; }
    void setAutoGray(bool on) { assign(m_autoGray, on); }
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width) { assign(m_borderWidth, std::max(0, width)); }
    // An "&" marks the accelerator: Alt and that character click the button.
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Filled behind the button when it is not transparent; none set: the
    // palette's window colour.
    QColor color() const;
    void setColor(const QColor &color) { assign(m_color, color); }
    bool isDown() const { return m_down; }
    void setDown(bool down);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat) { assign(m_flat, flat); }
    TFrameStyle frameStyle() const { return m_frameStyle; }
    void setFrameStyle(TFrameStyle style) { assign(m_frameStyle, style); }
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }
    // Shown under the button when the left mouse button goes down on it;
    // the button does not own it.
    QMenu *dropDownMenu() const { return m_dropDownMenu; }
    void setDropDownMenu(QMenu *menu) { m_dropDownMenu = menu; }
    bool showPressed() const { return m_showPressed; }
    void setShowPressed(bool on) { m_showPressed = on; }
    int spacing() const { return m_spacing; }
    void setSpacing(int spacing) { assign(m_spacing, spacing); }
    TTextAlign textAlign() const { return m_textAlign; }
    void setTextAlign(TTextAlign align) { assign(m_textAlign, align); }
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool on) { assign(m_transparent, on); }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on) { assign(m_wordWrap, on); }

    // The look's state: shown pressed (held down on it, or Down), and the
    // mouse over the button.
    bool isPressed() const { return m_pressed; }
    bool isMouseInside() const { return m_mouseInside; }

    // The images cut from the glyph strip, then its grey and its disabled
    // copy of the first image, each with its mask.
    const QList<QImage> &images() const { return m_images; }
    // The image the glyph shows now, as an index into images().
    int imageIndex() const;
    // Where the glyph goes, and where a caption of the button's font goes
    // around that glyph rectangle.
    QRect glyphRect() const;
    QRect captionRect(const QRect &glyph) const;
    // The frames drawn now, the outer one first.
    QList<Frame> frames() const;

    virtual bool IsInside(int x, int y) const;
    // Clicks the button, as the mouse, the keyboard or a screen reader does.
    void click();

Q_SIGNALS:
    void clicked();
    void mouseEnter();
    void mouseExit();

protected:
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DrawContent(QPainter &canvas);
    virtual void DrawFrame(QPainter &canvas);
    virtual void DrawCaption(const QRect &glyph, QPainter &canvas);
    virtual void DrawGlyph(const QRect &glyph, QPainter &canvas);

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template<typename T>
    void assign(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        update();
    }

    void rebuildImages();
    void drawFocus(QPainter &canvas);
    void showDropDown();
    // The mouse-up handling: the button comes up unless it is Down.
    void release();
    int captionFlags() const;
    QColor systemColor(int index) const;

    TTextAlign m_textAlign = ttaCenter;
    QString m_caption;
    bool m_autoGray = true;
    bool m_transparent = true;
    bool m_showPressed = true;
    int m_offset = 1;
    int m_spacing = 2;
    QImage m_glyph;
    QPointer<QMenu> m_dropDownMenu;
    bool m_pressed = false;
    int m_borderWidth = 1;
    int m_numGlyphs = 1;
    QList<QImage> m_images;
    QSize m_imageSize{0, 0};
    TFrameStyle m_frameStyle = fsExplorer;
    bool m_mouseInside = false;
    bool m_wordWrap = false;
    bool m_down = false;
    bool m_flat = true;
    QColor m_color;
    // A left press on the button that a release over it turns into a click.
    bool m_clickArmed = false;
    int m_shortcutId = 0;
};
