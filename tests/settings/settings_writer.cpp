// Another copy of the program at work on the settings store: it rewrites
// one section round after round, every value of a round holding the
// round's number, so that a reader who sees the section whole sees one
// number throughout.
//
//     settings_writer <store file> <section> <rounds>

#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    SettingsStore::setLocation(args[1]);
    const QString section = args[2];
    const int rounds = args[3].toInt();
    try {
        for (int round = 1; round <= rounds; ++round) {
            SettingsStore store;
            for (int v = 0; v < 20; ++v)
                store.writeInteger(section, QStringLiteral("Value%1").arg(v), round);
            store.close();
        }
    } catch (const SettingsError &) {
        return 1;
    }
    return 0;
}
