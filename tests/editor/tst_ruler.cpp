// The ruler's markers: where they stand for the paragraph at the caret, and
// what dragging them writes into the selected paragraphs.

#include "editor/Ruler.h"
#include "platform/richedit/TRichEdit.h"

#include <QImage>
#include <QTest>

constexpr int kTwips = 20; // to the point

class TestRuler : public QObject
{
    Q_OBJECT

private:
    // Four paragraphs with the same indents; the middle two are selected.
    struct Fixture
    {
        TRichEdit edit;
        IndentRuler ruler{&edit};

        // Indents in points: first line, other lines, right.
        Fixture(const QList<int> &indents, int width)
        {
            edit.setWholeText("zero\r\none\r\ntwo\r\nthree");
            edit.selectAll();
            edit.setParagraph({.firstIndent = indents[0] * kTwips,
                               .leftIndent = indents[1] * kTwips,
                               .rightIndent = indents[2] * kTwips});
            edit.setSelStart(6);
            edit.setSelLength(5);
            ruler.resize(width, ruler.height());
            ruler.SetRulerScale();
            ruler.placeMarkers();
            QObject::connect(&ruler, &IndentRuler::markerDropped, &ruler,
                             &IndentRuler::placeMarkers);
            ruler.show();
        }

        QList<int> paragraph(int start)
        {
            edit.setSelStart(start);
            const ParaAttributes p = edit.paragraph();
            return {p.firstIndent / kTwips, p.leftIndent / kTwips, p.rightIndent / kTwips};
        }
    };

private Q_SLOTS:
    void markersStandAtTheIndents_data()
    {
        QTest::addColumn<int>("first"); // twips
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("lefts"); // FirstInd, LeftInd, RightInd
        QTest::newRow("no indents") << 0 << 0 << 0 << 559 << QList<int>{2, 2, 545};
        QTest::newRow("indented") << 600 << -200 << 240 << 559 << QList<int>{42, 28, 529};
        QTest::newRow("part points are cut off")
            << 150 << 110 << 30 << 400 << QList<int>{11, 18, 385};
    }

    void markersStandAtTheIndents()
    {
        QFETCH(int, first);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, width);
        QFETCH(QList<int>, lefts);
        Fixture f({0, 0, 0}, width);
        f.edit.setParagraph({.firstIndent = first, .leftIndent = left, .rightIndent = right});
        f.ruler.placeMarkers();
        QCOMPARE(QList<int>({f.ruler.FirstInd->x(), f.ruler.LeftInd->x(), f.ruler.RightInd->x()}),
                 lefts);
    }

    void droppingAMarkerWritesItsIndent_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<int>("dx"); // how far the pointer moves after grabbing the middle
        QTest::addColumn<QList<int>>("indents"); // before: first, left, right in points
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("first line; the others stay")
            << "FirstInd" << 30 << QList<int>{30, -10, 0} << QList<int>{54, -33, 0};
        QTest::newRow("other lines")
            << "LeftInd" << 40 << QList<int>{30, -10, 0} << QList<int>{30, 21, 0};
        QTest::newRow("right indent")
            << "RightInd" << -60 << QList<int>{30, -10, 0} << QList<int>{30, -10, 46};
        QTest::newRow("a click alone moves a point")
            << "FirstInd" << 0 << QList<int>{0, 0, 0} << QList<int>{1, 0, 0};
        // Beyond the ruler's ends an indent would hide the text and its marker.
        QTest::newRow("first line off the left end")
            << "FirstInd" << -200 << QList<int>{30, -10, 0} << QList<int>{0, 21, 0};
        QTest::newRow("other lines off the right end")
            << "LeftInd" << 2000 << QList<int>{30, -10, 0} << QList<int>{30, 380, 0};
        QTest::newRow("right indent off the right end")
            << "RightInd" << 300 << QList<int>{30, -10, 0} << QList<int>{30, -10, 0};
    }

    void droppingAMarkerWritesItsIndent()
    {
        QFETCH(QString, marker);
        QFETCH(int, dx);
        QFETCH(QList<int>, indents);
        QFETCH(QList<int>, written);
        Fixture f(indents, 559);
        auto *m = f.ruler.findChild<QWidget *>(marker);
        const QPoint middle(m->width() / 2, 5);
        QTest::mousePress(m, Qt::LeftButton, {}, middle);
        QTest::mouseMove(m, middle + QPoint(dx, 0));
        QTest::mouseRelease(m, Qt::LeftButton, {}, middle);
        QVERIFY(!f.ruler.FDraggingMarker);

        QCOMPARE(f.paragraph(6), written);
        QCOMPARE(f.paragraph(11), written);
        QCOMPARE(f.paragraph(0), indents);
        QCOMPARE(f.paragraph(16), indents);
    }

    // Left and Right step the marker 3 points, the 4 pixels the ruler
    // shows them in, within the ruler; the first line's keeps the others.
    void arrowKeysStepAMarker_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("times");
        QTest::addColumn<QList<int>>("indents"); // first, left, right in points
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("first line right") << "FirstInd" << int(Qt::Key_Right) << 1
                                          << QList<int>{30, -10, 0} << QList<int>{33, -13, 0};
        QTest::newRow("first line left twice") << "FirstInd" << int(Qt::Key_Left) << 2
                                               << QList<int>{30, -10, 0} << QList<int>{24, -4, 0};
        QTest::newRow("first line at the margin")
            << "FirstInd" << int(Qt::Key_Left) << 1 << QList<int>{0, 5, 0} << QList<int>{0, 5, 0};
        QTest::newRow("other lines right") << "LeftInd" << int(Qt::Key_Right) << 1
                                           << QList<int>{30, -10, 0} << QList<int>{30, -7, 0};
        QTest::newRow("right indent left") << "RightInd" << int(Qt::Key_Left) << 1
                                           << QList<int>{30, -10, 0} << QList<int>{30, -10, 3};
        QTest::newRow("right indent at the end")
            << "RightInd" << int(Qt::Key_Right) << 1 << QList<int>{30, -10, 0}
            << QList<int>{30, -10, 0};
    }

    void arrowKeysStepAMarker()
    {
        QFETCH(QString, marker);
        QFETCH(int, key);
        QFETCH(int, times);
        QFETCH(QList<int>, indents);
        QFETCH(QList<int>, written);
        Fixture f(indents, 559);
        auto *m = f.ruler.findChild<QWidget *>(marker);
        QCOMPARE(m->focusPolicy(), Qt::TabFocus);
        QVERIFY(!m->accessibleName().isEmpty());
        const int before = m->x();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(m, Qt::Key(key));
        QCOMPARE(f.paragraph(6), written);
        QCOMPARE(f.paragraph(0), indents);
        const int moved = written == indents ? 0 : (key == Qt::Key_Right ? 1 : -1);
        QCOMPARE(m->x() > before ? 1 : (m->x() < before ? -1 : 0), moved);
    }

    // The markers take the text colour of the ruler's palette: light on a
    // dark desktop.
    void markersAreDrawnInThePalettesColours()
    {
        Fixture f({0, 0, 0}, 559);
        QPalette dark = f.ruler.palette();
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
        f.ruler.setPalette(dark);
        const QImage marker = f.ruler.LeftInd->grab().toImage();
        int lightest = 0;
        for (int y = 0; y < marker.height(); ++y) {
            for (int x = 0; x < marker.width(); ++x)
                lightest = std::max(lightest, qGray(marker.pixel(x, y)));
        }
        QVERIFY2(lightest > 200, qPrintable(QString::number(lightest)));
    }

    void movingWithoutAButtonMovesNothing()
    {
        Fixture f({0, 0, 0}, 559);
        QTest::mouseMove(f.ruler.LeftInd, QPoint(40, 5));
        QCOMPARE(f.ruler.LeftInd->x(), 2);
    }

    // Bars stand a default tab stop apart: eight average character widths.
    void scaleBarsStandAtTheDefaultTabStops()
    {
        Fixture f({0, 0, 0}, 559);
        const QImage image = f.ruler.grab().toImage();
        QList<int> bars;
        for (int x = 20, y = 9; x < image.width() - 20; ++x) {
            if (qGray(image.pixel(x, y)) < 128 && qGray(image.pixel(x - 1, y)) >= 128)
                bars.append(x);
        }
        const int tab = 8 * f.ruler.fontMetrics().averageCharWidth();
        QVERIFY2(bars.size() >= 5, qPrintable(QString::number(bars.size())));
        for (int i = 1; i < bars.size(); ++i)
            QVERIFY(qAbs(bars[i] - bars[i - 1] - tab) <= 1);
    }
};

QTEST_MAIN(TestRuler)
#include "tst_ruler.moc"
