#include "settings/SettingsStore.h"

#include "platform/system/FileIO.h"
#include "settings/IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <limits>

namespace {

// How long a write waits for another copy to finish its own.
constexpr int kLockWaitMs = 10000;

QString &customLocation()
{
    static QString location;
    return location;
}

#ifdef Q_OS_WIN
constexpr bool kRegistry = true;
#else
constexpr bool kRegistry = false;
#endif

std::unique_ptr<QSettings> userRegistry()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Brenmoor"), QStringLiteral("Scrivlet"));
}

// The INI file of the store, where QSettings keeps a user's settings of
// organisation "Brenmoor", application "Scrivlet"; empty when the store is
// the registry. Not asked of a QSettings, which would read the file (and
// wait for ever on a FIFO in its place).
QString storeFile()
{
    if (!customLocation().isEmpty())
        return customLocation();
    if (kRegistry)
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brenmoor/Scrivlet.ini");
}

// The store's text as it is on the disk now; a store not made yet is
// empty.
std::unique_ptr<IniText> readStore(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::make_unique<IniText>();
    auto text = std::make_unique<IniText>([&path] {
        try {
            return fileio::read(path);
        } catch (const FileError &e) {
            throw SettingsError("the settings store cannot be read: " + e.message().toStdString());
        }
    }());
    if (text->isDamaged())
        throw SettingsError("the settings store is damaged: " + path.toStdString());
    return text;
}

// QLockFile does not say why it could not make its file: making one the
// same way does ("No space left on device").
std::string whyNoLock(const QLockFile &lock, const QString &path)
{
    if (lock.error() == QLockFile::LockFailedError)
        return "the settings store stays locked: " + path.toStdString();
    QFile probe(path);
    QString reason;
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        reason = probe.errorString();
    } else {
        if (probe.write("0\n") != 2 || !probe.flush())
            reason = probe.errorString();
        probe.close();
        QFile::remove(path);
    }
    return "the settings store cannot be locked: " + path.toStdString() + ": " +
           reason.toStdString();
}

void checkStatus(QSettings::Status status, const QString &file)
{
    switch (status) {
    case QSettings::NoError:
        return;
    case QSettings::FormatError:
        throw SettingsError("the settings store is damaged: " + file.toStdString());
    case QSettings::AccessError:
        break;
    }
    throw SettingsError("the settings store cannot be used: " + file.toStdString());
}

int digitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return 99;
}

// Hexadecimal digits as an unsigned 32-bit pattern: "0xFFFFFFFF" is -1.
std::optional<int> parseHex(QStringView digits)
{
    quint64 value = 0;
    for (const QChar c : digits) {
        const int d = digitValue(c);
        if (d > 15)
            return std::nullopt;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return int(quint32(value));
}

std::optional<int> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        const int d = digitValue(c);
        if (d > 9)
            return std::nullopt;
        value = value * 10 + d;
        if (value > qint64(1) << 31)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

} // namespace

namespace settingsvalue {

std::optional<int> parseInteger(const QString &text)
{
    if (text.size() > 2 &&
        (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        return parseHex(QStringView(text).mid(2));
    return parseDecimal(text);
}

} // namespace settingsvalue

SettingsStore::SettingsStore()
    : m_file(storeFile())
{
    if (!m_file.isEmpty()) {
        m_text = readStore(m_file);
        return;
    }
    m_registry = userRegistry();
    checkStatus(m_registry->status(), m_registry->fileName());
}

SettingsStore::~SettingsStore()
{
    // What was written before a failure stays written.
    try {
        close();
    } catch (...) {
    }
}

QString SettingsStore::setLocation(const QString &iniFile)
{
    return std::exchange(customLocation(), iniFile);
}

QString SettingsStore::location()
{
    const QString file = storeFile();
    return file.isEmpty() ? userRegistry()->fileName() : file;
}

QString SettingsStore::key(const QString &section, const QString &name) const
{
    return section.isEmpty() ? name : section + QLatin1Char('/') + name;
}

std::optional<QVariant> SettingsStore::value(const QString &key) const
{
    const auto changed = std::find_if(m_changes.rbegin(), m_changes.rend(),
                                      [&key](const auto &change) { return change.first == key; });
    if (changed != m_changes.rend())
        return changed->second;
    return storedValue(key);
}

std::optional<QVariant> SettingsStore::storedValue(const QString &key) const
{
    if (m_text)
        return m_text->value(key);
    if (!m_registry->contains(key))
        return std::nullopt;
    return m_registry->value(key);
}

std::optional<QString> SettingsStore::readText(const QString &section, const QString &name)
{
    const QString k = key(section, name);
    const std::optional<QVariant> v = value(k);
    if (!v)
        return std::nullopt;
    switch (v->typeId()) {
    case QMetaType::QString:
        return v->toString();
    case QMetaType::QStringList:
        // Text with commas that nobody quoted, as an edited file may hold.
        return v->toStringList().join(QLatin1String(", "));
    default:
        throw SettingsError("the settings value " + k.toStdString() + " is not text");
    }
}

QString SettingsStore::readString(const QString &section, const QString &name, const QString &def)
{
    return readText(section, name).value_or(def);
}

int SettingsStore::readInteger(const QString &section, const QString &name, int def)
{
    const std::optional<QString> text = readText(section, name);
    if (!text)
        return def;
    return settingsvalue::parseInteger(*text).value_or(def);
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool def)
{
    return readInteger(section, name, def ? 1 : 0) != 0;
}

QByteArray SettingsStore::readBinaryData(const QString &section, const QString &name,
                                         int bufferSize)
{
    const QString k = key(section, name);
    const std::optional<QVariant> v = value(k);
    if (!v)
        return {};
    if (v->typeId() != QMetaType::QByteArray)
        throw SettingsError("the settings value " + k.toStdString() + " is not binary");
    QByteArray bytes = v->toByteArray();
    if (bytes.size() > bufferSize)
        throw SettingsError("the settings value " + k.toStdString() + " is too long");
    return bytes;
}

void SettingsStore::write(const QString &key, const QVariant &value)
{
    if (m_registry)
        m_registry->setValue(key, value);
    else
        m_changes.emplace_back(key, value);
}

void SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    write(key(section, name), value);
}

void SettingsStore::writeInteger(const QString &section, const QString &name, int value)
{
    writeString(section, name, QString::number(value));
}

void SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    writeString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::writeBinaryData(const QString &section, const QString &name,
                                    const QByteArray &value)
{
    write(key(section, name), value);
}

void SettingsStore::close()
{
    if (m_registry) {
        m_registry->sync();
        checkStatus(m_registry->status(), m_registry->fileName());
        return;
    }
    // A value written as this visit found it is no change.
    std::erase_if(m_changes, [this](const auto &change) {
        return storedValue(change.first) == change.second;
    });
    if (m_changes.empty())
        return;
    // Tried once: changes that failed are not tried again when the visit ends.
    const auto forget = qScopeGuard([this] { m_changes.clear(); });
    commit();
}

// Another copy may have written since this visit began: under the lock
// that every copy takes, the changes go into the store as it is now, and
// the new text replaces the file in one step, or not at all.
void SettingsStore::commit()
{
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath()))
        throw SettingsError("the settings folder cannot be made: " + m_file.toStdString());
    const QString lockPath = m_file + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    if (!lock.tryLock(kLockWaitMs))
        throw SettingsError(whyNoLock(lock, lockPath));
    QByteArray text = readStore(m_file)->changed(m_changes);
    try {
        fileio::write(m_file, text);
    } catch (const FileError &e) {
        throw SettingsError("the settings store cannot be written: " + e.message().toStdString());
    }
    m_text = std::make_unique<IniText>(std::move(text));
}
