#pragma once

#include <QByteArrayView>

// Reading UTF-8 strictly: overlong forms, surrogates and values past
// U+10FFFF are not well-formed.
namespace utf8 {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point of the well-formed sequence that starts at `at` (a byte
// from 0x80 on) and its length in bytes, or kInvalid.
char32_t decodeAt(QByteArrayView bytes, qsizetype at, int &length);

// Whether all of the bytes are well-formed UTF-8.
bool isWellFormed(QByteArrayView bytes);

} // namespace utf8
