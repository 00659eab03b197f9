// The clock label and the date-and-time patterns it shows.

#include "controls/Abcexctl.h"
#include "controls/DateTimeFormat.h"

#include <QSignalSpy>
#include <QTest>

class TestClockLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("c: short date, long time") << "c" << "3/5/24 2:07:09 PM UTC";
        QTest::newRow("tt: long time") << "tt" << "2:07:09 PM UTC";
        QTest::newRow("t: short time") << "t" << "2:07 PM";
        QTest::newRow("dddddd: long date") << "dddddd" << "Tuesday, March 5, 2024";
        QTest::newRow("numbers") << "dd.mm.yyyy" << "05.03.2024";
        QTest::newRow("n is the minute") << "hh:nn:ss.zzz z" << "14:07:09.045 45";
        QTest::newRow("m after h is the minute") << "h:mm" << "14:07";
        QTest::newRow("m after a day is the month") << "h d m" << "14 5 3";
        QTest::newRow("names") << "dddd d mmmm yy" << "Tuesday 5 March 24";
        QTest::newRow("quoted letters stay") << "'day' d \"of\" mmm" << "day 5 of Mar";
        QTest::newRow("am/pm makes 12 hours") << "hh am/pm" << "02 pm";
        QTest::newRow("AMPM from the locale") << "h AMPM" << "2 PM";
        QTest::newRow("other characters stay") << "[yyyy]" << "[2024]";
        // clang-format on
    }

    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9, 45), Qt::UTC);
        QCOMPARE(
            datetimeformat::format(pattern, when, QLocale(QLocale::English, QLocale::UnitedStates)),
            expected);
    }

    void showsAtOnceAndTakesANewFormatAtTheNextTick()
    {
        const QDateTime now(QDate(2026, 5, 20), QTime(10, 30, 15));
        TClockLabel label(nullptr, [&] { return now; });
        QCOMPARE(label.caption(), datetimeformat::format(QStringLiteral("c"), now));

        label.setFormat(QStringLiteral("hh:nn"));
        QCOMPARE(label.caption(), datetimeformat::format(QStringLiteral("c"), now));
        QSignalSpy ticks(&label, &TClockLabel::timer);
        label.setInterval(1);
        QVERIFY(ticks.wait());
        QCOMPARE(label.caption(), QStringLiteral("10:30"));
    }
};

QTEST_MAIN(TestClockLabel)
#include "tst_clocklabel.moc"
