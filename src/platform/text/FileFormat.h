#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The encodings a plain file is read and written in.
enum class Charset { Windows1251, Utf8, Koi8R, Ibm866 };

// How a plain file ends its lines.
enum class LineBreak { CrLf, Lf, Cr };

// What a plain file is like beyond its text: its encoding, whether it starts
// with UTF-8's byte-order mark, and its line breaks. A document keeps every
// line break as a paragraph break whatever its file uses, so that positions
// and the text commands are the same for every file; only reading and
// writing the file look at its format.
struct FileFormat
{
    Charset charset = Charset::Windows1251;
    bool byteOrderMark = false;
    LineBreak lineBreak = LineBreak::CrLf;

    bool operator==(const FileFormat &) const = default;
};

namespace fileformat {

inline constexpr std::array kCharsets = {Charset::Windows1251, Charset::Utf8, Charset::Koi8R,
                                         Charset::Ibm866};
inline constexpr std::array kLineBreaks = {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr};
inline constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// The one kind of line break the bytes use; CR LF for none or a mix.
LineBreak lineBreakOf(QByteArrayView bytes);

// The format of a file's bytes. Unless the charset is given, a file that
// starts with UTF-8's byte-order mark, or is well-formed UTF-8 holding more
// than ASCII, is UTF-8, and every other file Windows-1251.
FileFormat detect(QByteArrayView bytes, std::optional<Charset> charset = std::nullopt);

// Names as the user sees them: "Windows-1251", "UTF-8", "KOI8-R", "DOS 866";
// "Windows (CR LF)", "Unix (LF)", "Mac (CR)".
QString name(Charset charset);
QString name(LineBreak lineBreak);
// The charset's name, "with BOM" added for a byte-order mark.
QString encodingName(Charset charset, bool byteOrderMark);
QByteArray bytesOf(LineBreak lineBreak);

// Bytes to text and back. A character the charset lacks is written "?".
QString decode(Charset charset, QByteArrayView bytes);
QByteArray encode(Charset charset, QStringView text);

// The first character of the text that the charset lacks (two UTF-16 units
// for one beyond U+FFFF), or an empty string.
QString firstMissing(Charset charset, QStringView text);

} // namespace fileformat
