// Other programs read the editor's RTF: Russian and English text with bold,
// italic, bullets and a numbered list comes out word for word, the bullets
// as a list; a word processor's letter with pictures and a table, opened,
// edited and saved, keeps its pictures and its table for them.
//
// Each reader is skipped where it is not installed (scripts/install-deps
// --test installs them all).

#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kDocument = QStringLiteral("Письмо другу: a letter\n"
                                         "Жирный bold, курсив italic.\n"
                                         "Первый пункт first item\n"
                                         "Второй пункт second item\n"
                                         "1. Раз one\n"
                                         "2. Два two\n"
                                         "Ёлка и щётка, the end.");
const QString kTable = QStringLiteral("Товар Qty Price Бумага paper 2 10 Ручка pen 5 3");
const QString kTyped = QStringLiteral("Hello");

QString wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("\\w+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words.join(u' ');
}

void format(TRichEdit &edit, int start, int length, int style)
{
    edit.setSelStart(start);
    edit.setSelLength(length);
    edit.setSelAttributes(CharAttributes{{}, 0, style, 0, 0}, CharField::Style);
}

// The document as the editor saves it.
void saveDocument(const QString &path)
{
    TRichEdit edit;
    edit.setPlainTextMode(false);
    edit.setWholeText(ansi::encode(QString(kDocument).replace(u'\n', QStringLiteral("\r\n"))));
    const QByteArray text = edit.wholeText();
    format(edit, int(text.indexOf(ansi::encode(u"Жирный"))), 11, fontstyle::Bold);
    format(edit, int(text.indexOf(ansi::encode(u"курсив"))), 13, fontstyle::Italic);
    edit.setSelStart(int(text.indexOf(ansi::encode(u"Первый"))));
    edit.setSelLength(30);
    edit.setParagraph(ParaAttributes{Alignment::Left, Numbering::Bullet, 0, 360, 0},
                      ParaField::Numbering);
    edit.saveToFile(path);
}

// The word processor's letter, opened, a word typed into it, saved.
void saveLetter(const QString &path)
{
    TRichEdit edit;
    edit.setPlainTextMode(false);
    edit.loadFromFile(QStringLiteral(SCRIVLET_TEST_DATA_DIR "/letter.rtf"));
    QTest::keyClicks(&edit, kTyped + u' ');
    edit.saveToFile(path);
}

struct Reading
{
    QString text;      // what the reader shows as text
    QString structure; // the markup it makes of the file
};

QByteArray run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStandardPaths::findExecutable(program), arguments);
    if (!process.waitForFinished(180000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.readAllStandardOutput();
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString htmlText(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}

} // namespace

class TestRtfInterop : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // How a program reads one of the saved files ("doc" or "letter").
    Reading readBy(const QString &program, const QString &name)
    {
        const QString rtf = name + QStringLiteral(".rtf");
        const QString out = m_dir.filePath(name);
        if (program == QLatin1String("pandoc")) {
            const auto read = [&](const char *to) {
                return QString::fromUtf8(run(program, {"-f", "rtf", "-t", to, rtf}, m_dir.path()));
            };
            return {read("plain"), read("html")};
        }
        if (program == QLatin1String("abiword")) {
            for (const QString to : {"txt", "abw"})
                run(program, {"--to=" + to, "--to-name=" + out + u'.' + to, rtf}, m_dir.path());
            return {fileText(out + QStringLiteral(".txt")), fileText(out + QStringLiteral(".abw"))};
        }
        // LibreOffice converted every file at the start.
        const QString html = fileText(m_dir.filePath(QStringLiteral("lo/") + name + ".html"));
        return {htmlText(html), html};
    }

    static void requireProgram(const QString &program)
    {
        if (QStandardPaths::findExecutable(program).isEmpty())
            QSKIP(qPrintable(program + QStringLiteral(" is not installed (scripts/install-deps "
                                                      "--test installs it)")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        saveDocument(m_dir.filePath(QStringLiteral("doc.rtf")));
        saveLetter(m_dir.filePath(QStringLiteral("letter.rtf")));
        // LibreOffice starts slowly: one run converts both files, in a
        // profile of its own that no running LibreOffice shares.
        if (!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
            run(QStringLiteral("soffice"),
                {"-env:UserInstallation=file://" + m_dir.filePath(QStringLiteral("profile")),
                 "--headless", "--convert-to", "html", "--outdir", "lo", "doc.rtf", "letter.rtf"},
                m_dir.path());
        }
    }

    void bulletsAndWordsAreRead_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("listItem");
        QTest::newRow("LibreOffice") << QStringLiteral("soffice") << QStringLiteral("<li");
        QTest::newRow("AbiWord") << QStringLiteral("abiword")
                                 << QStringLiteral("<p [^>]*listid=\"[1-9]");
        QTest::newRow("pandoc") << QStringLiteral("pandoc") << QStringLiteral("<li");
    }

    void bulletsAndWordsAreRead()
    {
        QFETCH(QString, program);
        QFETCH(QString, listItem);
        requireProgram(program);
        const Reading read = readBy(program, QStringLiteral("doc"));
        QCOMPARE(wordsOf(read.text), wordsOf(kDocument));
        QCOMPARE(read.structure.count(QRegularExpression(listItem)), 2);
    }

    void theLettersPicturesAndTableAreRead_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QString>("cell");
        QTest::newRow("LibreOffice")
            << QStringLiteral("soffice") << QStringLiteral("<img") << 3 << QStringLiteral("<td");
        QTest::newRow("AbiWord") << QStringLiteral("abiword") << QStringLiteral("<image ") << 3
                                 << QStringLiteral("<cell ");
        // pandoc shows PNG and JPEG pictures; the third is a WMF drawing.
        QTest::newRow("pandoc") << QStringLiteral("pandoc") << QStringLiteral("<img") << 2
                                << QStringLiteral("<t[dh]");
    }

    void theLettersPicturesAndTableAreRead()
    {
        QFETCH(QString, program);
        QFETCH(QString, picture);
        QFETCH(int, pictures);
        QFETCH(QString, cell);
        requireProgram(program);
        const Reading read = readBy(program, QStringLiteral("letter"));
        const QString words = wordsOf(read.text);
        QVERIFY2(words.startsWith(kTyped + QStringLiteral(" Дорогой друг")), qPrintable(words));
        QVERIFY2(words.contains(kTable), qPrintable(words));
        QCOMPARE(read.structure.count(QRegularExpression(picture)), pictures);
        QCOMPARE(read.structure.count(QRegularExpression(cell)), 9);
    }
};

QTEST_MAIN(TestRtfInterop)
#include "tst_rtf_interop.moc"
