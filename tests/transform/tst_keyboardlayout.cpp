#include "transform/KeyboardLayout.h"

#include "FakeKeyboardLayouts.h"

#include <QTest>

class TestKeyboardLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameIsTheActiveLayoutsCutToTen_data()
    {
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("name");
        QTest::newRow("english") << QStringLiteral("00000409") << QStringLiteral("00000409");
        QTest::newRow("russian") << QStringLiteral("00000419") << QStringLiteral("00000419");
        QTest::newRow("long") << QStringLiteral("0123456789ABCDEF") << QStringLiteral("0123456789");
        QTest::newRow("unknown") << QString() << QString();
    }

    void nameIsTheActiveLayoutsCutToTen()
    {
        QFETCH(QString, active);
        QFETCH(QString, name);
        FakeKeyboardLayouts layouts({active});
        QCOMPARE(KeyboardLayout(), name);
    }

    void rusAndEngSwitchLayouts()
    {
        FakeKeyboardLayouts layouts({QStringLiteral("00000409"), QStringLiteral("00000419")});
        SetRusKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000419"));
        SetRusKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000419"));
        SetEngKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000409"));
        QCOMPARE(layouts.requests(),
                 (QStringList{QStringLiteral("00000419"), QStringLiteral("00000419"),
                              QStringLiteral("00000409")}));
    }

    void missingLayoutChangesNothing()
    {
        FakeKeyboardLayouts layouts({QStringLiteral("00000409"), QStringLiteral("00000407")}, 1);
        SetRusKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000407"));
        activateKeyboardLayout(QStringLiteral("00000409"));
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000409"));
    }

    // Before any key press there is no layout to go back to.
    void emptyNameIsNotAskedFor()
    {
        FakeKeyboardLayouts layouts({QStringLiteral("00000409")});
        activateKeyboardLayout(QString());
        QVERIFY(layouts.requests().isEmpty());
    }
};

QTEST_MAIN(TestKeyboardLayout)
#include "tst_keyboardlayout.moc"
