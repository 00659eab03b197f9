#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// Tells which encoding a file's bytes are in, for files that are not in the
// editor's own code page: UTF-8 from today's desktops, KOI8-R and DOS 866
// from older ones.
namespace encodings {

// How much of a file the detector needs: enough to be sure, little enough
// to stay quick on a file of many megabytes.
constexpr qsizetype kSampleSize = 256 * 1024;

enum class Encoding { Unknown, Ascii, Utf8, Windows1251, Koi8R, Ibm866, Other };

struct Detection
{
    Encoding encoding = Encoding::Unknown;
    // The encoding's name, such as "KOI8-R" or "UTF-8"; empty when Unknown.
    QByteArray name;
};

// Looks at the first kSampleSize bytes. An answer other than ASCII needs
// enough characters beyond ASCII to rest on; with fewer, it is Unknown.
Detection detect(QByteArrayView bytes);

} // namespace encodings
