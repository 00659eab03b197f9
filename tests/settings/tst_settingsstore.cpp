// The settings store: reading rules of its values, what it writes, values
// of the wrong kind, failures to write, and two copies at work on it.

#include "SettingsSandbox.h"
#include "SmallDisk.h"
#include "settings/SettingsStore.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <cerrno>
#include <climits>
#include <cstring>

#include <sys/stat.h>

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
        QTest::newRow("section named General") << "General"
                                               << "not the main key";
        QTest::newRow("control characters, a hex digit after one") << "S"
                                                                   << QStringLiteral("\x01\x1f"
                                                                                     "a\tb\nc\r\n");
        QTest::newRow("NUL, a digit after it") << "S" << QString(QChar(0)) + QStringLiteral("5");
        QTest::newRow("semicolon, equals") << "S"
                                           << "a;b=c";
        QTest::newRow("backslash at the end") << "S"
                                              << "C:\\";
        QTest::newRow("binary's form as text") << "S"
                                               << "@ByteArray(text)";
        QTest::newRow("two at signs") << "S"
                                      << "@@twice";
        QTest::newRow("tab at the end") << "S"
                                        << "a\t";
        QTest::newRow("beyond the basic plane") << "S" << QStringLiteral("\U0001F600 ok");
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

        // QSettings, which wrote the store of earlier versions, reads the
        // value the same, and the store reads what QSettings writes.
        const QString key = section.isEmpty() ? QStringLiteral("HotKeys_Key")
                                              : section + QStringLiteral("/HotKeys_Key");
        QCOMPARE(sandbox.value(key), QVariant(text));
        sandbox.setValue(key, text);
        QCOMPARE(SettingsStore().readString(section, QStringLiteral("HotKeys_Key"), {}), text);
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
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i)); // NUL, controls, quotes, commas, high bytes
        {
            SettingsStore store;
            store.writeBinaryData(QString(), QStringLiteral("NormalFont"), bytes);
            store.close();
        }
        SettingsStore store;
        QCOMPARE(store.readBinaryData(QString(), QStringLiteral("NormalFont"), 256), bytes);
        QCOMPARE(store.readBinaryData(QString(), QStringLiteral("KeywordFont"), 40), QByteArray());
        QCOMPARE(sandbox.value(QStringLiteral("NormalFont")), QVariant(bytes));
        sandbox.setValue(QStringLiteral("NormalFont"), bytes);
        QCOMPARE(SettingsStore().readBinaryData(QString(), QStringLiteral("NormalFont"), 256),
                 bytes);
    }

    // A visit rewrites only the text of what it changed: comments, blanks,
    // the order and spelling of everything else stay as they were. A value
    // written as it was changes nothing.
    void aChangeLeavesTheRestOfTheFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("a value") << QByteArray("[S]\nA=1\nB=2\n") << "S/A"
                                 << "3" << QByteArray("[S]\nA=3\nB=2\n");
        QTest::newRow("beside comments and odd spacing")
            << QByteArray("; mine\n[S]\n  A = 1 ; why\n\nB=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n")
            << "S/A"
            << "3"
            << QByteArray("; mine\n[S]\n  A =3; why\n\nB=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
        QTest::newRow("written as it was") << QByteArray("[S]\nA = 1 ; why\n") << "S/A"
                                           << "1" << QByteArray("[S]\nA = 1 ; why\n");
        QTest::newRow("an empty value") << QByteArray("[S]\nA=\nB=1\n") << "S/A"
                                        << "x" << QByteArray("[S]\nA=x\nB=1\n");
        QTest::newRow("a value over two lines") << QByteArray("[S]\nA=\"one\ntwo\"\nB=1\n") << "S/B"
                                                << "2" << QByteArray("[S]\nA=\"one\ntwo\"\nB=2\n");
        QTest::newRow("a key given twice: the last counts")
            << QByteArray("[S]\nA=1\nA=2\n") << "S/A"
            << "3" << QByteArray("[S]\nA=1\nA=3\n");
        QTest::newRow("a new key, after its section's last")
            << QByteArray("[S]\nA=1\n\n[T]\nB=2\n") << "S/C"
            << "3" << QByteArray("[S]\nA=1\nC=3\n\n[T]\nB=2\n");
        QTest::newRow("a section given twice: its last part")
            << QByteArray("[S]\nA=1\n[T]\nB=1\n[S]\nC=1") << "S/D"
            << "4" << QByteArray("[S]\nA=1\n[T]\nB=1\n[S]\nC=1\nD=4\n");
        QTest::newRow("Windows line ends") << QByteArray("[S]\r\nA=1\r\n") << "S/B"
                                           << "2" << QByteArray("[S]\r\nA=1\r\nB=2\n");
        QTest::newRow("a new section, no line end before")
            << QByteArray("[S]\nA=1") << "T/B"
            << "2" << QByteArray("[S]\nA=1\n\n[T]\nB=2\n");
        QTest::newRow("the main key") << QByteArray("[S]\nA=1\n") << "K"
                                      << "v" << QByteArray("[S]\nA=1\n\n[General]\nK=v\n");
        QTest::newRow("the main key, without its header")
            << QByteArray("K=1\n[S]\nA=1\n") << "L"
            << "2" << QByteArray("K=1\nL=2\n[S]\nA=1\n");
        QTest::newRow("a section named General") << QByteArray() << "General/X"
                                                 << "1" << QByteArray("[%General]\nX=1\n");
        QTest::newRow("names to escape")
            << QByteArray() << QString::fromUtf8("Мой раздел/a b") << "1"
            << QByteArray("[%U041C%U043E%U0439%20%U0440%U0430%U0437%U0434%U0435%U043B]\na%20b=1\n");
    }

    void aChangeLeavesTheRestOfTheFileAsItWas()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        SettingsSandbox sandbox;
        sandbox.writeRaw(before);
        {
            SettingsStore store;
            const qsizetype slash = key.indexOf(u'/');
            store.writeString(slash < 0 ? QString() : key.left(slash), key.mid(slash + 1), value);
            store.close();
        }
        QCOMPARE(sandbox.raw(), after);
        QCOMPARE(sandbox.value(key), QVariant(value));
    }

    // The store is a regular file: anything else in its place, the user's
    // own store included, is refused at once, where opening it would wait
    // (a FIFO) or fail later.
    void aStoreThatIsNoRegularFileIsRefused_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << true << "not a regular file";
        QTest::newRow("folder") << false << QString::fromLocal8Bit(std::strerror(EISDIR));
    }

    void aStoreThatIsNoRegularFileIsRefused()
    {
        QFETCH(bool, fifo);
        QFETCH(QString, reason);
        const QString file = SettingsStore::location();
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const auto remove = qScopeGuard([&file] {
            QFile::remove(file);
            QDir().rmdir(file);
        });
        if (fifo)
            QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(file));
        try {
            SettingsStore store;
            QFAIL("the store was opened");
        } catch (const SettingsError &e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(reason), e.what());
        }
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

    // The temporary folder plays no part: a full one does not stop a
    // write, and nothing is left in it.
    void theTemporaryFolderIsNotUsed()
    {
        SmallDisk temp(QStringLiteral("size=64k"));
        if (!temp.isReady())
            QSKIP(qPrintable(temp.whyNot()));
        SettingsSandbox sandbox;
        sandbox.writeRaw("[Favourites]\nFavourCount=1\nItem0=/favourite.txt\n");
        QVERIFY(temp.fill(0));

        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.insert(QStringLiteral("TMPDIR"), temp.insidePath());
        writer.setProcessEnvironment(env);
        temp.startInside(writer, QStringLiteral(SETTINGS_WRITER),
                         {sandbox.file(), QStringLiteral("A"), QStringLiteral("1")});
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitCode(), 0);
        QCOMPARE(sandbox.value(QStringLiteral("Favourites/Item0")).toString(),
                 QStringLiteral("/favourite.txt"));
        QCOMPARE(sandbox.value(QStringLiteral("A/Value0")).toString(), QStringLiteral("1"));
        QCOMPARE(
            QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("filler")});
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
