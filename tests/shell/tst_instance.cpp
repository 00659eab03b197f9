// Two real copies of the program: the single running copy and the hand-off
// file. The running copy is asked over its own channel what it holds.

#include "platform/system/InstanceChannel.h"
#include "platform/text/AnsiCodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include <sys/ptrace.h>
#include <sys/wait.h>

namespace {

constexpr int kTimeoutMs = 60000;

// Holds one thread of a child process stopped while it lives, its other
// threads running: the main thread of a copy, whose windows then hang as
// in a long load.
class StoppedThread
{
public:
    explicit StoppedThread(qint64 tid)
        : m_tid(pid_t(tid))
    {
        int status = 0;
        if (ptrace(PTRACE_SEIZE, m_tid, nullptr, nullptr) != 0 ||
            ptrace(PTRACE_INTERRUPT, m_tid, nullptr, nullptr) != 0 ||
            waitpid(m_tid, &status, __WALL) != m_tid)
            m_whyNot = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~StoppedThread()
    {
        if (m_whyNot.isEmpty())
            ptrace(PTRACE_DETACH, m_tid, nullptr, nullptr);
    }
    StoppedThread(const StoppedThread &) = delete;
    StoppedThread &operator=(const StoppedThread &) = delete;

    QString whyNot() const { return m_whyNot; }

private:
    pid_t m_tid;
    QString m_whyNot;
};

} // namespace

class TestInstance : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_files;
    QList<QProcess *> m_copies;

    QString file(const QString &name)
    {
        const QString path = m_files->filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(name.toUtf8());
        return path;
    }

    QString handOffFile() const { return m_runtime->filePath(QStringLiteral("txt30399.tmp")); }

    QProcess *start(const QStringList &args, const QString &workingDir = QString())
    {
        auto *p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
        // The copies keep their settings away from the user's.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_runtime->path());
        // Copies killed at the end leave their temporary folders behind.
        env.insert(QStringLiteral("TMPDIR"), m_runtime->path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(workingDir.isEmpty() ? m_files->path() : workingDir);
        p->start(QStringLiteral(SCRIVLET_BINARY), args);
        m_copies << p;
        return p;
    }

    QStringList status() const
    {
        return InstanceChannel::ask(QStringLiteral("Scrivlet"), QStringLiteral("status"), 2000);
    }

    QStringList documents() const
    {
        QStringList docs;
        for (const QString &line : status()) {
            if (line.startsWith(QLatin1String("document ")))
                docs << line.mid(9);
        }
        return docs;
    }

    int activations() const
    {
        const QStringList s = status();
        return s.isEmpty() ? -1 : s.first().section(QLatin1Char(' '), 1).toInt();
    }

    // Starts the first copy and waits until it answers.
    QProcess *startRunning(const QStringList &args = {})
    {
        QProcess *p = start(args);
        if (!QTest::qWaitFor([this] { return !status().isEmpty(); }, kTimeoutMs))
            QTest::qFail("the first copy does not answer", __FILE__, __LINE__);
        return p;
    }

    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    static bool endsWithZero(QProcess *p)
    {
        if (p->state() != QProcess::NotRunning && !p->waitForFinished(kTimeoutMs))
            return false;
        return p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
    }

private Q_SLOTS:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
    }

    void cleanup()
    {
        for (QProcess *p : std::as_const(m_copies)) {
            p->kill();
            p->waitForFinished();
            delete p;
        }
        m_copies.clear();
    }

    void theFirstCopyOpensItsFileOnItsFirstPaint()
    {
        const QString a = file(QStringLiteral("a.txt"));
        startRunning({a});
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{a}, kTimeoutMs);
        QVERIFY(!QFile::exists(handOffFile()));
    }

    void aSecondCopyHandsItsFileOverAndEnds()
    {
        startRunning();
        const QString b = file(QStringLiteral("b.txt"));
        QVERIFY(endsWithZero(start({b})));
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{b}, kTimeoutMs);
        QCOMPARE(activations(), 1);
        QVERIFY(!QFile::exists(handOffFile()));
    }

    void aSecondCopyWithoutAFileOnlyBringsTheFirstForward_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said"); // on standard error
        QTest::newRow("no argument") << QStringList() << QString();
        QTest::newRow("no such file") << QStringList{QStringLiteral("missing.txt")}
                                      << QStringLiteral("scrivlet: missing.txt: no such file");
        QTest::newRow("a folder") << QStringList{QStringLiteral(".")}
                                  << QStringLiteral("scrivlet: .: not a file");
        QTest::newRow("an option's name after --")
            << QStringList{QStringLiteral("--"), QStringLiteral("--help")}
            << QStringLiteral("scrivlet: --help: no such file");
    }

    void aSecondCopyWithoutAFileOnlyBringsTheFirstForward()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        startRunning();
        QProcess *second = start(args);
        QVERIFY(endsWithZero(second));
        const QString errors = QString::fromLocal8Bit(second->readAllStandardError());
        QVERIFY2(said.isEmpty() ? !errors.contains(QLatin1String("scrivlet:"))
                                : errors.contains(said),
                 qPrintable(errors));
        QTRY_COMPARE_WITH_TIMEOUT(activations(), 1, kTimeoutMs);
        QVERIFY(documents().isEmpty());
        QVERIFY(!QFile::exists(handOffFile()));
    }

    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("said");
        QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("[file...]");
        QTest::newRow("version") << QStringLiteral("--version")
                                 << QStringLiteral("Scrivlet " SCRIVLET_VERSION);
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, said);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(SCRIVLET_BINARY), {option});
        QVERIFY(endsWithZero(&p));
        QVERIFY(QString::fromLocal8Bit(p.readAllStandardOutput()).contains(said));
    }

    void aLeftOverHandOffFileOpensAtTheNextStart()
    {
        const QString left = file(QStringLiteral("left.txt"));
        QFile f(handOffFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ansi::encode(left) + "\r\n");
        f.close();
        startRunning();
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{left}, kTimeoutMs);
    }

    // Every file named opens, in the order named, whether the copy runs
    // or hands its files to the copy that runs; a name with a blank too.
    void everyFileNamedOpens_data()
    {
        QTest::addColumn<bool>("second");
        QTest::newRow("the first copy's") << false;
        QTest::newRow("a second copy's") << true;
    }

    void everyFileNamedOpens()
    {
        QFETCH(bool, second);
        const QStringList files{file(QStringLiteral("a.txt")), file(QStringLiteral("b c.rtf")),
                                file(QStringLiteral("c.txt"))};
        const QStringList args{files[0], QStringLiteral("missing.txt"), files[1], files[2]};
        if (second) {
            startRunning();
            QVERIFY(endsWithZero(start(args)));
        } else {
            startRunning(args);
        }
        QTRY_COMPARE_WITH_TIMEOUT(documents(), files, kTimeoutMs);
    }

    void aRelativeNameMeansTheStartingCopysFolder()
    {
        startRunning();
        QDir(m_files->path()).mkdir(QStringLiteral("elsewhere"));
        const QString c = file(QStringLiteral("elsewhere/c.txt"));
        QVERIFY(endsWithZero(start({QStringLiteral("c.txt")}, m_files->filePath("elsewhere"))));
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{c}, kTimeoutMs);
    }

    void aKilledCopyDoesNotBlockTheNextStart()
    {
        QProcess *first = startRunning();
        first->kill();
        QVERIFY(first->waitForFinished(kTimeoutMs));
        const QString d = file(QStringLiteral("d.txt"));
        QProcess *next = startRunning({d});
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{d}, kTimeoutMs);
        QCOMPARE(next->state(), QProcess::Running);
    }

    // Which of the two becomes the running copy is up to the race; either
    // way both files open in it.
    void twoCopiesStartedTogetherOpenBothFiles_data()
    {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 3; ++round)
            QTest::addRow("round %d", round) << round;
    }

    void twoCopiesStartedTogetherOpenBothFiles()
    {
        const QString a = file(QStringLiteral("a.txt"));
        const QString b = file(QStringLiteral("b.txt"));
        QProcess *one = start({a});
        QProcess *two = start({b});
        QTRY_VERIFY_WITH_TIMEOUT(one->state() == QProcess::NotRunning ||
                                     two->state() == QProcess::NotRunning,
                                 kTimeoutMs);
        QProcess *ended = one->state() == QProcess::NotRunning ? one : two;
        QProcess *running = ended == one ? two : one;
        QVERIFY(endsWithZero(ended));
        QCOMPARE(running->state(), QProcess::Running);
        QTRY_COMPARE_WITH_TIMEOUT(sorted(documents()), QStringList({a, b}), kTimeoutMs);
        QVERIFY(!QFile::exists(handOffFile()));
    }

    // A file still waiting in the hand-off file (its copy's frame has not
    // been painted since) is not pushed out by the next copy's file.
    void aWaitingHandOffIsNotOverwritten()
    {
        startRunning();
        const QString waiting = file(QStringLiteral("waiting.txt"));
        const QString next = file(QStringLiteral("next.txt"));
        QFile f(handOffFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ansi::encode(waiting) + "\r\n");
        f.close();
        QVERIFY(endsWithZero(start({next})));
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList({waiting, next}), kTimeoutMs);
    }

    // The hand-off file holds one line: a name with a line break in it must
    // not be cut there, which would open (and let a Save overwrite) the
    // file named by its first part.
    void aNameWithALineBreakOpensWhole_data()
    {
        QTest::addColumn<bool>("second");
        QTest::newRow("the first copy's") << false;
        QTest::newRow("a second copy's") << true;
    }

    void aNameWithALineBreakOpensWhole()
    {
        QFETCH(bool, second);
        file(QStringLiteral("evil"));
        const QString whole = file(QStringLiteral("evil\nname.txt"));
        if (second) {
            startRunning();
            QVERIFY(endsWithZero(start({whole})));
        } else {
            startRunning({whole});
        }
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{whole}, kTimeoutMs);
    }

    // The running copy's windows hang (its main thread stopped, as in a
    // long load): a later start is answered all the same, ends at once, and
    // its file opens once the running copy goes on.
    void aStartWhileTheRunningCopyIsBusyEndsAndItsFileOpensLater()
    {
        QProcess *first = startRunning();
        const QString b = file(QStringLiteral("b.txt"));
        {
            const StoppedThread busy(first->processId());
            if (!busy.whyNot().isEmpty())
                QSKIP(qPrintable("a thread of another process cannot be stopped here: " +
                                 busy.whyNot()));
            QVERIFY(endsWithZero(start({b})));
            QVERIFY(status().isEmpty()); // still busy: the file waits
        }
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{b}, kTimeoutMs);
    }

    // A running copy that does not answer at all (stopped): a later start
    // with nobody to ask says so and ends, without a window of its own; its
    // request is dropped, so that the file does not open there later either.
    void aStartBesideAStoppedCopyIsRefused()
    {
        QProcess *first = startRunning();
        const QString refused = file(QStringLiteral("refused.txt"));
        const QString later = file(QStringLiteral("later.txt"));
        QCOMPARE(::kill(pid_t(first->processId()), SIGSTOP), 0);
        QProcess *second = start({refused});
        QVERIFY(second->waitForFinished(kTimeoutMs));
        QCOMPARE(::kill(pid_t(first->processId()), SIGCONT), 0);
        QCOMPARE(second->exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(second->readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("Another Scrivlet is running but not answering.")),
                 qPrintable(errors));
        // A request after it opens; the refused one, which came first, not.
        QVERIFY(endsWithZero(start({later})));
        QTRY_COMPARE_WITH_TIMEOUT(documents(), QStringList{later}, kTimeoutMs);
    }
};

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
