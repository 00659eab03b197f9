#include "shell/MDIFrame.h"

#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivlet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Scrivlet"));

    TFrameForm frame;
    // The end of the desktop session closes the program as Exit does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frame,
                     [&frame](QSessionManager &manager) {
                         if (!frame.QueryEndSession())
                             manager.cancel();
                     });
    frame.show();

    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && QFileInfo(args.at(1)).isFile()) {
        frame.showDocumentView();
        frame.PerformFileOpen(QFileInfo(args.at(1)).absoluteFilePath());
    }
    return app.exec();
}
