// Translate reaches a translator program that holds the hot key, and one
// keyboard layout is kept while the caret moves: real keystrokes, clipboard
// and layouts on a virtual X server with the keymap "us,ru".

#include "FrameFixture.h"
#include "platform/keyboard/KeyboardLayouts.h"
#include "platform/text/AnsiCodec.h"
#include "settings/uniOptions.h"
#include "transform/KeyboardLayout.h"
#include "XkbLayouts.h"

#include <QCheckBox>
#include <QProcess>
#include <QPushButton>

class TestTranslate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(setXkbLayouts(QStringLiteral("us,ru")));
    }

    void theTranslatorGetsTheText_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("handed");
        QTest::newRow("a selected word") << 7 << 3 << QStringLiteral("мир");
        QTest::newRow("nothing selected") << 4 << 0 << QStringLiteral("Привет мир");
    }

    void theTranslatorGetsTheText()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, handed);
        FrameFixture f;
        SetEngKey();
        QProcess translator;
        translator.start(QStringLiteral(TRANSLATOR), {f.path(QStringLiteral("handed.txt"))});
        QVERIFY(translator.waitForReadyRead());
        QCOMPARE(translator.readLine(), QByteArray("ready\n"));

        f.frame.New1Click();
        TRichEdit *editor = f.active()->Editor;
        editor->setWholeText(ansi::encode(u"Привет мир"));
        editor->setSelStart(start);
        editor->setSelLength(length);
        f.active()->Translate2Click();
        QTRY_COMPARE(f.read(QStringLiteral("handed.txt")), handed.toUtf8());
        QCOMPARE(editor->selText(), ansi::encode(handed)); // still selected

        translator.closeWriteChannel();
        QVERIFY(translator.waitForFinished());
    }

    // A layout another program switched to gives way at the next caret
    // move to the one recorded at the last key or mouse press; before any
    // press there is nothing to bring back.
    void oneLayoutIsKept_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("onlyOne");
        QTest::addColumn<QString>("afterCaretMove");
        const QString russian = QStringLiteral("00000419"), english = QStringLiteral("00000409");
        QTest::newRow("typed with") << "key" << true << russian;
        QTest::newRow("clicked in") << "mouse" << true << russian;
        QTest::newRow("option off") << "key" << false << english;
        QTest::newRow("no press yet") << "none" << true << english;
    }

    void oneLayoutIsKept()
    {
        QFETCH(QString, press);
        QFETCH(bool, onlyOne);
        QFETCH(QString, afterCaretMove);
        FrameFixture f;
        if (onlyOne) {
            f.frame.frmOptions->CBOnlyOneKeyLayout->click();
            f.frame.frmOptions->btnOKOther->click();
        }
        f.frame.New1Click();
        TRichEdit *editor = f.active()->Editor;
        editor->setWholeText("text");
        editor->setSelStart(2);
        SetRusKey();
        QWidget *view = editor->viewport();
        if (press == QLatin1String("key"))
            QTest::keyClick(editor, Qt::Key_A);
        else if (press == QLatin1String("mouse"))
            QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().bottomRight());

        const std::unique_ptr<KeyboardLayouts> anotherClient = createKeyboardLayouts();
        QVERIFY(anotherClient->activateLayout(QStringLiteral("00000409")));
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000409"));
        f.active()->InStart1Click();
        QCOMPARE(KeyboardLayout(), afterCaretMove);
        SetEngKey();
    }
};

QTEST_MAIN(TestTranslate)
#include "tst_translate.moc"
