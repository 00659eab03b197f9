#pragma once

#include "settings/FontRecord.h"

#include <QTest>

Q_DECLARE_METATYPE(FontSpec)

// Readable fonts in test failure messages.
inline char *toString(const FontSpec &f)
{
    return QTest::toString(QStringLiteral("{%1, %2px at %3, colour 0x%4, charset %5, style %6}")
                               .arg(f.name)
                               .arg(f.height)
                               .arg(f.pixelsPerInch)
                               .arg(f.color, 8, 16, QLatin1Char('0'))
                               .arg(f.charset)
                               .arg(f.style));
}
