#include "platform/richedit/Pictures.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextObjectInterface>
#include <QUrl>

#include <algorithm>
#include <atomic>

namespace pictures {
namespace {

// The pixels a picture is held with at most, on its longer side: more than
// any screen shows of it, and a bound on the memory of a document of photos.
constexpr int kMaxHeldPixels = 2048;
// The height of a placeholder's label: the small print of a 96 dpi screen.
constexpr int kLabelPixels = 12;

QUrl newImageName()
{
    // Names are unique in the program, so that an image copied between
    // documents never meets another one of the same name.
    static std::atomic<int> counter{0};
    return QUrl(QStringLiteral("scrivlet-picture:%1").arg(++counter));
}

QSizeF bounded(QSizeF twips)
{
    return {std::clamp(twips.width(), 1.0, kMaxTwips), std::clamp(twips.height(), 1.0, kMaxTwips)};
}

QImage decode(const QByteArray &encoded)
{
    QBuffer buffer;
    buffer.setData(encoded);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg")
        return {};
    // A picture of many megapixels is read as the screen needs it: JPEG
    // decodes it at that size directly.
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > kMaxHeldPixels)
        reader.setScaledSize(size.scaled(kMaxHeldPixels, kMaxHeldPixels, Qt::KeepAspectRatio));
    return reader.read();
}

// Draws a kept object as a box of its size with its label.
class KeptObjectBox : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &format) override
    {
        return sizeInTwips(format) / kTwipsPerPixel;
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                    const QTextFormat &format) override
    {
        painter->save();
        painter->setPen(QPen(Qt::gray, 0));
        painter->setBrush(QColor(240, 240, 240));
        painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        painter->setPen(Qt::darkGray);
        // In pixels of the layout, not points: a printer's painter is scaled
        // from those pixels already, and points would be scaled twice.
        QFont label = painter->font();
        label.setPixelSize(kLabelPixels);
        painter->setFont(label);
        painter->drawText(rect, Qt::AlignCenter | Qt::TextWordWrap,
                          format.stringProperty(kLabelProperty));
        painter->restore();
    }
};

} // namespace

std::optional<QTextImageFormat> image(QTextDocument &doc, const QByteArray &encoded, QSizeF twips)
{
    const QImage picture = decode(encoded);
    if (picture.isNull())
        return std::nullopt;
    if (twips.isEmpty()) {
        // A picture's own size: its resolution, if it has one, else 96 per inch.
        const double dpmX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 3780;
        const double dpmY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : 3780;
        const QSizeF inches = QSizeF(picture.width() / dpmX, picture.height() / dpmY) / 0.0254;
        twips = QSizeF(qRound(inches.width() * 1440), qRound(inches.height() * 1440));
    }
    const QSizeF pixels = bounded(twips) / kTwipsPerPixel;
    QTextImageFormat f;
    f.setName(newImageName().toString());
    f.setWidth(pixels.width());
    f.setHeight(pixels.height());
    f.setProperty(kEncodedProperty, encoded);
    doc.addResource(QTextDocument::ImageResource, QUrl(f.name()), picture);
    return f;
}

QTextCharFormat keptObject(const QByteArray &rtfGroup, QSizeF twips, const QString &label)
{
    QTextCharFormat f;
    f.setObjectType(kKeptObjectType);
    f.setProperty(kRtfGroupProperty, rtfGroup);
    f.setProperty(kLabelProperty, label);
    f.setProperty(kTwipsProperty, bounded(twips));
    return f;
}

QByteArray encodedData(const QTextFormat &format)
{
    return format.isImageFormat() ? format.property(kEncodedProperty).toByteArray() : QByteArray();
}

QByteArray rtfGroup(const QTextFormat &format)
{
    return format.objectType() == kKeptObjectType ? format.property(kRtfGroupProperty).toByteArray()
                                                  : QByteArray();
}

QSizeF sizeInTwips(const QTextFormat &format)
{
    if (format.isImageFormat()) {
        const QTextImageFormat f = format.toImageFormat();
        return QSizeF(f.width(), f.height()) * kTwipsPerPixel;
    }
    return format.property(kTwipsProperty).toSizeF();
}

bool isObject(const QTextFormat &format)
{
    return format.isImageFormat() || format.objectType() == kKeptObjectType;
}

void prepare(QTextDocument &doc)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    if (!layout->handlerForObject(kKeptObjectType))
        layout->registerHandler(kKeptObjectType, new KeptObjectBox(layout));
    for (const QTextFormat &f : doc.allFormats()) {
        const QByteArray encoded = encodedData(f);
        const QUrl name(f.toImageFormat().name());
        if (encoded.isEmpty() || doc.resource(QTextDocument::ImageResource, name).isValid())
            continue;
        if (const QImage picture = decode(encoded); !picture.isNull())
            doc.addResource(QTextDocument::ImageResource, name, picture);
    }
}

} // namespace pictures

#include "Pictures.moc"
