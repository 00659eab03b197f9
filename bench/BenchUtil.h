#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <utility>

namespace bench {

// Milliseconds one call of f takes.
template<typename F>
double timeMs(F &&f)
{
    QElapsedTimer t;
    t.start();
    std::forward<F>(f)();
    return double(t.nsecsElapsed()) / 1e6;
}

inline void report(const QString &name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", qPrintable(name), value, unit);
    std::fflush(stdout);
}

// A document of about `bytes` bytes in Windows-1251: lines of varied
// length mixing Russian and English words, CR LF between them.
inline QByteArray mixedDocument(qsizetype bytes, quint32 seed = 1)
{
    static const char *const words[] = {
        "\xcf\xf0\xe8\xe2\xe5\xf2",
        "world",
        "\xf2\xe5\xea\xf1\xf2",
        "editor",
        "\xea\xee\xe4\xe8\xf0\xee\xe2\xea\xe0",
        "Scrivlet",
        "\xf1\xeb\xee\xe2\xee",
        "the",
        "\xc0\xe1\xe2",
        "quick",
        "brown",
        "\xb8\xe6",
        "fox",
        "\xdd\xf2\xee",
    };
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(bytes + 128);
    while (out.size() < bytes) {
        const int n = int(rng.bounded(1, 25));
        for (int i = 0; i < n; ++i) {
            if (i)
                out += ' ';
            out += words[rng.bounded(int(std::size(words)))];
        }
        out += "\r\n";
    }
    return out;
}

// The document sizes in MB that "--sizes 1,20" asks for, or the defaults.
inline QList<double> sizesFrom(const QStringList &args, QList<double> defaults = {1, 20})
{
    const qsizetype at = args.indexOf(QStringLiteral("--sizes"));
    if (at < 0 || at + 1 >= args.size())
        return defaults;
    QList<double> sizes;
    for (const QString &s : args.at(at + 1).split(QLatin1Char(',')))
        sizes.append(s.toDouble());
    return sizes;
}

// Benchmarks need fonts and widgets, not a screen.
inline void useOffscreenByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace bench
