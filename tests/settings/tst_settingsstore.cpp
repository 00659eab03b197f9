// The settings store: reading rules of its values, what it writes, values
// of the wrong kind, failures to write, and two copies at work on it.

#include "SettingsSandbox.h"
#include "SmallDisk.h"
#include "settings/SettingsStore.h"

#include <QProcess>
#include <QTest>

#include <climits>

namespace {

enum class Kind { String, Integer, Bool, Binary };

// Reads S/V as the kind asks, so that a wrong kind can throw.
void readAs(SettingsStore &store, Kind kind)
{
    const QString s = QStringLiteral("S");
    const QString v = QStringLiteral("V");
    switch (kind) {
    case Kind::String:
        store.readString(s, v, QString());
        break;
    case Kind::Integer:
        store.readInteger(s, v, 0);
        break;
    case Kind::Bool:
        store.readBool(s, v, false);
        break;
    case Kind::Binary:
        store.readBinaryData(s, v, 40);
        break;
    }
}

QByteArray section(const QByteArray &value)
{
    return value.isNull() ? QByteArray("[S]\n") : "[S]\nV=" + value + '\n';
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theUsersStoreIsAnIniFileUnderTheConfigFolder()
    {
        // CTest gives each test a configuration folder of its own.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        QCOMPARE(SettingsStore::location(), config + QStringLiteral("/Brenmoor/Scrivlet.ini"));
        SettingsSandbox sandbox;
        QCOMPARE(SettingsStore::location(), sandbox.file());
    }

    void integersAreReadFromTheirText_data()
    {
        QTest::addColumn<QByteArray>("stored"); // null: missing
        QTest::addColumn<int>("expected");      // the default is 700
        QTest::newRow("decimal") << QByteArray("640") << 640;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("plus sign") << QByteArray("+5") << 5;
        QTest::newRow("hexadecimal") << QByteArray("0x2BC") << 700;
        QTest::newRow("hex, capital X, small digits") << QByteArray("0X2bc") << 700;
        QTest::newRow("hex, every bit") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("hex, leading zeros") << QByteArray("0x0000000000FF") << 255;
        QTest::newRow("hex beyond 32 bits") << QByteArray("0x100000000") << 700;
        QTest::newRow("bare prefix") << QByteArray("0x") << 700;
        QTest::newRow("hex with a bad digit") << QByteArray("0x2BG") << 700;
        QTest::newRow("a word") << QByteArray("wide") << 700;
        QTest::newRow("number and text") << QByteArray("12px") << 700;
        QTest::newRow("blank first") << QByteArray("\" 12\"") << 700;
        QTest::newRow("empty") << QByteArray("") << 700;
        QTest::newRow("sign alone") << QByteArray("-") << 700;
        QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
        QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("too large") << QByteArray("2147483648") << 700;
        QTest::newRow("far too large") << QByteArray("99999999999999999999999") << 700;
        QTest::newRow("unquoted commas") << QByteArray("1, 2") << 700;
        QTest::newRow("missing") << QByteArray() << 700;
    }

    void integersAreReadFromTheirText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        SettingsSandbox sandbox;
        sandbox.writeRaw(section(stored));
        SettingsStore store;
        QCOMPARE(store.readInteger(QStringLiteral("S"), QStringLiteral("V"), 700), expected);
    }

    void booleansAreNumbers_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("1") << false << true;
        QTest::newRow("0") << QByteArray("0") << true << false;
        QTest::newRow("any other number") << QByteArray("2") << false << true;
        QTest::newRow("negative") << QByteArray("-1") << false << true;
        QTest::newRow("hex zero") << QByteArray("0x0") << true << false;
        QTest::newRow("a word, default true") << QByteArray("yes") << true << true;
        QTest::newRow("a word, default false") << QByteArray("yes") << false << false;
        QTest::newRow("missing, default true") << QByteArray() << true << true;
        QTest::newRow("missing, default false") << QByteArray() << false << false;
    }

    void booleansAreNumbers()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        SettingsSandbox sandbox;
        sandbox.writeRaw(section(stored));
        SettingsStore store;
        QCOMPARE(store.readBool(QStringLiteral("S"), QStringLiteral("V"), def), expected);
    }

    void valuesComeBackAsWritten_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("text");
        QTest::newRow("path") << "LastOpened"
                              << "/home/user/notes/a.txt";
        QTest::newRow("commas and semicolons") << "S"
                                               << "a, b; c,d";
        QTest::newRow("at sign first") << "S"
                                       << "@ByteArray(not binary)";
        QTest::newRow("blanks round it") << "S"
                                         << "  padded  ";
        QTest::newRow("quotes and backslashes") << "S"
                                                << "C:\\dir\\\"quoted\" name";
        QTest::newRow("Cyrillic") << "S" << QString::fromUtf8("Привет, мир");
        QTest::newRow("empty") << "S"
                               << "";
        QTest::newRow("a number") << "S"
                                  << "0x2BC";
        QTest::newRow("main key") << ""
                                  << "in the main key";
        QTest::newRow("section named as the value") << "HotKeys_Key"
                                                    << "^{F3}";
    }

    void valuesComeBackAsWritten()
    {
        QFETCH(QString, section);
        QFETCH(QString, text);
        SettingsSandbox sandbox;
        {
            SettingsStore store;
            store.writeString(section, QStringLiteral("HotKeys_Key"), text);
            store.close();
        }
        SettingsStore store;
        QCOMPARE(store.readString(section, QStringLiteral("HotKeys_Key"), QStringLiteral("none")),
                 text);
        QCOMPARE(store.readString(section, QStringLiteral("Other"), QStringLiteral("none")),
                 QStringLiteral("none"));
    }

    void numbersAndBooleansAreStoredAsText()
    {
        SettingsSandbox sandbox;
        {
            SettingsStore store;
            store.writeInteger(QStringLiteral("FormPosition"), QStringLiteral("FormWidth_Key"),
                               700);
            store.writeInteger(QStringLiteral("FormPosition"), QStringLiteral("FormLeft_Key"), -1);
            store.writeBool(QStringLiteral("FormPosition"), QStringLiteral("FormMaximized_Key"),
                            true);
            store.writeBool(QStringLiteral("Other"), QStringLiteral("OnlyOneKeyLayout"), false);
            store.close();
        }
        const QByteArray raw = sandbox.raw();
        for (const char *line : {"FormWidth_Key=700\n", "FormLeft_Key=-1\n",
                                 "FormMaximized_Key=1\n", "OnlyOneKeyLayout=0\n"})
            QVERIFY2(raw.contains(line), raw.constData());
    }

    void binaryValuesKeepEveryByte()
    {
        SettingsSandbox sandbox;
        QByteArray bytes;
        for (int i = 0; i < 40; ++i)
            bytes.append(char(i * 7)); // NUL, controls, high bytes
        {
            SettingsStore store;
            store.writeBinaryData(QString(), QStringLiteral("NormalFont"), bytes);
            store.close();
        }
        SettingsStore store;
        QCOMPARE(store.readBinaryData(QString(), QStringLiteral("NormalFont"), 40), bytes);
        QCOMPARE(store.readBinaryData(QString(), QStringLiteral("KeywordFont"), 40), QByteArray());
    }

    void aValueOfTheWrongKindCannotBeRead_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("integer stored as binary") << QByteArray("@ByteArray(700)") << Kind::Integer;
        QTest::newRow("integer stored as a number")
            << QByteArray("@Variant(\\0\\0\\0\\x2\\0\\0\\x2\\xbc)") << Kind::Integer;
        QTest::newRow("integer stored as a size") << QByteArray("@Size(1 2)") << Kind::Integer;
        QTest::newRow("boolean stored as binary") << QByteArray("@ByteArray(1)") << Kind::Bool;
        QTest::newRow("string stored as binary") << QByteArray("@ByteArray(^{F3})") << Kind::String;
        QTest::newRow("invalid value") << QByteArray("@Invalid()") << Kind::String;
        QTest::newRow("font record stored as text") << QByteArray("Courier New") << Kind::Binary;
        QTest::newRow("font record stored as a number")
            << QByteArray("@Variant(\\0\\0\\0\\x2\\0\\0\\x2\\xbc)") << Kind::Binary;
        QTest::newRow("font record of 41 bytes")
            << "@ByteArray(" + QByteArray(41, 'x') + ')' << Kind::Binary;
    }

    void aValueOfTheWrongKindCannotBeRead()
    {
        QFETCH(QByteArray, stored);
        QFETCH(Kind, kind);
        SettingsSandbox sandbox;
        sandbox.writeRaw(section(stored));
        SettingsStore store;
        QVERIFY_THROWS_EXCEPTION(SettingsError, readAs(store, kind));
    }

    void aFontRecordOfFortyBytesOrLessIsRead()
    {
        SettingsSandbox sandbox;
        sandbox.writeRaw(section("@ByteArray(" + QByteArray(40, 'x') + ')') +
                         "W=@ByteArray(xyz)\n");
        SettingsStore store;
        QCOMPARE(store.readBinaryData(QStringLiteral("S"), QStringLiteral("V"), 40).size(), 40);
        QCOMPARE(store.readBinaryData(QStringLiteral("S"), QStringLiteral("W"), 40),
                 QByteArray("xyz"));
    }

    void aStoreThatCannotBeWrittenSaysSo()
    {
        QTemporaryDir dir;
        // A file stands where the store's folder would have to be.
        const QString blocker = dir.filePath(QStringLiteral("Brenmoor"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        SettingsSandbox sandbox(blocker + QStringLiteral("/Scrivlet.ini"));
        SettingsStore store;
        store.writeInteger(QStringLiteral("LastOpened"), QStringLiteral("LastOpenedCount"), 0);
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.close());
    }

    void aDamagedStoreCannotBeOpened()
    {
        SettingsSandbox sandbox;
        sandbox.writeRaw("[FormPosition\nFormWidth_Key=700\n");
        QVERIFY_THROWS_EXCEPTION(SettingsError, SettingsStore());
        QCOMPARE(sandbox.raw(), QByteArray("[FormPosition\nFormWidth_Key=700\n"));
    }

    void aVisitSeesItsOwnChangesAndWritesOnlyThem()
    {
        SettingsSandbox sandbox;
        sandbox.writeRaw("[Other]\nOnlyOneKeyLayout=1\nKept=yes\n");
        SettingsStore store;
        store.writeInteger(QStringLiteral("Other"), QStringLiteral("OnlyOneKeyLayout"), 0);
        QVERIFY(!store.readBool(QStringLiteral("Other"), QStringLiteral("OnlyOneKeyLayout"), true));
        // Meanwhile another copy changes a value this visit leaves alone.
        sandbox.writeRaw("[Other]\nOnlyOneKeyLayout=1\nKept=changed\n");
        store.close();
        QCOMPARE(sandbox.value(QStringLiteral("Other/OnlyOneKeyLayout")).toString(),
                 QStringLiteral("0"));
        QCOMPARE(sandbox.value(QStringLiteral("Other/Kept")).toString(), QStringLiteral("changed"));
    }

    void aRewriteByAnotherCopyIsReadWhole()
    {
        SettingsSandbox sandbox;
        constexpr int kRounds = 150;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        QProcess a;
        QProcess b;
        for (auto [p, name] : {std::pair{&a, "A"}, std::pair{&b, "B"}}) {
            p->setProcessEnvironment(env);
            p->start(QStringLiteral(SETTINGS_WRITER),
                     {sandbox.file(), QLatin1String(name), QString::number(kRounds)});
            QVERIFY(p->waitForStarted());
        }

        // Whatever round a reader meets, every value of a section is of it.
        const auto readSection = [](const QString &name) {
            SettingsStore store;
            QSet<int> rounds;
            for (int v = 0; v < 20; ++v)
                rounds << store.readInteger(name, QStringLiteral("Value%1").arg(v), -1);
            return rounds;
        };
        while (a.state() != QProcess::NotRunning || b.state() != QProcess::NotRunning) {
            for (const char *name : {"A", "B"}) {
                const QSet<int> rounds = readSection(QLatin1String(name));
                QVERIFY2(rounds.size() == 1, name);
            }
            QCoreApplication::processEvents();
        }
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        // Neither copy wrote over the other's values.
        QCOMPARE(readSection(QStringLiteral("A")), QSet<int>{kRounds});
        QCOMPARE(readSection(QStringLiteral("B")), QSet<int>{kRounds});
    }

    // The store is merged in working copies in the temporary folder: a
    // full one fails the write and leaves the store whole, whether it has
    // no room, room for the copies only, or room for what the merge locks
    // but not for the text it writes (which QSettings reports as written).
    void aFullTemporaryFolderLeavesTheStore_data()
    {
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("written");
        QTest::newRow("no room") << 0 << false;
        QTest::newRow("room for the copies") << 8192 << false;
        QTest::newRow("room for the merge's lock") << 12288 << false;
        QTest::newRow("room enough") << 24576 << true;
    }

    void aFullTemporaryFolderLeavesTheStore()
    {
        QFETCH(int, room);
        QFETCH(bool, written);
        SmallDisk temp(QStringLiteral("size=64k"));
        if (!temp.isReady())
            QSKIP(qPrintable(temp.whyNot()));
        SettingsSandbox sandbox;
        sandbox.writeRaw("[Favourites]\nFavourCount=1\nItem0=/favourite.txt\n");
        const QByteArray before = sandbox.raw();
        QVERIFY(temp.fill(room));

        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.insert(QStringLiteral("TMPDIR"), temp.insidePath());
        writer.setProcessEnvironment(env);
        temp.startInside(writer, QStringLiteral(SETTINGS_WRITER),
                         {sandbox.file(), QStringLiteral("A"), QStringLiteral("1")});
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitCode(), written ? 0 : 1);
        if (written) {
            QCOMPARE(sandbox.value(QStringLiteral("Favourites/Item0")).toString(),
                     QStringLiteral("/favourite.txt"));
            QCOMPARE(sandbox.value(QStringLiteral("A/Value0")).toString(), QStringLiteral("1"));
        } else {
            QVERIFY(sandbox.raw() == before);
        }
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
