#pragma once

#include "transform/WholeText.h"

// Conversions between the Cyrillic code pages DOS 866, Windows 1251 and
// KOI8-R. Only the Russian letters move (and, from Windows 1251 to DOS 866,
// the numero sign); every other byte stays as it is, also where the target
// code page would have the same character elsewhere.
namespace codepages {

const ByteTable &dos866To1251();
const ByteTable &win1251ToDos();
const ByteTable &win1251ToKoi8();
const ByteTable &koi8To1251();

} // namespace codepages

char fromDos866to1251(char c);
char fromWin1251toDos(char c);
char fromWin1251toKoi8(char c);
char fromKoi8to1251(char c);
