// Other programs read the editor's RTF: Russian and English text with
// bold, italic, bullets and a numbered list comes out word for word.

#include "platform/richedit/TRichEdit.h"
#include "platform/text/AnsiCodec.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kDocument = QStringLiteral("Письмо другу: a letter\n"
                                         "Жирный bold, курсив italic.\n"
                                         "Первый пункт first item\n"
                                         "Второй пункт second item\n"
                                         "1. Раз one\n"
                                         "2. Два two\n"
                                         "Ёлка и щётка, the end.");

QStringList wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("\\w+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
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

} // namespace

class TestRtfInterop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void otherProgramsReadTheWords_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("toFile"); // the text goes to out.txt, not to the output
        QTest::newRow("pandoc") << QStringLiteral("pandoc")
                                << QStringList{"-f", "rtf", "-t", "plain", "doc.rtf"} << false;
        QTest::newRow("abiword") << QStringLiteral("abiword")
                                 << QStringList{"--to=txt", "--to-name=out.txt", "doc.rtf"} << true;
    }

    void otherProgramsReadTheWords()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, toFile);
        const QString executable = QStandardPaths::findExecutable(program);
        if (executable.isEmpty())
            QSKIP(qPrintable(program + QStringLiteral(" is not installed (scripts/install-deps "
                                                      "installs it)")));
        QTemporaryDir dir;
        saveDocument(dir.filePath(QStringLiteral("doc.rtf")));

        QProcess run;
        run.setWorkingDirectory(dir.path());
        run.start(executable, arguments);
        QVERIFY(run.waitForFinished(60000));
        const QByteArray errors = run.readAllStandardError();
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 errors.constData());
        QByteArray out = run.readAllStandardOutput();
        if (toFile) {
            QFile file(dir.filePath(QStringLiteral("out.txt")));
            QVERIFY2(file.open(QIODevice::ReadOnly), errors.constData());
            out = file.readAll();
        }
        QCOMPARE(wordsOf(QString::fromUtf8(out)), wordsOf(kDocument));
    }
};

QTEST_MAIN(TestRtfInterop)
#include "tst_rtf_interop.moc"
