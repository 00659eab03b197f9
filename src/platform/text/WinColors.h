#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// Colours as the document model and the stored settings keep them: a
// Windows COLORREF 0x00BBGGRR, or a reference to a system colour,
// 0x80000000 plus the system colour's index, which stands for whatever
// colour the running system uses for that purpose.
namespace wincolors {

constexpr quint32 kSystemColorFlag = 0x80000000u;
constexpr quint32 kWindowText = kSystemColorFlag | 8; // COLOR_WINDOWTEXT
constexpr quint32 kWindow = kSystemColorFlag | 5;     // COLOR_WINDOW

constexpr bool isSystemColor(quint32 ref)
{
    return (ref & 0xFF000000u) == kSystemColorFlag;
}

constexpr quint32 rgb(int r, int g, int b)
{
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}

// The colour a reference shows now; system colours come from the palette.
QColor toColor(quint32 ref, const QPalette &palette);

// The COLORREF of a concrete colour (alpha is dropped).
quint32 fromColor(const QColor &color);

} // namespace wincolors
