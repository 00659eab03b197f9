#include "search/FindHistory.h"

#include "settings/SettingsNames.h"
#include "settings/SettingsStore.h"

#include <QComboBox>

#include <algorithm>

namespace findhistory {

const Names &findNames()
{
    static const Names names{settingsnames::FindItems, settingsnames::FindItemsCount,
                             QStringLiteral("FindItem")};
    return names;
}

const Names &replaceNames()
{
    static const Names names{settingsnames::ReplaceItems, settingsnames::ReplaceItemsCount,
                             QStringLiteral("ReplaceItem")};
    return names;
}

void remember(QComboBox &box)
{
    const QString text = box.currentText();
    if (text.isEmpty())
        return;
    const int at = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at == 0)
        return;
    if (at > 0)
        box.removeItem(at);
    else if (box.count() >= kSize)
        box.removeItem(box.count() - 1);
    box.insertItem(0, text);
    // Changing the list may have changed the current item, and with it the
    // text in the box.
    box.setEditText(text);
}

void load(QComboBox &box, SettingsStore &store, const Names &names)
{
    // A count written by hand must not make the dialog read on for ever.
    const int count = std::min(store.readInteger(names.section, names.count, 0), kSize);
    for (int i = 0; i < count; ++i)
        box.addItem(store.readString(names.section, settingsnames::item(i, names.stem), QString()));
}

void save(const QComboBox &box, SettingsStore &store, const Names &names)
{
    store.writeInteger(names.section, names.count, box.count());
    for (int i = 0; i < box.count(); ++i)
        store.writeString(names.section, settingsnames::item(i, names.stem), box.itemText(i));
}

} // namespace findhistory
