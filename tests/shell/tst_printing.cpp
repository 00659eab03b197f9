// Printing from an edit window as a word processor prints: inside page
// margins that last from run to run, every word on paper, paragraph formats
// to scale, and a preview of the same pages.

#include "FrameFixture.h"
#include "editor/DocumentPrinter.h"
#include "editor/Formatting.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <tuple>

namespace {

constexpr qreal kPointsPerMm = 72 / 25.4;

struct Word
{
    QString text;
    QRectF box; // in points from its page's top left corner
    int page;
};

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    return p.waitForFinished() ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// The words of a PDF, page by page, line by line: a line's words stand on
// one baseline.
QList<Word> wordsOf(const QString &pdf)
{
    static const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    QList<Word> words;
    const QStringList pages = run("pdftotext", {"-bbox", pdf, "-"}).split("<page ").mid(1);
    for (int page = 0; page < pages.size(); ++page) {
        for (const auto &m : word.globalMatch(pages[page])) {
            const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
            words.append({m.captured(5), QRectF(topLeft, bottomRight), page});
        }
    }
    std::ranges::sort(
        words, {}, [](const Word &w) { return std::tuple(w.page, w.box.bottom(), w.box.left()); });
    return words;
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A letter with a first-line indent, a bulleted list and a line far
    // wider than the window, which does not wrap, printed to a file on the
    // paper the page dialog chose: every word in order inside 2 cm margins,
    // the indent and the bullets with their hanging indent in points. The
    // preview shows as many pages; print to file proposes the letter's name.
    void printsAsAWordProcessorPrints()
    {
        FrameFixture f;
        QByteArray body =
            "{\\fonttbl{\\f0 Arial;}}\\f0\\fs24\\fi1680 Indented first line\\par\\pard";
        QStringList words{"Indented", "first", "line"};
        for (const QByteArray item : {"Passport", "Tickets", "Coat"}) {
            body += "{\\*\\pn\\pnlvlblt}\\fi-360\\li720 " + item + "\\par";
            words << QStringLiteral("\u2022") << QString::fromLatin1(item);
        }
        body += "\\pard\\fs72";
        for (int i = 1; i <= 240; ++i) {
            body += " Word" + QByteArray::number(i);
            words << QStringLiteral("Word%1").arg(i);
        }
        TEditForm *w = f.open(f.write(QStringLiteral("letter.rtf"), "{\\rtf1" + body + "}"));
        w->formatting()->Wordwrap1->trigger();
        QVERIFY(!w->Editor->wordWrap());
        f.prompts.expectPrinterSetup(
            true, [](QPrinter &p) { p.setPageSize(QPageSize(QPageSize::Letter)); });
        w->Printersetup1->trigger();
        const QString pdf = f.path(QStringLiteral("printed.pdf"));
        f.prompts.expectPrintToFile(pdf);
        w->Print1->trigger();

        const QList<Word> printed = wordsOf(pdf);
        QStringList texts;
        const qreal margin = 20 * kPointsPerMm;
        const QRectF text = QRectF(0, 0, 612, 792).adjusted(margin, margin, -margin, -margin);
        for (const Word &word : printed) {
            texts << word.text;
            QVERIFY2(text.adjusted(-kPointsPerMm, -kPointsPerMm, kPointsPerMm, kPointsPerMm)
                         .contains(word.box),
                     qPrintable(word.text));
        }
        QCOMPARE(texts, words);
        const auto from = [&](int i) { return printed[i].box.left() - text.left(); };
        QVERIFY2(qAbs(from(9)) <= kPointsPerMm, "the text starts at the margin");
        QVERIFY2(qAbs(from(0) - 84) <= 2, "the first-line indent");
        for (int i = 3; i < 9; i += 2) {
            QVERIFY2(qAbs(from(i) - 18) <= 2, "a bullet at the first-line indent");
            QVERIFY2(qAbs(from(i + 1) - 36) <= 2, "its text at the hanging indent");
            QCOMPARE(printed[i].box.bottom(), printed[i + 1].box.bottom());
        }
        const QString info = run("pdfinfo", {pdf});
        const int pages = printed.last().page + 1;
        QVERIFY(pages >= 3);
        QVERIFY2(info.contains(QRegularExpression("^Page size: +612 x 792 pts",
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));
        QVERIFY(info.contains(
            QRegularExpression("^Title: +" + QRegularExpression::escape(w->FFileName) + "$",
                               QRegularExpression::MultilineOption)));

        f.prompts.expectPrintPreview();
        w->PrintPreview1->trigger();
        QCOMPARE(f.prompts.previewPages(), pages);
        QCOMPARE(f.prompts.log().last().text, f.path(QStringLiteral("letter.pdf")));
        QCOMPARE(f.prompts.log().last().caption, QStringLiteral("letter.rtf"));
    }

    void marginsFromThePageDialogOutlastTheRun_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QMarginsF>("kept");
        QTest::newRow("confirmed") << true << QMarginsF(30, 25, 12.5, 15);
        QTest::newRow("cancelled") << false << QMarginsF(20, 20, 20, 20);
    }

    void marginsFromThePageDialogOutlastTheRun()
    {
        QFETCH(bool, accept);
        QFETCH(QMarginsF, kept);
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("Scrivlet.ini"));
        {
            FrameFixture f(store);
            f.frame.New1Click();
            f.prompts.expectPrinterSetup(accept, [](QPrinter &p) {
                p.setPageMargins(QMarginsF(30, 25, 12.5, 15), QPageLayout::Millimeter);
            });
            f.active()->Printersetup1->trigger();
        }
        FrameFixture again(store);
        QCOMPARE(again.frame.printing().margins(), kept);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
