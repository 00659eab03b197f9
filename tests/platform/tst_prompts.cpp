#include "ScriptedPrompts.h"
#include "platform/system/FileIO.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

    // The program's own save dialog: a name typed without an extension takes
    // the one of the filter chosen last.
    void theChosenFilterGivesATypedNameItsExtension_data()
    {
        QTest::addColumn<int>("preselected");
        QTest::addColumn<int>("chosen"); // 0: left as it was
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("text preselected") << 1 << 0 << "letter"
                                          << "letter.txt";
        QTest::newRow("rich text chosen") << 1 << 2 << "letter"
                                          << "letter.rtf";
        QTest::newRow("rich text preselected") << 2 << 0 << "letter"
                                               << "letter.rtf";
        QTest::newRow("all files: the default") << 2 << 3 << "letter"
                                                << "letter.txt";
        QTest::newRow("an extension typed stays") << 2 << 0 << "letter.doc"
                                                  << "letter.doc";
    }

    void theChosenFilterGivesATypedNameItsExtension()
    {
        QFETCH(int, preselected);
        QFETCH(int, chosen);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QTemporaryDir dir;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            if (chosen > 0) {
                auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
                types->setCurrentIndex(chosen - 1);
                Q_EMIT types->textActivated(types->currentText()); // as a click on it would
            }
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
            static_cast<QDialog *>(dialog)->accept(); // as its Save button does
        });
        answer.start();
        Prompts::SaveFileRequest request;
        request.filters = {
            {QStringLiteral("Text"), QStringLiteral("*.txt"), QStringLiteral("txt")},
            {QStringLiteral("Rich text"), QStringLiteral("*.rtf"), QStringLiteral("rtf")},
            {QStringLiteral("All files"), QStringLiteral("*.*")}};
        request.filterIndex = preselected;
        request.defaultExtension = QStringLiteral("txt");
        request.directory = dir.path();
        QCOMPARE(::prompts().saveFile(request), std::optional<QString>(dir.filePath(saved)));
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
