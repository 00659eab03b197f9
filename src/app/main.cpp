#include "controls/AppIcon.h"
#include "shell/AppTitle.h"
#include "shell/MDIFrame.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setApplicationTitle();
    QApplication::setWindowIcon(appicon::icon());

    TFrameForm frame({QApplication::arguments(), true});
    if (frame.anotherCopyRuns())
        return 0; // the running copy came forward and takes the file
    // The end of the desktop session closes the program as Exit does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frame,
                     [&frame](QSessionManager &manager) {
                         if (!frame.QueryEndSession())
                             manager.cancel();
                     });
    QObject::connect(&frame, &TFrameForm::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frame.show();
    return app.exec();
}
