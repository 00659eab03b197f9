#pragma once

#include <QString>

// File names as the file system stores them.
namespace filesearch {

// The entry of a folder that names the file: its spelling when the name
// matches exactly, else the stored spelling of an entry that matches
// without regard to case, as a case-insensitive file system would find it.
// Empty when the folder has no such entry.
QString storedName(const QString &folder, const QString &name);

// The path with every component spelled as stored, from the root down;
// the path as given, made absolute, when it lies more than eight folders
// deep, on a network share, or when a component cannot be found.
QString longPathName(const QString &path);

} // namespace filesearch
