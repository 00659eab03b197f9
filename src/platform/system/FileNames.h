#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Parts of a path as the program shows and tests them.
namespace filenames {

// Everything after the last separator of the platform ("/" here; "\" or
// ":" on Windows): the name a tab or a menu entry shows.
QString fileNamePart(const QString &path);

// The extension from the last dot of the file-name part on (".txt"), or an
// empty string when the name has no dot.
QString extension(const QString &path);

// Whether the extension is `ext` ("rtf", say) in any letter case.
bool hasExtension(const QString &path, const char *ext);

// The local files among addresses (a drag's text/uri-list, say), as paths
// in the order given; web and other addresses are left out.
QStringList localFiles(const QList<QUrl> &urls);

} // namespace filenames
