#include "platform/system/FileNames.h"

namespace filenames {

QString fileNamePart(const QString &path)
{
#ifdef Q_OS_WIN
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':')));
#else
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#endif
    return path.mid(cut + 1);
}

QString extension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool hasExtension(const QString &path, const char *ext)
{
    return extension(path).compare(QLatin1Char('.') + QLatin1String(ext), Qt::CaseInsensitive) == 0;
}

QStringList localFiles(const QList<QUrl> &urls)
{
    QStringList paths;
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace filenames
