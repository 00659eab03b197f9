#pragma once

#include <QProcess>
#include <QString>

// Sets the keyboard layouts of the virtual X server the test runs on, for
// example "us,ru": the first is group 0, the next group 1.
inline bool setXkbLayouts(const QString &layouts)
{
    QProcess process;
    process.start(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), layouts});
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
