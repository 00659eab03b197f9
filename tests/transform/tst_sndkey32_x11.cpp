#include "transform/KeyboardLayout.h"
#include "transform/sndkey32.h"

#include "platform/keyboard/KeyboardDriver.h"
#include "XkbLayouts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace {

// A window of ours that writes down every key event it receives.
class KeyLog : public QWidget
{
public:
    KeyLog() { setFocusPolicy(Qt::StrongFocus); }

    QStringList events;
    QString text;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        record(QStringLiteral("press"), event);
        text += event->text();
    }
    void keyReleaseEvent(QKeyEvent *event) override { record(QStringLiteral("release"), event); }

private:
    void record(const QString &what, const QKeyEvent *event)
    {
        QString entry = what + QLatin1Char(' ') + keyName(event->key());
        if (event->modifiers() & Qt::ShiftModifier)
            entry += QStringLiteral(" +shift");
        if (event->modifiers() & Qt::ControlModifier)
            entry += QStringLiteral(" +ctrl");
        if (event->modifiers() & Qt::AltModifier)
            entry += QStringLiteral(" +alt");
        events.append(entry);
    }

    static QString keyName(int key)
    {
        switch (key) {
        case Qt::Key_Shift:
            return QStringLiteral("Shift");
        case Qt::Key_Control:
            return QStringLiteral("Ctrl");
        case Qt::Key_Alt:
            return QStringLiteral("Alt");
        default:
            return QKeySequence(key).toString();
        }
    }
};

} // namespace

// Real keystrokes on a virtual X server (keymap "us,ru"), sent through the
// program's own driver to a window of ours that has the focus.
class TestSendKeysX11 : public QObject
{
    Q_OBJECT

private:
    KeyLog m_window;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(setXkbLayouts(QStringLiteral("us,ru")));
        QVERIFY(keyboardDriver().isAvailable());

        m_window.resize(200, 100);
        m_window.show();
        m_window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
        m_window.setFocus();
        QTRY_VERIFY(m_window.hasFocus());
    }

    void init()
    {
        SetEngKey();
        m_window.events.clear();
        m_window.text.clear();
    }

    void windowReceivesTheKeys_data()
    {
        QTest::addColumn<QByteArray>("sequence");
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("text");
        QTest::newRow("ctrl F3") << QByteArray("^{F3}") << true
                                 << QStringList{QStringLiteral("press Ctrl +ctrl"),
                                                QStringLiteral("press F3 +ctrl"),
                                                QStringLiteral("release F3 +ctrl"),
                                                QStringLiteral("release Ctrl")}
                                 << QString();
        QTest::newRow("shift p") << QByteArray("+p") << true
                                 << QStringList{QStringLiteral("press Shift +shift"),
                                                QStringLiteral("press P +shift"),
                                                QStringLiteral("release P +shift"),
                                                QStringLiteral("release Shift")}
                                 << QStringLiteral("P");
        QStringList lefts;
        for (int i = 0; i < 3; ++i)
            lefts << QStringLiteral("press Left") << QStringLiteral("release Left");
        QTest::newRow("left 3") << QByteArray("{LEFT 3}") << false << lefts << QString();
        QTest::newRow("capital and literal braces")
            << QByteArray("A{{}{}}") << false
            << QStringList{QStringLiteral("press Shift +shift"), QStringLiteral("press A +shift"),
                           QStringLiteral("release A +shift"),   QStringLiteral("release Shift"),
                           QStringLiteral("press Shift +shift"), QStringLiteral("press { +shift"),
                           QStringLiteral("release { +shift"),   QStringLiteral("release Shift"),
                           QStringLiteral("press Shift +shift"), QStringLiteral("press } +shift"),
                           QStringLiteral("release } +shift"),   QStringLiteral("release Shift")}
            << QStringLiteral("A{}");
    }

    void windowReceivesTheKeys()
    {
        QFETCH(QByteArray, sequence);
        QFETCH(bool, wait);
        QFETCH(QStringList, events);
        QFETCH(QString, text);
        QVERIFY(SendKeys(sequence, wait));
        QTRY_COMPARE(m_window.events, events);
        QCOMPARE(m_window.text, text);
    }

    // Characters are typed in the layout the user has switched to.
    void cyrillicIsTypedInTheRussianLayout()
    {
        SetRusKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000419"));
        QVERIFY(SendKeys("\xE9\xC9", true));
        QTRY_COMPARE(m_window.text, QStringLiteral(u"йЙ"));
        SetEngKey();
        QCOMPARE(KeyboardLayout(), QStringLiteral("00000409"));
        QVERIFY(SendKeys("q", true));
        QTRY_COMPARE(m_window.text, QStringLiteral(u"йЙq"));
    }
};

QTEST_MAIN(TestSendKeysX11)
#include "tst_sndkey32_x11.moc"
