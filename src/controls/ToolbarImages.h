#pragma once

#include <QIcon>

// The glyphs of the toolbars, by their image index.
namespace toolbarimages {

enum Index {
    Open = 0,
    SaveModified = 1,
    Print = 2,
    Undo = 3,
    Cut = 4,
    Copy = 5,
    Paste = 6,
    Bold = 7,
    Italic = 8,
    Underline = 9,
    AlignLeft = 10,
    Center = 11,
    AlignRight = 12,
    Bullets = 13,
    New = 14,
    Exit = 15,
    Save = 18,
    Redo = 19, // beside the design's glyphs
};

QIcon image(int index);

} // namespace toolbarimages
