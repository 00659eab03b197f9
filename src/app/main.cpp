#include "platform/TRichEdit.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivlet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Scrivlet"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Scrivlet"));
    auto *editor = new TRichEdit(&window);
    editor->setTextLimit(0xFFFFFF);
    editor->setHideSelection(false);
    window.setCentralWidget(editor);
    window.resize(720, 480);

    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && QFileInfo(args.at(1)).isFile()) {
        try {
            editor->loadFromFile(args.at(1));
        } catch (const std::exception &e) {
            qWarning("%s", e.what());
        }
    }
    window.show();
    return app.exec();
}
