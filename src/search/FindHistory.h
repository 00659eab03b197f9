#pragma once

#include <QString>

class QComboBox;
class SettingsStore;

// The search and replacement histories of the Find & Replace dialog: each is
// the item list of its combo box, newest first, without two equal entries.
namespace findhistory {

// The most entries a history keeps.
constexpr int kSize = 30;

// Where a history lives in the settings store: its section, the value that
// holds its count, and the stem of its entries' names ("FindItem" gives
// "FindItem0", "FindItem1", ...).
struct Names
{
    QString section;
    QString count;
    QString stem;
};

const Names &findNames();
const Names &replaceNames();

// Takes the box's text into its history: an entry equal to it (compared
// exactly) moves to the top, a new text goes in at the top and, when the
// history is full, the oldest entry makes room. An empty text is not kept.
void remember(QComboBox &box);

// Appends the stored entries to the box's list. A stored count beyond the
// history's size reads only the first kSize entries.
void load(QComboBox &box, SettingsStore &store, const Names &names);
// Writes the count and every entry; longer lists stored before keep their
// tail, which the count leaves unread.
void save(const QComboBox &box, SettingsStore &store, const Names &names);

} // namespace findhistory
