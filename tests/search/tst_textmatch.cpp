#include "platform/text/AnsiCodec.h"
#include "search/TextMatch.h"
#include "transform/CaseConversion.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray cp(const QString &text)
{
    return ansi::encode(text);
}

QByteArray randomText(QRandomGenerator &rng, QByteArrayView alphabet, int length)
{
    QByteArray out(length, Qt::Uninitialized);
    for (char &c : out)
        c = alphabet[rng.bounded(int(alphabet.size()))];
    return out;
}

// The backward primitive's meaning, spelled out: among the occurrences
// (case ignored) that end at or before length - start, the one that ends
// last.
int lastEndingBefore(const QByteArray &text, const QByteArray &pattern, int start)
{
    const QByteArray t = ansiUpper(text);
    const QByteArray p = ansiUpper(pattern);
    for (int pos = int(text.size()) - start - int(p.size()); pos >= 0; --pos)
        if (t.mid(pos, p.size()) == p)
            return pos;
    return -1;
}

} // namespace

class TestTextMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fastPosEqualsPlainSearch_data()
    {
        QTest::addColumn<QByteArray>("alphabet");
        QTest::addColumn<int>("maxPattern");
        QTest::newRow("two letters") << QByteArray("ab") << 6;
        QTest::newRow("three letters, long patterns") << QByteArray("abc") << 12;
        QTest::newRow("every byte") << QByteArray() << 4;
        QTest::newRow("repetitive") << QByteArray("aaaab") << 8;
    }

    void fastPosEqualsPlainSearch()
    {
        QFETCH(QByteArray, alphabet);
        QFETCH(int, maxPattern);
        if (alphabet.isEmpty())
            for (int b = 0; b < 256; ++b)
                alphabet += char(b);
        QRandomGenerator rng(42);
        for (int round = 0; round < 3000; ++round) {
            const QByteArray text = randomText(rng, alphabet, int(rng.bounded(0, 80)));
            QByteArray pattern;
            if (rng.bounded(2) && !text.isEmpty()) {
                // Taken from the text, so that there is a hit to find.
                const int at = int(rng.bounded(int(text.size())));
                pattern = text.mid(at, rng.bounded(1, maxPattern + 1));
            } else {
                pattern = randomText(rng, alphabet, int(rng.bounded(1, maxPattern + 1)));
            }
            const int plain = int(text.indexOf(pattern)) + 1;
            if (FastPos(pattern, text) != plain)
                QFAIL(qPrintable(QStringLiteral("'%1' in '%2': %3, plain %4")
                                     .arg(QString::fromLatin1(pattern.toHex()),
                                          QString::fromLatin1(text.toHex()))
                                     .arg(FastPos(pattern, text))
                                     .arg(plain)));
        }
    }

    void fastPosEdges_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("pos");
        QTest::newRow("empty pattern") << QByteArray() << QByteArray("abc") << 0;
        QTest::newRow("empty text") << QByteArray("a") << QByteArray() << 0;
        QTest::newRow("longer than text") << QByteArray("abcd") << QByteArray("abc") << 0;
        QTest::newRow("whole text") << QByteArray("abc") << QByteArray("abc") << 1;
        QTest::newRow("at the end") << QByteArray("xyz") << QByteArray("abcxyz") << 4;
        QTest::newRow("high bytes") << cp(QStringLiteral(u"яЯ")) << cp(QStringLiteral(u"ЯяЯ")) << 2;
    }

    void fastPosEdges()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, text);
        QFETCH(int, pos);
        QCOMPARE(FastPos(pattern, text), pos);
    }

    void forwardMatch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pos");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("exactCase");
        QTest::newRow("word at start") << "cat concat cat."
                                       << "cat" << 0 << -1 << 0 << true << true;
        QTest::newRow("inside a word") << "cat concat cat."
                                       << "cat" << 1 << -1 << 7 << false << true;
        QTest::newRow("before a full stop") << "cat concat cat."
                                            << "cat" << 8 << -1 << 11 << true << true;
        QTest::newRow("at the very end") << "xx cat"
                                         << "CAT" << 0 << -1 << 3 << true << false;
        QTest::newRow("Cyrillic letters separate words") << "миру"
                                                         << "мир" << 0 << -1 << 0 << true << true;
        QTest::newRow("underscore joins") << "a_cat"
                                          << "cat" << 0 << -1 << 2 << false << true;
        QTest::newRow("digit joins") << "cat9"
                                     << "cat" << 0 << -1 << 0 << false << true;
        QTest::newRow("Cyrillic case folds") << "Привет ПРИВЕТ"
                                             << "привЕт" << 1 << -1 << 7 << true << false;
        QTest::newRow("ё folds") << "ЁЖ"
                                 << "ёж" << 0 << -1 << 0 << true << false;
        QTest::newRow("exact case") << "abc Abc"
                                    << "Abc" << 1 << -1 << 4 << true << true;
        QTest::newRow("empty pattern") << "abc"
                                       << "" << 0 << -1 << -1 << false << false;
        QTest::newRow("start past the end") << "abc"
                                            << "c" << 4 << -1 << -1 << false << false;
        QTest::newRow("within count") << "ab ab"
                                      << "ab" << 1 << 4 << 3 << true << true;
        QTest::newRow("cut by count") << "ab ab"
                                      << "ab" << 1 << 3 << -1 << false << false;
    }

    void forwardMatch()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(int, start);
        QFETCH(int, count);
        QFETCH(int, pos);
        QFETCH(bool, wholeWord);
        QFETCH(bool, exactCase);
        for (const bool fast : {false, true}) {
            const TMatchResult r = MatchForward(cp(text), cp(pattern), start, fast, count);
            QCOMPARE(r.Position, pos);
            if (pos < 0)
                continue;
            QCOMPARE(r.Length, int(pattern.size()));
            QCOMPARE(r.WholeWord, wholeWord);
            QCOMPARE(r.ExactCase, exactCase);
        }
    }

    void backwardMatchFindsTheOccurrenceEndingLast()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 500; ++round) {
            const QByteArray text = randomText(rng, "aAb", int(rng.bounded(0, 30)));
            const QByteArray pattern = randomText(rng, "abB", int(rng.bounded(1, 4)));
            for (int start = 0; start <= text.size() + 1; ++start) {
                const int expected = lastEndingBefore(text, pattern, start);
                for (const bool fast : {false, true}) {
                    const TMatchResult r = MatchBackward(text, pattern, start, fast);
                    if (r.Position != expected)
                        QFAIL(qPrintable(
                            QStringLiteral("'%1' in '%2' from %3: %4, expected %5")
                                .arg(QString::fromLatin1(pattern), QString::fromLatin1(text))
                                .arg(start)
                                .arg(r.Position)
                                .arg(expected)));
                }
            }
        }
    }

    void backwardMatchFlagsReadTheUnreversedText()
    {
        const TMatchResult r = MatchBackward("Cat concat", "cat", 0, true);
        QCOMPARE(r.Position, 7);
        QVERIFY(!r.WholeWord);
        QVERIFY(r.ExactCase);
        const TMatchResult first = MatchBackward("Cat concat", "cat", 4, false);
        QCOMPARE(first.Position, 0);
        QVERIFY(first.WholeWord);
        QVERIFY(!first.ExactCase);
    }
};

QTEST_MAIN(TestTextMatch)
#include "tst_textmatch.moc"
