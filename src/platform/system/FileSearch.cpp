#include "platform/system/FileSearch.h"

#include <QDir>
#include <QFileInfo>

namespace filesearch {
namespace {

// Deepest folder level whose components are rebuilt.
constexpr int kMaxDepth = 8;

} // namespace

QString storedName(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (name.isEmpty() || !dir.exists())
        return {};
    if (QFileInfo::exists(dir.filePath(name))) {
        // On a case-insensitive file system the exact name matches too:
        // the listing has the stored spelling.
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (entries.contains(name))
            return name;
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return entry;
        }
        return name;
    }
    return {};
}

QString longPathName(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute.startsWith(QLatin1String("//")))
        return absolute; // a network share
    QString rest = absolute;
    QString root = QStringLiteral("/");
    if (rest.size() >= 2 && rest.at(1) == QLatin1Char(':')) // a drive letter
        root = rest.left(3);
    rest = rest.mid(root.size());
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() - 1 > kMaxDepth)
        return absolute;
    QString folder = root;
    QStringList stored;
    for (const QString &part : parts) {
        const QString name = storedName(folder, part);
        if (name.isEmpty())
            return absolute;
        stored << name;
        folder = QDir(folder).filePath(name);
    }
    return root + stored.join(QLatin1Char('/'));
}

} // namespace filesearch
