#include "platform/system/FileSearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFileSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathsKeepTheirStoredSpelling()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("Docs/Sub"));
        QFile f(dir.filePath(QStringLiteral("Docs/Sub/Notes.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString full = dir.filePath(QStringLiteral("Docs/Sub/Notes.txt"));
        QCOMPARE(filesearch::longPathName(full), full);
        QCOMPARE(filesearch::storedName(dir.filePath(QStringLiteral("Docs")), QStringLiteral("Sub")),
                 QStringLiteral("Sub"));
        QCOMPARE(filesearch::storedName(dir.path(), QStringLiteral("nothing")), QString());
    }

    void whatCannotBeRebuiltIsOpenedAsGivenMadeAbsolute()
    {
        QTemporaryDir dir;
        QString deep = dir.path();
        for (int i = 0; i < 10; ++i)
            deep += QStringLiteral("/d%1").arg(i);
        QDir().mkpath(deep);
        const QString file = deep + QStringLiteral("/f.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(filesearch::longPathName(file), file); // more than eight folders deep

        const QString missing = dir.filePath(QStringLiteral("gone/x.txt"));
        QCOMPARE(filesearch::longPathName(missing), missing);

        QVERIFY(QDir::setCurrent(dir.path()));
        QCOMPARE(filesearch::longPathName(QStringLiteral("rel.txt")),
                 QDir(dir.path()).absoluteFilePath(QStringLiteral("rel.txt")));
    }
};

QTEST_APPLESS_MAIN(TestFileSearch)
#include "tst_filesearch.moc"
