#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

class IniText;
class QSettings;

// A read or write of the settings store that failed: a value of the wrong
// kind, a store that cannot be read, or changes that could not be written.
class SettingsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The settings store, used the way an INI file is: values live in sections,
// and a few directly in the main key (an empty section). Strings, integers
// and booleans are kept as text, font records as binary values.
//
// One object is one visit to the store: it opens the store when it is made
// and closes it with close() (or, without reporting, when it goes away).
// Nothing keeps the store open between visits. Each visit reads the store
// as it is on disk at that moment, and writes, at its close, only the
// values it changed into the store as it is then: atomically and locked
// against other copies of the program, so that a rewrite by another copy
// is seen whole or not at all and changes to different values by two
// copies are both kept. A value written as it already was is no change.
// The store is a regular file, like a document: anything else in its
// place is refused without waiting for it.
class SettingsStore
{
public:
    // Opens the store. Throws SettingsError when it exists but cannot be read.
    SettingsStore();
    ~SettingsStore();

    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // Reading: a missing value gives the default. A value of another kind
    // (binary where text is expected, or the other way round) throws
    // SettingsError.
    QString readString(const QString &section, const QString &name, const QString &def);
    // Text beginning with "0x" or "0X" and longer than that is hexadecimal,
    // other text decimal; text that is no 32-bit number gives the default.
    int readInteger(const QString &section, const QString &name, int def);
    // Read as an integer: any number but 0 is true.
    bool readBool(const QString &section, const QString &name, bool def);
    // A binary value, empty when missing; one longer than bufferSize throws.
    QByteArray readBinaryData(const QString &section, const QString &name, int bufferSize);

    void writeString(const QString &section, const QString &name, const QString &value);
    void writeInteger(const QString &section, const QString &name, int value);
    void writeBool(const QString &section, const QString &name, bool value);
    void writeBinaryData(const QString &section, const QString &name, const QByteArray &value);

    // Writes what was changed; throws SettingsError when it could not be.
    void close();

    // Where the store lives. An empty location means the user's own:
    // organisation "Brenmoor", application "Scrivlet" (an INI file under
    // the user's configuration folder; the registry on Windows). A test
    // points it at a file of its own. Returns the location set before.
    static QString setLocation(const QString &iniFile);
    static QString location();

private:
    QString key(const QString &section, const QString &name) const;
    // The value as this visit sees it: its own changes first.
    std::optional<QVariant> value(const QString &key) const;
    std::optional<QVariant> storedValue(const QString &key) const;
    std::optional<QString> readText(const QString &section, const QString &name);
    void write(const QString &key, const QVariant &value);
    // Writes the changes into the store file as it is now.
    void commit();

    QString m_file;                  // the INI file; empty for the Windows registry
    std::unique_ptr<IniText> m_text; // the file as this visit read it
    std::unique_ptr<QSettings> m_registry;
    std::vector<std::pair<QString, QVariant>> m_changes;
};

namespace settingsvalue {

// The integer a stored text stands for, by the store's reading rules.
std::optional<int> parseInteger(const QString &text);

} // namespace settingsvalue
