#include "ScriptedPrompts.h"
#include "platform/system/FileIO.h"

#include <QTest>

#include <stdexcept>

class TestPrompts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failuresAreReportedAndTheProgramCarriesOn()
    {
        ScriptedPrompts prompts;
        prompts.expectMessage(QStringLiteral("Error in TTest.Handler\ndisk on fire"));
        int reached = 0;
        const bool completed = reportFailure(QStringLiteral("Error in TTest.Handler"), [&] {
            ++reached;
            throw std::runtime_error("disk on fire");
        });
        QVERIFY(!completed);
        QCOMPARE(reached, 1);
        QVERIFY(reportFailure(QStringLiteral("Error in TTest.Other"), [&] { ++reached; }));
        QCOMPARE(reached, 2);
        QCOMPARE(prompts.log().size(), 1);
    }

    void failureMessagesGiveTheReasonBelow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("file error")
            << 0 << QStringLiteral("Error in T.H\n/x/a.txt: Permission denied");
        QTest::newRow("standard exception") << 1 << QStringLiteral("Error in T.H\nнет места");
        QTest::newRow("anything else") << 2 << QStringLiteral("Error in T.H");
    }

    void failureMessagesGiveTheReasonBelow()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        const auto fail = [kind] {
            if (kind == 0)
                throw FileError(QStringLiteral("/x/a.txt: Permission denied"));
            if (kind == 1)
                throw std::length_error("нет места");
            throw 42;
        };
        ScriptedPrompts prompts;
        prompts.expectMessage(text);
        reportFailure(QStringLiteral("Error in T.H"), fail);
        // A handler's own catch block reports the same way.
        prompts.expectMessage(text);
        try {
            fail();
        } catch (...) {
            reportCurrentFailure(QStringLiteral("Error in T.H"));
        }
    }

    void questionsGetTheirScriptedAnswers()
    {
        ScriptedPrompts prompts;
        prompts.expectMessage(QStringLiteral("Save changes to a?"), Prompts::Answer::No);
        prompts.expectMessage(QStringLiteral("File already open,continue?"), Prompts::Answer::Ok);
        prompts.expectSaveFile(QStringLiteral("/tmp/x.txt"));
        QCOMPARE(::prompts().yesNoCancel(QStringLiteral("Save changes to a?")),
                 Prompts::Answer::No);
        QVERIFY(::prompts().confirm(QStringLiteral("File already open,continue?")));
        QCOMPARE(
            ::prompts().saveFile({QString(), QStringLiteral("x"), {}, 2, QStringLiteral("txt")}),
            std::optional<QString>(QStringLiteral("/tmp/x.txt")));
        QCOMPARE(prompts.lastSaveRequest().filterIndex, 2);
        QCOMPARE(prompts.pending(), 0);
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
