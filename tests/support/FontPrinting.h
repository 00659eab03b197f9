#pragma once

#include "settings/FontRecord.h"

#include <QTest>

Q_DECLARE_METATYPE(FontSpec)

// A font of a size in points; at the screen's resolution unless another is
// given.
inline FontSpec fontSpec(const QString &name, int points, quint32 color, int charset, int style,
                         int pixelsPerInch = 0)
{
    FontSpec f;
    if (pixelsPerInch > 0)
        f.pixelsPerInch = pixelsPerInch;
    f.name = name;
    f.setSize(points);
    f.color = color;
    f.charset = charset;
    f.style = style;
    return f;
}

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
