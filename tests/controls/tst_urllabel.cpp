// The URL label: what a click hands to the desktop's opener, and the font
// swap while the mouse is over it.

#include "controls/URLLabel.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void click(TURLLabel &label)
{
    QTest::mouseClick(&label, Qt::LeftButton, {}, label.rect().center());
}

} // namespace

class TestUrlLabel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;

    QString record() const { return m_bin.filePath(QStringLiteral("opened")); }

    QStringList opened() const
    {
        QFile f(record());
        return f.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                   : QStringList();
    }

private Q_SLOTS:
    // A stand-in for the desktop's opener, first on the path, writes down
    // what it was asked to open.
    void initTestCase()
    {
        const QString opener = m_bin.filePath(QStringLiteral("xdg-open"));
        QFile script(opener);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + record().toUtf8() + "'\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        qputenv("PATH", m_bin.path().toUtf8() + ':' + qgetenv("PATH"));
    }

    void clickOpensTheAddress_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("opens");
        QTest::newRow("web page") << "https://example.org/a?b=c d"
                                  << QStringList{"https://example.org/a?b=c%20d"};
        QTest::newRow("mail") << "mailto:someone@example.org"
                              << QStringList{"mailto:someone@example.org"};
        QTest::newRow("no address") << "" << QStringList{};
    }

    void clickOpensTheAddress()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, opens);
        QFile::remove(record());
        TURLLabel label;
        label.setText(QStringLiteral("link"));
        label.setUrl(url);
        label.show();
        QSignalSpy clicked(&label, &TURLLabel::clicked);
        click(label);
        QCOMPARE(clicked.count(), 1);
        // A second label whose address is sure to arrive marks the end.
        const QString last = QStringLiteral("https://example.org/last");
        label.setUrl(last);
        click(label);
        QTRY_COMPARE(opened().value(opens.size()), last);
        QCOMPARE(opened(), opens << last);
    }

    void hoverShowsTheHiFont_data()
    {
        QTest::addColumn<bool>("aboutBoxFonts"); // else a label made in code
        QTest::addColumn<QColor>("hot");
        QTest::newRow("made in code: navy, underlined") << false << QColor(0x00, 0x00, 0x80);
        QTest::newRow("smaller, lime, underlined") << true << QColor(0x00, 0xFF, 0x00);
    }

    void hoverShowsTheHiFont()
    {
        QFETCH(bool, aboutBoxFonts);
        QFETCH(QColor, hot);
        TURLLabel label;
        label.setText(QStringLiteral("https://example.org/"));
        if (aboutBoxFonts) {
            QFont own = label.font();
            own.setPixelSize(15);
            label.setFont(own);
            QFont small = own;
            small.setPixelSize(11);
            small.setUnderline(true);
            label.setHiFont({small, hot});
        }
        label.adjustSize();
        const QFont own = label.font();
        const QSize ownSize = label.size();

        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&label, &enter);
        QCOMPARE(label.shownFont().color, hot);
        QVERIFY(label.font().underline());
        if (aboutBoxFonts)
            QVERIFY(label.width() < ownSize.width()); // the label shrinks with its text

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        QCOMPARE(label.font(), own);
        QVERIFY(label.shownFont().color != hot);
        QCOMPARE(label.size(), ownSize);
    }
};

QTEST_MAIN(TestUrlLabel)
#include "tst_urllabel.moc"
