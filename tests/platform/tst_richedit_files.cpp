#include "FileBytes.h"
#include "platform/richedit/PlainFile.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/system/FileIO.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

Q_DECLARE_METATYPE(FileFormat)
Q_DECLARE_METATYPE(std::optional<Charset>)

using testfiles::readAll;
using testfiles::writeAll;

namespace {

// Writes that pass the limit fail with EFBIG, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

bool isRoot()
{
    return geteuid() == 0;
}

} // namespace

class TestRichEditFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void everyByteSurvivesLoadAndSave()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                bytes += char(b);
        }
        bytes += "\r\nend\r\n";
        QVERIFY(writeAll(path("bytes.txt"), bytes));

        TRichEdit edit;
        edit.loadFromFile(path("bytes.txt"));
        QCOMPARE(edit.wholeText(), bytes);
        QVERIFY(!edit.isModified());
        QCOMPARE(edit.selStart(), 0);
        edit.saveToFile(path("bytes-out.txt"));
        QCOMPARE(readAll(path("bytes-out.txt")), bytes);
    }

    // A file is saved as it was read, byte for byte: its encoding, its
    // byte-order mark and its line breaks, also around an edit. Only a mix
    // of line breaks becomes CR LF throughout.
    void plainFilesComeBackAsTheyWentIn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<std::optional<Charset>>("readAs");
        QTest::addColumn<FileFormat>("format");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<int>("secondLine"); // where "#" goes in the saved bytes; -1: nowhere
        const auto utf8 = [](const char *text) { return QString::fromUtf8(text).toUtf8(); };
        const FileFormat crlf;
        const FileFormat lf{.lineBreak = LineBreak::Lf};
        const FileFormat utf8Lf{.charset = Charset::Utf8, .lineBreak = LineBreak::Lf};
        const std::optional<Charset> detected;
        QTest::newRow("LF") << QByteArray("one\ntwo\n") << detected << lf << QByteArray() << 4;
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << detected << crlf << QByteArray()
                               << 5;
        QTest::newRow("CR") << QByteArray("one\rtwo\r") << detected
                            << FileFormat{.lineBreak = LineBreak::Cr} << QByteArray() << 4;
        QTest::newRow("mixed") << QByteArray("one\ntwo\rthree\r\n\nfour") << detected << crlf
                               << QByteArray("one\r\ntwo\r\nthree\r\n\r\nfour") << 5;
        QTest::newRow("none") << QByteArray("one") << detected << crlf << QByteArray() << -1;
        QTest::newRow("last line without a break")
            << QByteArray("one\ntwo") << detected << lf << QByteArray() << 4;
        QTest::newRow("UTF-8 Cyrillic")
            << utf8("Привет\nмир\n") << detected << utf8Lf << QByteArray() << 13;
        QTest::newRow("UTF-8, a line break inside a paragraph")
            << utf8("да\vнет\nend") << detected << utf8Lf << QByteArray() << 12;
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBFok\r\n") + utf8("да") << detected
            << FileFormat{.charset = Charset::Utf8, .byteOrderMark = true} << QByteArray() << 7;
        QTest::newRow("Greek and emoji")
            << utf8("½ Ελληνικά 😀\nend") << detected << utf8Lf << QByteArray() << 25;
        QTest::newRow("Windows-1251") << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0")
                                      << detected << crlf << QByteArray() << 8;
        QTest::newRow("not well-formed UTF-8")
            << QByteArray("\xD0\x9F\xFF\n!") << detected << lf << QByteArray() << 4;
        QTest::newRow("read as KOI8-R")
            << QByteArray("\xFB\xC1\xC8\n\xB3") << std::optional(Charset::Koi8R)
            << FileFormat{.charset = Charset::Koi8R, .lineBreak = LineBreak::Lf} << QByteArray()
            << 4;
    }

    void plainFilesComeBackAsTheyWentIn()
    {
        QFETCH(QByteArray, file);
        QFETCH(std::optional<Charset>, readAs);
        QFETCH(FileFormat, format);
        QFETCH(QByteArray, saved);
        QFETCH(int, secondLine);
        if (saved.isEmpty())
            saved = file;
        QVERIFY(writeAll(path("in.txt"), file));
        TRichEdit edit;
        edit.loadFromFile(path("in.txt"), readAs);
        QCOMPARE(edit.fileFormat(), format);
        edit.saveToFile(path("out.txt"));
        QCOMPARE(readAll(path("out.txt")), saved);
        if (secondLine < 0)
            return;
        edit.setSelStart(edit.lineIndex(1));
        edit.setSelText("#");
        edit.saveToFile(path("out.txt"));
        QCOMPARE(readAll(path("out.txt")), saved.insert(secondLine, '#'));
    }

    // A line longer than a paragraph may be comes as pieces of the longest
    // length; the document takes no change, and a save writes the file back
    // as it was, byte for byte.
    void longLinesComeBackWhole_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("paragraphs");
        const int longest = plainfile::kLongestLine;
        const QByteArray text = QString(longest * 2 + 5, QLatin1Char('a')).toLatin1();
        const QByteArray cyrillic = QString(longest * 4, QChar(0x0416)).toUtf8();
        QByteArray emoji = QByteArray(longest - 1, 'b') + "\xF0\x9F\x98\x80" + "c";
        QTest::newRow("one line") << text << 3;
        QTest::newRow("amid short lines") << "one\r\n" + text + "\r\ntwo\r\n" << 6;
        QTest::newRow("UTF-8, pieces of the file beside characters")
            << "\xD0\x96\n" + cyrillic << 5;
        QTest::newRow("a character beyond U+FFFF at the cut") << emoji << 2;
        QTest::newRow("the longest line that is one paragraph") << QByteArray(longest, 'd') + "\r\n"
                                                                << 2;
    }

    void longLinesComeBackWhole()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, paragraphs);
        QVERIFY(writeAll(path("long.txt"), file));
        TRichEdit edit;
        edit.loadFromFile(path("long.txt"));
        QCOMPARE(edit.document()->blockCount(), paragraphs);
        const bool cut = paragraphs > file.count('\n') + 1;
        QCOMPARE(edit.isReadOnly(), cut);
        QSignalSpy refused(&edit, &TRichEdit::editRefused);
        edit.setWholeText("x");
        QTest::keyClicks(&edit, QStringLiteral("y"));
        QCOMPARE(refused.count(), cut ? 2 : 0);
        if (cut) {
            edit.saveToFile(path("out.txt"));
            QCOMPARE(readAll(path("out.txt")), file);
        }
    }

    // A long file that is one line, or holds one, loads from the event loop
    // read-only and saves back as it was, byte for byte.
    void longLinesOfLongFilesRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        const qsizetype repeats = 2 * TRichEdit::kLongText / 12;
        const QByteArray ansi = QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2 world ").repeated(repeats);
        const QByteArray utf8 = QStringLiteral("Привет world ").toUtf8().repeated(repeats);
        QTest::newRow("one line, Windows-1251") << ansi;
        QTest::newRow("one line, UTF-8") << utf8;
        QTest::newRow("one line and its CR LF") << ansi + "\r\n";
        QTest::newRow("amid short lines, LF") << "ab\n" + utf8 + "\ncd\n";
    }

    void longLinesOfLongFilesRoundTrip()
    {
        QFETCH(QByteArray, file);
        QVERIFY(writeAll(path("line.txt"), file));
        TRichEdit edit;
        QSignalSpy finished(&edit, &TRichEdit::loadFinished);
        edit.startLoading(path("line.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY(edit.isReadOnly());
        QVERIFY(!edit.isPartial());
        edit.saveToFile(path("out.txt"));
        QCOMPARE(readAll(path("out.txt")), file);
    }

    // A long file goes into the document from the event loop: meanwhile the
    // control takes no change, and at the end the document is unmodified,
    // without undo history, the caret at its start. A load stopped half
    // way keeps the whole lines it has and is partial until saved.
    void longFilesLoadFromTheEventLoop_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("to the end") << false;
        QTest::newRow("stopped") << true;
    }

    void longFilesLoadFromTheEventLoop()
    {
        QFETCH(bool, stop);
        QByteArray file;
        for (int i = 0; file.size() < 2 * TRichEdit::kLongText; ++i)
            file += "line " + QByteArray::number(i) + "\r\n";
        QVERIFY(writeAll(path("long.txt"), file));
        TRichEdit edit;
        edit.setWholeText("old");
        QSignalSpy finished(&edit, &TRichEdit::loadFinished);
        QSignalSpy refused(&edit, &TRichEdit::editRefused);
        edit.startLoading(path("long.txt"));
        QVERIFY(edit.isLoading());
        QTest::keyClicks(&edit, QStringLiteral("x"));
        edit.setWholeText("y");
        QCOMPARE(refused.count(), 2);
        if (stop) {
            QTRY_VERIFY(edit.textLength() > 0);
            edit.stopLoading();
        }
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(!edit.isLoading());
        QCOMPARE(edit.isPartial(), stop);
        const QByteArray text = edit.wholeText();
        if (stop) {
            QVERIFY(text.size() < file.size());
            QVERIFY(text.endsWith("\r\n"));
            QVERIFY(file.startsWith(text));
        } else {
            QCOMPARE(text, file);
        }
        QVERIFY(!edit.isModified());
        QVERIFY(!edit.canUndo());
        QCOMPARE(edit.selStart(), 0);
        edit.setSelText("z");
        QVERIFY(edit.wholeText().startsWith("zline 0"));
        edit.saveToFile(path("out.txt"));
        QVERIFY(!edit.isPartial());
    }

    // A narrower view wraps the text anew: a long text when it is next
    // painted, so that windows the MDI area resizes behind the one shown
    // lay nothing out.
    void aNarrowerViewWrapsTheTextAnew_data()
    {
        QTest::addColumn<qsizetype>("lines");
        QTest::newRow("short text") << qsizetype(10);
        QTest::newRow("long text") << TRichEdit::kLongText / 45 + 1;
    }

    void aNarrowerViewWrapsTheTextAnew()
    {
        QFETCH(qsizetype, lines);
        TRichEdit edit;
        edit.resize(600, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setWholeText(QByteArray("word ").repeated(9).append("\r\n").repeated(lines));
        QTRY_COMPARE(edit.document()->firstBlock().lineCount(), 1);
        edit.resize(150, 200);
        QTRY_VERIFY(edit.document()->firstBlock().lineCount() > 1);
    }

    void loadingReplacesTextAndUndoHistory()
    {
        TRichEdit edit;
        edit.setWholeText("old");
        QVERIFY(writeAll(path("new.txt"), "new"));
        edit.loadFromFile(path("new.txt"));
        QCOMPARE(edit.wholeText(), QByteArray("new"));
        QVERIFY(!edit.canUndo());
    }

    void loadingIsNotCutByTheTextLimit()
    {
        const QByteArray big = QByteArray(98, 'x').append("\r\n").repeated(1000);
        QVERIFY(writeAll(path("big.txt"), big));
        TRichEdit edit;
        edit.loadFromFile(path("big.txt"));
        QCOMPARE(edit.textLength(), big.size());
    }

    void failedLoadKeepsTheText()
    {
        TRichEdit edit;
        edit.setWholeText("kept");
        QVERIFY_THROWS_EXCEPTION(FileError, edit.loadFromFile(path("missing.txt")));
        QVERIFY_THROWS_EXCEPTION(FileError, edit.loadFromFile(m_dir.path()));
        QCOMPARE(edit.wholeText(), QByteArray("kept"));
    }

    void failedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("parent is a file") << QStringLiteral("blocker/file.txt") << false;
        QTest::newRow("a directory") << QStringLiteral("adir") << false;
        QTest::newRow("read-only file") << QStringLiteral("ro/file.txt") << true;
        QTest::newRow("unwritable directory") << QStringLiteral("locked/file.txt") << true;
    }

    void failedSaveLeavesTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && isRoot())
            QSKIP("permissions do not bind the superuser");
        QVERIFY(writeAll(path("blocker"), "a file"));
        QDir(m_dir.path()).mkpath(QStringLiteral("adir"));
        QDir(m_dir.path()).mkpath(QStringLiteral("ro"));
        QDir(m_dir.path()).mkpath(QStringLiteral("locked"));
        QVERIFY(writeAll(path("ro/file.txt"), "old"));
        QVERIFY(writeAll(path("locked/file.txt"), "old"));
        QFile::setPermissions(path("ro/file.txt"), QFile::ReadOwner);
        QFile::setPermissions(path("locked/file.txt"), QFile::ReadOwner);
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);

        TRichEdit edit;
        edit.setWholeText("new text");
        edit.setModified(true);
        try {
            edit.saveToFile(path(target));
            QFAIL("the save did not fail");
        } catch (const FileError &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path(target))),
                     qPrintable(e.message()));
        }
        QVERIFY(edit.isModified());
        if (target.endsWith(QLatin1String("file.txt")) && QFile::exists(path(target)))
            QCOMPARE(readAll(path(target)), QByteArray("old"));
        QFile::setPermissions(path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void writesInPlaceWhereTheDirectoryTakesNoTemporaryFile()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("shut"));
        QVERIFY(writeAll(path("shut/file.txt"), "old"));
        QFile::setPermissions(path("shut"), QFile::ReadOwner | QFile::ExeOwner);
        TRichEdit edit;
        edit.setWholeText("new");
        edit.saveToFile(path("shut/file.txt"));
        QFile::setPermissions(path("shut"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(path("shut/file.txt")), QByteArray("new"));
    }

    void fullDiskLeavesTheOldFile()
    {
        const QByteArray old = "the file as it was\r\n";
        QVERIFY(writeAll(path("full.txt"), old));
        TRichEdit edit;
        edit.setWholeText(QByteArray(64 * 1024, 'y'));
        {
            FileSizeLimit limit(4096);
            QVERIFY_THROWS_EXCEPTION(FileError, edit.saveToFile(path("full.txt")));
        }
        QCOMPARE(readAll(path("full.txt")), old);
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("full.txt*")}, QDir::Files),
                 QStringList{QStringLiteral("full.txt")}); // no temporary left behind
    }

    // A plain file saved as RTF moves its document into the rich view, and
    // saved as plain text again back into the plain view: the text, the
    // selection, the modified state, overwriting, the focus and what undo
    // takes back all stay.
    void savingInTheOtherModeKeepsTheDocument()
    {
        QVERIFY(writeAll(path("notes.txt"), "one\r\ntwo\r\n"));
        TRichEdit edit;
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        edit.loadFromFile(path("notes.txt"));
        edit.setFocus();
        QVERIFY(edit.showsPlainView());
        edit.setSelStart(5);
        edit.setSelText("new ");
        edit.setOverwriteMode(true);
        edit.setSelStart(6);
        edit.setSelLength(3);
        for (const char *name : {"notes.rtf", "notes.txt"}) {
            const bool plain = QByteArray(name).endsWith(".txt");
            edit.setPlainTextMode(plain);
            edit.saveToFile(path(name));
            QCOMPARE(edit.showsPlainView(), plain);
            QCOMPARE(edit.wholeText(), QByteArray("one\r\nnew two\r\n"));
            QCOMPARE(edit.selStart(), 6);
            QCOMPARE(edit.selLength(), 3);
            QVERIFY(edit.isModified());
            QVERIFY(edit.overwriteMode());
            QVERIFY(edit.hasFocus());
        }
        QVERIFY(readAll(path("notes.rtf")).startsWith("{\\rtf1"));
        QCOMPARE(readAll(path("notes.txt")), QByteArray("one\r\nnew two\r\n"));
        edit.undo();
        QCOMPARE(edit.wholeText(), QByteArray("one\r\ntwo\r\n"));
    }
};

QTEST_MAIN(TestRichEditFiles)
#include "tst_richedit_files.moc"
