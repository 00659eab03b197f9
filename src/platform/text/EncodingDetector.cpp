#include "platform/text/EncodingDetector.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <memory>

namespace encodings {
namespace {

// uchardet names an encoding after a handful of characters without telling
// how sure it is: a word of DOS 866 can pass for UTF-8. An answer needs at
// least this many characters beyond ASCII behind it.
constexpr qsizetype kLeastEvidence = 4;

struct Deleter
{
    void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

QByteArray detectorAnswer(QByteArrayView sample)
{
    const std::unique_ptr<uchardet, Deleter> detector(uchardet_new());
    if (!detector ||
        uchardet_handle_data(detector.get(), sample.data(), size_t(sample.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    return QByteArray(uchardet_get_charset(detector.get()));
}

Encoding encodingNamed(const QByteArray &name)
{
    static const std::pair<const char *, Encoding> known[] = {
        {"ASCII", Encoding::Ascii},
        {"UTF-8", Encoding::Utf8},
        {"WINDOWS-1251", Encoding::Windows1251},
        {"KOI8-R", Encoding::Koi8R},
        {"IBM866", Encoding::Ibm866},
    };
    if (name.isEmpty())
        return Encoding::Unknown;
    for (const auto &[n, e] : known) {
        if (name.compare(n, Qt::CaseInsensitive) == 0)
            return e;
    }
    return Encoding::Other;
}

// Characters beyond ASCII: in UTF-8 each starts with a lead byte, in a
// single-byte code page each is one byte from 0x80 on.
qsizetype evidence(QByteArrayView sample, Encoding encoding)
{
    const unsigned char first = encoding == Encoding::Utf8 ? 0xC0 : 0x80;
    return std::count_if(sample.begin(), sample.end(),
                         [first](char c) { return static_cast<unsigned char>(c) >= first; });
}

} // namespace

Detection detect(QByteArrayView bytes)
{
    const QByteArrayView sample = bytes.first(std::min(bytes.size(), kSampleSize));
    const QByteArray name = detectorAnswer(sample);
    const Encoding encoding = encodingNamed(name);
    if (encoding == Encoding::Unknown ||
        (encoding != Encoding::Ascii && evidence(sample, encoding) < kLeastEvidence))
        return {};
    return {encoding, name};
}

} // namespace encodings
