#include "shell/AppTitle.h"

#include <QCoreApplication>

void setApplicationTitle()
{
    QCoreApplication::setApplicationName(QStringLiteral("Scrivlet"));
}
