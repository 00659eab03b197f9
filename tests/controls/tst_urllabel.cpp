// The URL label: what a click hands to the desktop's opener (a stand-in
// first on the path writes it down).

#include "controls/URLLabel.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestUrlLabel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;

    QStringList opened() const
    {
        QFile f(m_bin.filePath(QStringLiteral("opened")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n')
                                           : QStringList();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QFile opener(m_bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/opened\"\n");
        opener.close();
        QVERIFY(opener.setPermissions(opener.permissions() | QFile::ExeOwner));
        qputenv("PATH", m_bin.path().toUtf8() + ':' + qgetenv("PATH"));
    }

    void clickOpensTheAddress_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("opens"); // empty: the opener does not run
        QTest::newRow("web page") << "https://example.org/a?b=c d"
                                  << "https://example.org/a?b=c%20d";
        QTest::newRow("mail") << "mailto:someone@example.org"
                              << "mailto:someone@example.org";
        QTest::newRow("no address") << ""
                                    << "";
    }

    void clickOpensTheAddress()
    {
        QFETCH(QString, url);
        QFETCH(QString, opens);
        QFile::remove(m_bin.filePath(QStringLiteral("opened")));
        TURLLabel label;
        label.setText(QStringLiteral("link"));
        label.show();
        QSignalSpy clicked(&label, &TURLLabel::clicked);
        // A last address that is sure to arrive marks the end.
        const QString last = QStringLiteral("https://example.org/last");
        for (const QString &address : {url, last}) {
            label.setUrl(address);
            QTest::mouseClick(&label, Qt::LeftButton);
        }
        QCOMPARE(clicked.count(), 2);
        QTRY_VERIFY(opened().contains(last));
        QCOMPARE(opened(), (opens.isEmpty() ? QStringList() : QStringList{opens}) << last << "");
    }
};

QTEST_MAIN(TestUrlLabel)
#include "tst_urllabel.moc"
