#pragma once

#include <QList>
#include <QString>

class SettingsStore;

// The documents open at exit, kept for the next start when the user asks
// for it (Options > General): each document's file and where its caret
// stood, in the tab row's order. They live in a section of the program's
// own, beside the design's.
namespace session {

struct Document
{
    QString path;
    int caret = 0; // a text-view position

    bool operator==(const Document &) const = default;
};

QList<Document> load(SettingsStore &store);
void save(SettingsStore &store, const QList<Document> &documents);

} // namespace session
