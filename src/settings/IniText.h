#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

// The text of the settings file, in the INI dialect that QSettings reads
// and writes: the one earlier versions of the program wrote and people
// edit by hand. Values are found through an index of the lines. A change
// replaces the text of one value, or adds a line; every other byte stays
// as it was, so that the work is a copy of the text and nothing more.
class IniText
{
public:
    using Changes = std::vector<std::pair<QString, QVariant>>;

    explicit IniText(QByteArray text = {});

    // A section header without its closing bracket.
    bool isDamaged() const;

    // The value of a key ("Section/Name", or "Name" in the main key): a
    // QString, a QStringList (text with commas outside quotes), a
    // QByteArray, or an invalid QVariant for a value of another kind.
    // Nothing when the key is missing.
    std::optional<QVariant> value(const QString &key) const;

    // The text with the keys set to the values, strings or byte arrays.
    QByteArray changed(const Changes &changes) const;

private:
    struct Span
    {
        qsizetype start;
        qsizetype end;
    };

    // Made when it is first needed: a text written at the end of a visit
    // is seldom read again.
    void index() const;

    QByteArray m_text;
    mutable bool m_indexed = false;
    mutable bool m_damaged = false;
    mutable QHash<QString, Span> m_values;
    // Where a new key of a section goes: after its last line.
    mutable QHash<QString, qsizetype> m_sectionEnds;
};
