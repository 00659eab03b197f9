#include "shell/Session.h"

#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <algorithm>

using namespace settingsnames;

namespace session {

QList<Document> load(SettingsStore &store)
{
    QList<Document> documents;
    const int count = std::max(0, store.readInteger(Session, DocumentCount, 0));
    for (int n = 0; n < count; ++n) {
        const QString path = store.readString(Session, item(n), QString());
        if (!path.isEmpty())
            documents.append({path, std::max(0, store.readInteger(Session, item(n, Caret), 0))});
    }
    return documents;
}

// Entries beyond the count, left by a longer list before, are never read.
void save(SettingsStore &store, const QList<Document> &documents)
{
    store.writeInteger(Session, DocumentCount, int(documents.size()));
    for (int n = 0; n < documents.size(); ++n) {
        store.writeString(Session, item(n), documents[n].path);
        store.writeInteger(Session, item(n, Caret), documents[n].caret);
    }
}

} // namespace session
