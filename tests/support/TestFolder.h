#pragma once

#include "FileBytes.h"

#include <QByteArray>
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
        if (!testfiles::writeAll(path(name), bytes))
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        return path(name);
    }

    QByteArray read(const QString &name) const { return testfiles::readAll(path(name)); }
};
