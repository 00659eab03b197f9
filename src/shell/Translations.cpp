#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace translations {
namespace {

bool installFrom(const QLocale &locale, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

bool install(const QLocale &locale)
{
    installFrom(locale, QStringLiteral("qtbase"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Built from translations/ and embedded, so that the program needs no
    // files beside it.
    return installFrom(locale, QStringLiteral("scrivlet"), QStringLiteral(":/i18n"));
}

} // namespace translations
