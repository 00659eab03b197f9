#include "controls/ToolbarImages.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace toolbarimages {
namespace {

QIcon standard(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

// A glyph drawn as a few letters, for commands the style has no icon for.
QIcon lettered(const QString &letters, const QFont &font)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(QApplication::palette().color(QPalette::ButtonText));
    p.drawText(pm.rect(), Qt::AlignCenter, letters);
    return QIcon(pm);
}

// A glyph drawn with a few shapes in the button text's colour, for
// commands whose symbols the fonts may lack.
template<typename Draw>
QIcon drawn(Draw draw)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.5));
    p.setBrush(QApplication::palette().color(QPalette::Base));
    draw(p);
    return QIcon(pm);
}

// Two sheets, one over the other.
QIcon copyGlyph()
{
    return drawn([](QPainter &p) {
        p.drawRect(QRectF(4.5, 3.5, 10, 13));
        p.drawRect(QRectF(9.5, 7.5, 10, 13));
    });
}

// A clipboard with its clip.
QIcon pasteGlyph()
{
    return drawn([](QPainter &p) {
        p.drawRoundedRect(QRectF(5.5, 4.5, 13, 16), 1.5, 1.5);
        p.setBrush(p.pen().color());
        p.drawRect(QRectF(9.5, 2.5, 5, 4));
    });
}

// The save glyph with a red mark: the document has unsaved changes.
QIcon marked(const QIcon &base)
{
    QPixmap pm = base.pixmap(24, 24);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::red);
    p.setPen(Qt::white);
    p.drawEllipse(QRectF(13, 13, 10, 10));
    return QIcon(pm);
}

QFont glyphFont(bool bold, bool italic, bool underline)
{
    QFont f;
    f.setPixelSize(15);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

} // namespace

QIcon image(int index)
{
    switch (index) {
    case Open:
        return standard(QStyle::SP_DialogOpenButton);
    case SaveModified:
        return marked(standard(QStyle::SP_DialogSaveButton));
    case Save:
        return standard(QStyle::SP_DialogSaveButton);
    case Print:
        return QIcon::fromTheme(QStringLiteral("document-print"),
                                lettered(QStringLiteral("P"), glyphFont(true, false, false)));
    case Undo:
        return standard(QStyle::SP_ArrowBack);
    case Redo:
        return standard(QStyle::SP_ArrowForward);
    case Cut:
        return QIcon::fromTheme(QStringLiteral("edit-cut"),
                                lettered(QStringLiteral("✂"), glyphFont(false, false, false)));
    case Copy:
        return QIcon::fromTheme(QStringLiteral("edit-copy"), copyGlyph());
    case Paste:
        return QIcon::fromTheme(QStringLiteral("edit-paste"), pasteGlyph());
    case Bold:
        return lettered(QStringLiteral("B"), glyphFont(true, false, false));
    case Italic:
        return lettered(QStringLiteral("I"), glyphFont(false, true, false));
    case Underline:
        return lettered(QStringLiteral("U"), glyphFont(false, false, true));
    case AlignLeft:
        return lettered(QStringLiteral("≡◂"), glyphFont(false, false, false));
    case Center:
        return lettered(QStringLiteral("≡"), glyphFont(false, false, false));
    case AlignRight:
        return lettered(QStringLiteral("▸≡"), glyphFont(false, false, false));
    case Bullets:
        return lettered(QStringLiteral("•≡"), glyphFont(false, false, false));
    case New:
        return standard(QStyle::SP_FileIcon);
    case Exit:
        return standard(QStyle::SP_DialogCloseButton);
    default:
        return QIcon();
    }
}

} // namespace toolbarimages
