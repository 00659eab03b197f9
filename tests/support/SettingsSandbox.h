#pragma once

#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Points the settings store at a file of the test's own while it lives, so
// that tests never touch the user's settings and can run side by side.
class SettingsSandbox
{
public:
    // A fresh store in a folder of its own, or the given file: a frame
    // started on it sees what an earlier one left.
    explicit SettingsSandbox(const QString &file = {})
        : m_file(file.isEmpty() ? m_dir.filePath(QStringLiteral("Brenmoor/Scrivlet.ini")) : file)
        , m_previous(SettingsStore::setLocation(m_file))
    {}
    ~SettingsSandbox() { SettingsStore::setLocation(m_previous); }

    SettingsSandbox(const SettingsSandbox &) = delete;
    SettingsSandbox &operator=(const SettingsSandbox &) = delete;

    const QString &file() const { return m_file; }

    // The store as a file holds it: for values the program itself would
    // never write, and to see exactly what it wrote.
    void writeRaw(const QByteArray &ini) const
    {
        QFile f(m_file);
        if (!QFileInfo(m_file).dir().mkpath(QStringLiteral(".")) ||
            !f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            QTest::qFail("cannot write the settings file", __FILE__, __LINE__);
        f.write(ini);
    }

    QByteArray raw() const
    {
        QFile f(m_file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A stored value as a fresh reader finds it; invalid when missing.
    QVariant value(const QString &key) const
    {
        return QSettings(freshCopy(), QSettings::IniFormat).value(key);
    }

    // A value of any kind, as QSettings writes it: for values the program
    // itself never writes.
    void setValue(const QString &key, const QVariant &value) const
    {
        const QString copy = freshCopy();
        QSettings(copy, QSettings::IniFormat).setValue(key, value);
        QFile f(copy);
        if (!f.open(QIODevice::ReadOnly))
            QTest::qFail("cannot read a copy of the settings", __FILE__, __LINE__);
        writeRaw(f.readAll());
    }

private:
    // QSettings trusts a file it has read before when its size and time
    // look unchanged: each look goes through a copy of a name of its own.
    QString freshCopy() const
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy%1.ini").arg(++m_copies));
        QFile f(copy);
        if (!f.open(QIODevice::WriteOnly))
            QTest::qFail("cannot copy the settings", __FILE__, __LINE__);
        f.write(raw());
        return copy;
    }

    QTemporaryDir m_dir;
    QString m_file;
    QString m_previous;
    mutable int m_copies = 0;
};
