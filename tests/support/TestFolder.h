#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A folder of the test's own for the files a test writes and reads back.
struct TestFolder
{
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly))
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        f.write(bytes);
        return path(name);
    }

    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};
