#include "controls/AppIcon.h"
#include "shell/AppTitle.h"
#include "shell/MDIFrame.h"
#include "shell/Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>
#include <QSessionManager>

#include <cstdio>
#include <memory>

namespace {

// --help and --version are answered without a display, in a terminal that
// has none: they need no more than a core application. After "--" come
// file names only ("scrivlet -- --help" opens a file named "--help").
bool asksOnlyForInformation(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (arg == "--")
            return false;
        if (arg == "-h" || arg == "-?" || arg == "--help" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (asksOnlyForInformation(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
}

void setUp(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "A text and RTF editor for Russian and English"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "The files to open"),
                                 QStringLiteral("[file...]"));
}

// The program opens every file named; one that is not there is said so,
// and the program starts as it would without it.
void reportIfNoFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return;
    const QString reason = info.exists() ? QCoreApplication::translate("main", "%1: not a file")
                                         : QCoreApplication::translate("main", "%1: no such file");
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName().toLower()),
                 qPrintable(reason.arg(path)));
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    setApplicationTitle();
    // Before anything shows a text, --help and the messages in the terminal
    // included.
    translations::install(QLocale::system());
    QCoreApplication::setApplicationVersion(QStringLiteral(SCRIVLET_VERSION));
    QCommandLineParser parser;
    setUp(parser);
    parser.process(*app); // --help, --version and unknown options end here

    const QStringList files = parser.positionalArguments();
    for (const QString &file : files)
        reportIfNoFile(file);
    QGuiApplication::setDesktopFileName(QStringLiteral("scrivlet"));
    QApplication::setWindowIcon(appicon::icon());

    TFrameForm frame({QStringList{QCoreApplication::applicationFilePath()} + files, true});
    switch (frame.copyStart()) {
    case CopyStart::OnlyCopy:
    case CopyStart::SecondCopy:
        break;
    case CopyStart::HandedOver: // the running copy came forward and takes the file
    case CopyStart::NotWanted:
        return 0;
    case CopyStart::Refused:
        return 1;
    }
    // The end of the desktop session closes the program as Exit does.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &frame,
                     [&frame](QSessionManager &manager) {
                         if (!frame.QueryEndSession())
                             manager.cancel();
                     });
    QObject::connect(&frame, &TFrameForm::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frame.show();
    return QCoreApplication::exec();
}
