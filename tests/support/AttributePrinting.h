#pragma once

#include "platform/text/TextAttributes.h"

#include <QTest>

// Readable attribute values in test failure messages.
inline char *toString(const CharAttributes &a)
{
    return QTest::toString(QStringLiteral("{%1, %2pt, style %3, colour 0x%4, charset %5}")
                               .arg(a.name)
                               .arg(a.size)
                               .arg(a.style)
                               .arg(a.color, 8, 16, QLatin1Char('0'))
                               .arg(a.charset));
}

inline char *toString(const ParaAttributes &p)
{
    return QTest::toString(QStringLiteral("{align %1, bullet %2, first %3, left %4, right %5}")
                               .arg(int(p.alignment))
                               .arg(int(p.numbering))
                               .arg(p.firstIndent)
                               .arg(p.leftIndent)
                               .arg(p.rightIndent));
}
