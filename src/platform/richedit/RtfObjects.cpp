#include "platform/richedit/RtfObjects.h"

#include "platform/richedit/RtfLexer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include <algorithm>
#include <array>

namespace rtf {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixel = 15;
// Metafiles give their size in hundredths of a millimetre.
constexpr double kTwipsPerHimetric = kTwipsPerInch / 2540;
constexpr double kDefaultTwips = kTwipsPerInch;

QString label(const char *text)
{
    return QCoreApplication::translate("rtf", text);
}

// Walks a whole group, from its opening brace.
template<typename OnWord, typename OnData>
void scan(QByteArrayView group, OnWord onWord, OnData onData)
{
    qsizetype pos = 1;
    walkGroup(group, pos, onWord, onData);
}

struct PictureKind
{
    const char *word;
    const char *label;
    double twipsPerUnit; // of \picw and \pich
};

const std::array<PictureKind, 9> kPictureKinds{{
    {"pngblip", QT_TRANSLATE_NOOP("rtf", "Picture"), kTwipsPerPixel},
    {"jpegblip", QT_TRANSLATE_NOOP("rtf", "Picture"), kTwipsPerPixel},
    {"wmetafile", QT_TRANSLATE_NOOP("rtf", "WMF picture"), kTwipsPerHimetric},
    {"emfblip", QT_TRANSLATE_NOOP("rtf", "EMF picture"), kTwipsPerHimetric},
    {"pmmetafile", QT_TRANSLATE_NOOP("rtf", "OS/2 picture"), kTwipsPerHimetric},
    {"macpict", QT_TRANSLATE_NOOP("rtf", "Mac picture"), kTwipsPerPixel},
    {"dibitmap", QT_TRANSLATE_NOOP("rtf", "Bitmap picture"), kTwipsPerPixel},
    {"wbitmap", QT_TRANSLATE_NOOP("rtf", "Bitmap picture"), kTwipsPerPixel},
    {"nonshppict", QT_TRANSLATE_NOOP("rtf", "Picture"), kTwipsPerPixel},
}};

ObjectGroup readPicture(QByteArrayView group)
{
    const PictureKind *kind = &kPictureKinds.back();
    double picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    bool blip = false; // PNG or JPEG: its data is kept
    QByteArray data;
    int high = -1;
    const auto onWord = [&](const ControlWord &w, int depth) {
        if (depth != 1)
            return;
        const double v = w.param;
        if (w.word == "picw")
            picw = v;
        else if (w.word == "pich")
            pich = v;
        else if (w.word == "picwgoal")
            goalw = v;
        else if (w.word == "pichgoal")
            goalh = v;
        else if (w.word == "picscalex")
            scalex = v;
        else if (w.word == "picscaley")
            scaley = v;
        for (const PictureKind &k : kPictureKinds) {
            if (w.word == k.word) {
                kind = &k;
                blip = &k == &kPictureKinds[0] || &k == &kPictureKinds[1];
            }
        }
    };
    const auto onData = [&](QByteArrayView bytes, bool binary) {
        if (!blip)
            return;
        if (binary) {
            data.append(bytes);
            return;
        }
        const int v = hexValue(bytes.front());
        if (v < 0)
            return;
        if (high < 0) {
            high = v;
        } else {
            data.append(char(high * 16 + v));
            high = -1;
        }
    };
    scan(group, onWord, onData);

    const auto side = [&](double goal, double units, double scale) {
        const double twips = goal > 0 ? goal : std::max(0.0, units) * kind->twipsPerUnit;
        return twips * std::clamp(scale, 1.0, 10000.0) / 100;
    };
    return {blip ? data : QByteArray(),
            {side(goalw, picw, scalex), side(goalh, pich, scaley)},
            label(kind->label)};
}

// The \pict group inside a group, from its brace on; empty when it has none.
QByteArrayView innerPicture(QByteArrayView group)
{
    for (qsizetype at = group.indexOf("\\pict", 1); at >= 0; at = group.indexOf("\\pict", at + 1)) {
        const qsizetype end = at + 5;
        if (end < group.size() && isLetter(group[end]))
            continue; // \pictprop and the like
        const qsizetype brace = group.lastIndexOf('{', at);
        qsizetype pos = brace + 1;
        skipGroup(group, pos);
        return group.sliced(brace, pos - brace);
    }
    return {};
}

// The size of an object or drawing from the words that give its extent.
QSizeF extent(QByteArrayView group, QByteArrayView width, QByteArrayView height,
              QByteArrayView left, QByteArrayView top)
{
    double w = 0, h = 0, x = 0, y = 0;
    scan(
        group,
        [&](const ControlWord &word, int) {
            if (word.word == width)
                w = word.param;
            else if (word.word == height)
                h = word.param;
            else if (!left.isEmpty() && word.word == left)
                x = word.param;
            else if (!top.isEmpty() && word.word == top)
                y = word.param;
        },
        [](QByteArrayView, bool) {});
    const QSizeF size(w - x, h - y);
    return size.isEmpty() ? QSizeF(kDefaultTwips, kDefaultTwips) : size;
}

} // namespace

bool isObjectDestination(QByteArrayView word)
{
    return word == "pict" || word == "shppict" || word == "nonshppict" || word == "object" ||
           word == "shp" || word == "do";
}

ObjectGroup readObjectGroup(QByteArrayView group, QByteArrayView word)
{
    if (word == "pict")
        return readPicture(group);
    if (word == "shppict" || word == "nonshppict") {
        const QByteArrayView inner = innerPicture(group);
        if (!inner.isEmpty())
            return readPicture(inner);
        return {{}, {kDefaultTwips, kDefaultTwips}, label(QT_TRANSLATE_NOOP("rtf", "Picture"))};
    }
    if (word == "object")
        return {
            {}, extent(group, "objw", "objh", {}, {}), label(QT_TRANSLATE_NOOP("rtf", "Object"))};
    if (word == "shp") {
        return {{},
                extent(group, "shpright", "shpbottom", "shpleft", "shptop"),
                label(QT_TRANSLATE_NOOP("rtf", "Drawing"))};
    }
    return {{},
            extent(group, "dpxsize", "dpysize", {}, {}),
            label(QT_TRANSLATE_NOOP("rtf", "Drawing"))};
}

QByteArray pictureGroup(const QByteArray &data, QSizeF twips)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg")
        return {};
    const QSize pixels = reader.size();
    QByteArray out = format == "png" ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    out += "\\picw" + QByteArray::number(pixels.width()) + "\\pich" +
           QByteArray::number(pixels.height()) + "\\picwgoal" +
           QByteArray::number(qRound(twips.width())) + "\\pichgoal" +
           QByteArray::number(qRound(twips.height())) + "\r\n";
    // Lines of 64 bytes keep the file readable in a text editor.
    const QByteArray hex = data.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out += QByteArrayView(hex).sliced(i, std::min<qsizetype>(128, hex.size() - i));
        out += "\r\n";
    }
    out += '}';
    return out;
}

} // namespace rtf
