#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QTextFormat>

#include <optional>

class QTextDocument;
class QTextImageFormat;

// Pictures and objects in a document, each one object character.
//
// A PNG or JPEG picture is an image (QTextImageFormat) whose format keeps the
// encoded data it came from, so that it is written back as it came (a JPEG is
// never compressed again) and can be shown again in any document it is
// copied to. What the control cannot show (other picture kinds, embedded
// objects, drawings) keeps its RTF group byte for byte in its format and is
// shown as a box of its size.
namespace pictures {

// The encoded PNG or JPEG data of an image.
constexpr int kEncodedProperty = QTextFormat::UserProperty + 20;
// The RTF group of a kept object, as it was read.
constexpr int kRtfGroupProperty = QTextFormat::UserProperty + 21;
// What a kept object is, shown in its box ("WMF picture").
constexpr int kLabelProperty = QTextFormat::UserProperty + 22;
// The size of a kept object's box in twips (a QSizeF).
constexpr int kTwipsProperty = QTextFormat::UserProperty + 23;
constexpr int kKeptObjectType = QTextFormat::UserObject + 1;

// Display pixels are 1/96 inch: 15 twips.
constexpr double kTwipsPerPixel = 15.0;
// Largest side a picture is shown with, in twips (22 inches), whatever its
// file says: a box of a billion twips would make a layout of nothing else.
constexpr double kMaxTwips = 31680.0;

// The image of PNG or JPEG data, shown at `twips` (its own size where that is
// empty), with the decoded picture added to the document's resources.
// Nothing when the data is neither, is damaged, or would decode to more
// memory than a picture may take.
std::optional<QTextImageFormat> image(QTextDocument &doc, const QByteArray &encoded,
                                      QSizeF twips = {});

// A kept object: its RTF group, shown as a box of `twips` with the label.
QTextCharFormat keptObject(const QByteArray &rtfGroup, QSizeF twips, const QString &label);

// The encoded data of an image of ours; empty for anything else.
QByteArray encodedData(const QTextFormat &format);
// The RTF group of a kept object; empty for anything else.
QByteArray rtfGroup(const QTextFormat &format);
// The size an image or kept object is shown with.
QSizeF sizeInTwips(const QTextFormat &format);

// Whether a format is that of an image or a kept object.
bool isObject(const QTextFormat &format);

// Makes the document show its objects with its current layout: kept objects
// get their boxes drawn, and images copied in from another document get
// their pictures back. Call it after a new layout or a paste.
void prepare(QTextDocument &doc);

} // namespace pictures
