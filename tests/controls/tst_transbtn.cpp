// The transparent button: its glyph strip, geometry, mouse states and
// transparency.

#include "controls/TransBtn.h"
#include "platform/text/WinColors.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using Btn = TTransparentButton;

namespace {

QImage strip(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

QRgb system(int index, const QPalette &palette)
{
    return wincolors::toColor(wincolors::kSystemColorFlag | quint32(index), palette).rgb();
}

} // namespace

class TestTransparentButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numGlyphsFollowsTheStrip_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("numGlyphs");
        QTest::addColumn<int>("imageWidth");
        QTest::newRow("64x16: four") << 1 << QSize(64, 16) << 4 << 16;
        QTest::newRow("80x16: five is too many") << 1 << QSize(80, 16) << 1 << 80;
        QTest::newRow("50x16: not a multiple") << 2 << QSize(50, 16) << 2 << 25;
        QTest::newRow("no glyph") << 3 << QSize(0, 0) << 3 << 0;
    }

    void numGlyphsFollowsTheStrip()
    {
        QFETCH(int, before);
        QFETCH(QSize, size);
        QFETCH(int, numGlyphs);
        QFETCH(int, imageWidth);
        Btn button;
        button.setNumGlyphs(before);
        button.setGlyph(size.isEmpty() ? QImage() : strip(size.width(), size.height()));
        QCOMPARE(button.numGlyphs(), numGlyphs);
        // The strip's images, then the grey and the disabled copy.
        QCOMPARE(button.images().size(), imageWidth ? numGlyphs + 2 : 0);
        for (const QImage &image : button.images())
            QCOMPARE(image.width(), imageWidth);
    }

    void grayCopy_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("gray");
        QTest::newRow("red") << QColor(255, 0, 0) << 76;
        QTest::newRow("blue") << QColor(0, 0, 255) << 28;
        QTest::newRow("mixed") << QColor(10, 20, 30) << 18;
    }

    void grayCopy()
    {
        QFETCH(QColor, color);
        QFETCH(int, gray);
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(color);
        QCOMPARE(transbtn::grayCopy(image).pixelColor(0, 0), QColor(gray, gray, gray));
    }

    void disabledCopyEmbossesWhatIsDrawn()
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::yellow); // the background, from the top-left pixel
        image.setPixelColor(1, 1, Qt::blue);
        image.setPixelColor(3, 1, Qt::white); // white counts as background
        const QPalette palette;
        const QImage out = transbtn::disabledCopy(image, palette);
        QCOMPARE(out.pixel(1, 1), system(16, palette)); // shadow in place
        QCOMPARE(out.pixel(2, 2), system(20, palette)); // highlight one off
        QCOMPARE(out.pixel(3, 1), system(15, palette)); // the face elsewhere
        QCOMPARE(out.pixel(0, 0), system(15, palette));
    }

    void geometry_data()
    {
        QTest::addColumn<Btn::TTextAlign>("align");
        QTest::addColumn<QPoint>("glyphAt");
        // -1: depends on the caption's measured size.
        QTest::addColumn<QPoint>("captionAt");
        QTest::newRow("bottom") << Btn::ttaBottom << QPoint(22, 2) << QPoint(-1, 20);
        QTest::newRow("left") << Btn::ttaLeft << QPoint(42, 22) << QPoint(2, -1);
        QTest::newRow("top left") << Btn::ttaTopLeft << QPoint(22, 42) << QPoint(2, -1);
    }

    void geometry()
    {
        QFETCH(Btn::TTextAlign, align);
        QFETCH(QPoint, glyphAt);
        QFETCH(QPoint, captionAt);
        Btn button;
        button.resize(60, 60);
        button.setGlyph(strip(16, 16));
        button.setCaption(QStringLiteral("Go"));
        button.setTextAlign(align);
        const QRect glyph = button.glyphRect();
        QCOMPARE(glyph, QRect(glyphAt, QSize(16, 16)));
        const QRect caption = button.captionRect(glyph);
        if (captionAt.x() >= 0)
            QCOMPARE(caption.left(), captionAt.x());
        if (captionAt.y() >= 0)
            QCOMPARE(caption.top(), captionAt.y());
        if (align == Btn::ttaTopLeft) // above the glyph, Spacing apart
            QCOMPARE(caption.bottom() + 1, glyph.top() - 2);
    }

    void imageShown_data()
    {
        QTest::addColumn<int>("numGlyphs");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("index");
        QTest::newRow("mouse away: grey") << 1 << true << false << false << 1;
        QTest::newRow("mouse over: colour") << 1 << true << true << false << 0;
        QTest::newRow("disabled: embossed") << 1 << false << false << false << 2;
        QTest::newRow("down: pressed image") << 3 << true << false << true << 2;
    }

    void imageShown()
    {
        QFETCH(int, numGlyphs);
        QFETCH(bool, enabled);
        QFETCH(bool, inside);
        QFETCH(bool, down);
        QFETCH(int, index);
        Btn button;
        button.setGlyph(strip(16 * numGlyphs, 16));
        button.setDown(down);
        if (inside) {
            QEnterEvent enter({1, 1}, {1, 1}, {1, 1});
            QCoreApplication::sendEvent(&button, &enter);
        }
        button.setEnabled(enabled);
        QCOMPARE(button.imageIndex(), index);
    }

    void mouse_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<bool>("pressedAfter");
        QTest::addColumn<int>("clicks");
        QTest::newRow("click") << false << Qt::LeftButton << QPoint(20, 10) << false << 1;
        QTest::newRow("released outside")
            << false << Qt::LeftButton << QPoint(90, 10) << false << 0;
        QTest::newRow("right button") << false << Qt::RightButton << QPoint(20, 10) << false << 0;
        QTest::newRow("down stays down") << true << Qt::LeftButton << QPoint(20, 10) << true << 1;
    }

    void mouse()
    {
        QFETCH(bool, down);
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(QPoint, releaseAt);
        QFETCH(bool, pressedAfter);
        QFETCH(int, clicks);
        QWidget parent;
        parent.resize(100, 40);
        auto *button = new Btn(&parent);
        button->setCaption(QStringLiteral("Go"));
        button->setDown(down);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QSignalSpy clicked(button, &Btn::clicked);
        const QRect captionUp = button->captionRect(button->glyphRect());

        QTest::mousePress(button, mouseButton, {}, {20, 10});
        QVERIFY(button->isPressed());
        // Pressed, the caption moves Offset right and down.
        QCOMPARE(button->captionRect(button->glyphRect()).topLeft(),
                 captionUp.topLeft() + QPoint(down ? 0 : 1, down ? 0 : 1));
        QTest::mouseMove(button, releaseAt);
        // Leaving while held shows the button released at once.
        QCOMPARE(button->isPressed(), button->rect().contains(releaseAt));
        QTest::mouseRelease(button, mouseButton, {}, releaseAt);
        QCOMPARE(button->isPressed(), pressedAfter);
        QCOMPARE(clicked.size(), clicks);
    }

    void dropDownMenuOpensUnderTheButton()
    {
        QWidget parent;
        parent.resize(100, 60);
        auto *button = new Btn(&parent);
        QMenu menu;
        menu.addAction(QStringLiteral("One"));
        button->setDropDownMenu(&menu);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QSignalSpy clicked(button, &Btn::clicked);
        QPoint shownAt;
        connect(&menu, &QMenu::aboutToShow, &menu, [&] {
            QTimer::singleShot(0, &menu, [&] {
                shownAt = menu.pos();
                menu.close();
            });
        });
        QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
        QCOMPARE(shownAt, button->mapToGlobal(QPoint(0, button->height())));
        QVERIFY(!button->isPressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
        QCOMPARE(clicked.size(), 0);
    }

    void theParentShowsThrough_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<QColor>("seen");
        QTest::newRow("transparent") << true << QColor(Qt::red);
        QTest::newRow("opaque") << false << QColor(Qt::blue);
    }

    void theParentShowsThrough()
    {
        QFETCH(bool, transparent);
        QFETCH(QColor, seen);
        QWidget parent;
        parent.resize(80, 80);
        QPalette red = parent.palette();
        red.setColor(QPalette::Window, Qt::red);
        parent.setPalette(red);
        parent.setAutoFillBackground(true);
        auto *button = new Btn(&parent);
        button->setGeometry(10, 10, 60, 60);
        QPalette green = button->palette(); // what a background of its own would show
        green.setColor(QPalette::Window, Qt::green);
        button->setPalette(green);
        button->setFlat(false);
        button->setFrameStyle(Btn::fsRegular);
        button->setColor(Qt::blue);
        button->setTransparent(transparent);
        const QImage shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(40, 40), seen);
        // The frame is drawn either way: its top-left line in the highlight.
        QCOMPARE(shot.pixel(10, 10), system(20, button->palette()));
    }
};

QTEST_MAIN(TestTransparentButton)
#include "tst_transbtn.moc"
