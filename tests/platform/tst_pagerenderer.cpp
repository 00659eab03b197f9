#include "FileBytes.h"
#include "ViewedEdit.h"
#include "platform/richedit/PageRenderer.h"
#include "platform/richedit/TRichEdit.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPageRenderer : public QObject
{
    Q_OBJECT

private:
    // The page starts that rendering the whole document gives.
    static QList<int> pageStarts(const TRichEdit &edit, qreal pageHeight)
    {
        QImage device(600, 800, QImage::Format_RGB32);
        PageRenderer renderer(*edit.document(), &device, QRectF(0, 0, 400, pageHeight), Qt::black);
        QList<int> starts{0};
        for (int guard = 0; guard < 10000; ++guard) {
            const int next = renderer.renderPage(nullptr, starts.last());
            if (next >= edit.textLength())
                break;
            starts.append(next);
        }
        return starts;
    }

private Q_SLOTS:
    void initTestCase_data() { addViewRows(); }

    void pagesFollowEachOtherLineByLine()
    {
        ViewedEdit edit;
        QByteArray text;
        for (int i = 0; i < 300; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        edit.setWholeText(text);

        const QList<int> starts = pageStarts(edit, 200);
        QVERIFY(starts.size() > 5);
        for (int i = 1; i < starts.size(); ++i) {
            QVERIFY(starts[i] > starts[i - 1]);
            // Each page starts at the beginning of a line.
            QVERIFY(starts[i] == 0 || text.at(starts[i] - 1) == '\n');
        }
        // The same number of lines on every full page.
        const auto lines = [&](int page) {
            return text.mid(starts[page], starts[page + 1] - starts[page]).count('\n');
        };
        QCOMPARE(lines(1), lines(0));
        QCOMPARE(lines(2), lines(0));
    }

    void startingInsideALineTakesTheWholeLine()
    {
        ViewedEdit edit;
        edit.setWholeText("first\r\nsecond\r\nthird");
        QImage device(600, 800, QImage::Format_RGB32);
        PageRenderer renderer(*edit.document(), &device, QRectF(0, 0, 400, 1000), Qt::black);
        QCOMPARE(renderer.renderPage(nullptr, 10), edit.textLength());
    }

    void aLineTallerThanThePageStillMakesProgress()
    {
        ViewedEdit edit;
        edit.setWholeText("a\r\nb\r\nc");
        const QList<int> starts = pageStarts(edit, 1);
        QCOMPARE(starts, QList<int>({0, 3, 6}));
    }

    void printsEveryPage()
    {
        // Counts the pages a print job starts.
        class CountingPdf : public QPdfWriter
        {
        public:
            using QPdfWriter::QPdfWriter;
            bool newPage() override
            {
                ++pages;
                return QPdfWriter::newPage();
            }
            int pages = 1;
        };

        QTemporaryDir dir;
        CountingPdf pdf(dir.filePath(QStringLiteral("out.pdf")));
        pdf.setPageSize(QPageSize(QPageSize::A6));
        ViewedEdit edit;
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += "Printed line " + QByteArray::number(i) + "\r\n";
        edit.setWholeText(text);
        edit.print(&pdf);

        PageRenderer renderer(*edit.document(), &pdf, QRectF(0, 0, pdf.width(), pdf.height()),
                              Qt::black);
        int expected = 1;
        for (int pos = renderer.renderPage(nullptr, 0); pos < edit.textLength();
             pos = renderer.renderPage(nullptr, pos))
            ++expected;
        QVERIFY(expected > 2);
        QCOMPARE(pdf.pages, expected);
    }

    // A word processor's letter prints with its pictures and its table.
    void printsPicturesAndTables()
    {
        const auto tool = [](const char *name, const QStringList &arguments) {
            QProcess run;
            run.start(QStandardPaths::findExecutable(QString::fromLatin1(name)), arguments);
            run.waitForFinished();
            return QString::fromUtf8(run.readAllStandardOutput());
        };
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("poppler-utils is not installed (scripts/install-deps --test installs it)");
        TRichEdit edit;
        edit.setPlainTextMode(false);
        edit.loadFromFile(QStringLiteral(SCRIVLET_TEST_DATA_DIR "/letter.rtf"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("letter.pdf"));
        {
            QPdfWriter pdf(path);
            edit.print(&pdf);
        }
        const QString text = tool("pdftotext", {path, QStringLiteral("-")}).simplified();
        QVERIFY2(text.contains(QStringLiteral("Товар Qty Price Бумага paper 2 10 Ручка pen 5 3")),
                 qPrintable(text));
        // The PNG and the JPEG; the WMF drawing's box is lines.
        const QStringList images =
            tool("pdfimages", {QStringLiteral("-list"), path}).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(images.size() - 2, 2); // below two lines of headings
    }

    // A table longer than a page goes on over the next pages, every row of it
    // once.
    void longTablesGoOnOverPages()
    {
        QByteArray rtf = "{\\rtf1 Before\\par";
        for (int i = 0; i < 150; ++i)
            rtf += "\\trowd\\cellx2000\\cellx4000\\intbl row" + QByteArray::number(i) +
                   "\\cell cell\\cell\\row";
        rtf += "\\pard After}";
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("table.rtf"));
        QVERIFY(testfiles::writeAll(source, rtf));
        TRichEdit edit;
        edit.setPlainTextMode(false);
        edit.loadFromFile(source);
        const QString path = dir.filePath(QStringLiteral("table.pdf"));
        {
            QPdfWriter pdf(path);
            edit.print(&pdf);
        }
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        QVERIFY(run.waitForFinished());
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        for (int i = 0; i < 150; ++i)
            QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\brow%1\\b").arg(i))), 1);
        QVERIFY(text.contains(QStringLiteral("After")));
        QVERIFY(text.count(u'\f') >= 3);
    }
};

QTEST_MAIN(TestPageRenderer)
#include "tst_pagerenderer.moc"
