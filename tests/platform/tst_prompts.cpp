#include "ScriptedPrompts.h"

#include <QTest>

#include <stdexcept>

class TestPrompts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failuresAreReportedAndTheProgramCarriesOn()
    {
        ScriptedPrompts prompts;
        prompts.expectMessage(QStringLiteral("Error in TTest.Handler"));
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
