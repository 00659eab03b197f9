// Reads the shared corpus of RTF files from other programs. The corpus
// lives outside the project; without it the tests skip.

#include "platform/richedit/RtfReader.h"
#include "platform/richedit/TRichEdit.h"
#include "platform/richedit/TextView.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kCorpus = QStringLiteral(SCRIVLET_CORPUS_DIR);

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString textOf(const QByteArray &rtf)
{
    QTextDocument doc;
    if (!rtf::read(rtf, doc))
        return QStringLiteral("<not rtf>");
    // Table cells are lines of their own; pictures are no text.
    QString t = doc.toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
        .replace(QChar(0xFDD0), QLatin1Char('\n'))
        .replace(QChar(0xFDD1), QLatin1Char('\n'))
        .remove(QChar::ObjectReplacementCharacter);
    return t;
}

// Layout aside, texts compare equal: white space runs are one space, and the
// "|" another reader puts between table cells counts as white space.
QString normalized(QString text)
{
    static const QRegularExpression space(QStringLiteral("[\\s|\\x{2028}]+"));
    return text.replace(space, QStringLiteral(" ")).trimmed();
}

void requireCorpus()
{
    if (!QDir(kCorpus).exists())
        QSKIP("the shared RTF corpus is not on this machine");
}

} // namespace

class TestRtfCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFileLoads()
    {
        requireCorpus();
        int files = 0;
        QDirIterator it(kCorpus, {QStringLiteral("*.rtf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            TRichEdit edit;
            edit.setPlainTextMode(false);
            edit.loadFromFile(path);
            // A reader gone astray would make text out of nothing.
            QVERIFY2(edit.textLength() <= QFileInfo(path).size() * 2, qPrintable(path));
            ++files;
        }
        QVERIFY(files >= 150);
    }

    void textMatchesTheExpectedText_data()
    {
        QTest::addColumn<QString>("name");
        requireCorpus();
        // Files where the expected text follows another reader's choices:
        // link targets written after link texts, and a second document read
        // past the end of the first.
        const QStringList differ{QStringLiteral("hyperlink"), QStringLiteral("hyperlinks"),
                                 QStringLiteral("mac_textedit_hyperlink"),
                                 QStringLiteral("encoding")};
        const QDir expected(kCorpus + QStringLiteral("/striprtf-joshy-expected"));
        for (const QString &file : expected.entryList({QStringLiteral("*.txt")})) {
            const QString name = QFileInfo(file).completeBaseName();
            if (!differ.contains(name))
                QTest::newRow(qPrintable(name)) << name;
        }
    }

    void textMatchesTheExpectedText()
    {
        QFETCH(QString, name);
        const QString got = textOf(
            bytesOf(kCorpus + QStringLiteral("/striprtf-joshy/") + name + QStringLiteral(".rtf")));
        const QString want = QString::fromUtf8(bytesOf(
            kCorpus + QStringLiteral("/striprtf-joshy-expected/") + name + QStringLiteral(".txt")));
        QCOMPARE(normalized(got), normalized(want));
    }

    void cyrillicComesOutAsCyrillic_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("words");
        QTest::newRow("cp1251 with Russian fonts")
            << QStringLiteral("striprtf-joshy/issue_29_good.rtf") << QStringLiteral("область");
        QTest::newRow("Ukrainian letters and numero")
            << QStringLiteral("striprtf-joshy/bytes.rtf") << QStringLiteral("справа № 127");
        QTest::newRow("font without charset")
            << QStringLiteral("rtfpipe/Issue34.rtf") << QStringLiteral("У Х В А Л А");
        QTest::newRow("unicode without stand-ins")
            << QStringLiteral("rtfpipe/phprtflite/utf8.rtf") << QStringLiteral("русский техт");
    }

    void cyrillicComesOutAsCyrillic()
    {
        requireCorpus();
        QFETCH(QString, file);
        QFETCH(QString, words);
        const QString text = textOf(bytesOf(kCorpus + QLatin1Char('/') + file));
        QVERIFY2(normalized(text).contains(words), qPrintable(text.left(200)));
    }

    void numberedListsKeepTheirNumbers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("words");
        QTest::newRow("Word, outline levels")
            << QStringLiteral("rtfpipe/rtf2xml/outline_list.rtf")
            << QStringLiteral("3. Level 1 a. Level 2 i. Level 3 ii. Level 3 4. Level 1");
        QTest::newRow("paragraph numbering of older writers")
            << QStringLiteral("rtfpipe/ListWord.rtf")
            << QStringLiteral("Bullet 2 Paragraph 2 1. List 1 2. List 2");
        QTest::newRow("Google Docs") << QStringLiteral("rtfpipe/ListGoogle.rtf")
                                     << QStringLiteral("Paragraph 2 1. Item 1 2. Item 2");
    }

    void numberedListsKeepTheirNumbers()
    {
        requireCorpus();
        QFETCH(QString, file);
        QFETCH(QString, words);
        const QString text = normalized(textOf(bytesOf(kCorpus + QLatin1Char('/') + file)));
        QVERIFY2(text.contains(words), qPrintable(text.left(300)));
    }

    void damagedFilesKeepWhatCouldBeRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("text before the brace is not rtf")
            << QStringLiteral("rtfpipe/RtfParserTest_fail_0.rtf") << QStringLiteral("<not rtf>");
        QTest::newRow("trailing text") << QStringLiteral("rtfpipe/RtfParserTest_fail_1.rtf")
                                       << QStringLiteral("Hello world in {RTF}…");
        QTest::newRow("extra closing brace") << QStringLiteral("rtfpipe/RtfParserTest_fail_2.rtf")
                                             << QStringLiteral("Hello world in {RTF}…");
        QTest::newRow("truncated") << QStringLiteral("rtfpipe/RtfParserTest_fail_3.rtf")
                                   << QStringLiteral("Hello world in {RTF}…");
        QTest::newRow("empty file")
            << QStringLiteral("rtfpipe/RtfParserTest_fail_4.rtf") << QStringLiteral("<not rtf>");
        QTest::newRow("text glued to the header")
            << QStringLiteral("rtfpipe/minimal.rtf") << QStringLiteral("foobar");
    }

    void damagedFilesKeepWhatCouldBeRead()
    {
        requireCorpus();
        QFETCH(QString, file);
        QFETCH(QString, text);
        QCOMPARE(normalized(textOf(bytesOf(kCorpus + QLatin1Char('/') + file))), text);
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtf_corpus.moc"
