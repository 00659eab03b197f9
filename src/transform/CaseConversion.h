#pragma once

#include "transform/WholeText.h"

#include <QByteArray>
#include <QByteArrayView>

// Latin capitals A to Z become small letters; every other byte, Cyrillic
// letters included, stays as it is.
char fromUpperToLower(char c);
const ByteTable &upperToLowerTable();

// Upper-casing in the ANSI code page, as the locale does it: every letter
// whose capital the code page holds becomes that capital, Cyrillic ones
// (ё, ў, ї, the Serbian and Macedonian letters) as well as Latin ones.
const ByteTable &ansiUpperTable();
QByteArray ansiUpper(QByteArrayView text);
