// Another program on the clipboard: takes it with the formats named on the
// command line (text, rtf, image) and keeps it while it runs. A line "clear"
// on its input empties the clipboard; the end of its input ends it.

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    auto *data = new QMimeData;
    for (const QString &format : app.arguments().mid(1)) {
        if (format == QLatin1String("text"))
            data->setText(QStringLiteral("from another program"));
        else if (format == QLatin1String("rtf"))
            data->setData(QStringLiteral("text/rtf"), "{\\rtf1 from another program}");
        else if (format == QLatin1String("image"))
            data->setImageData(QImage(4, 4, QImage::Format_RGB32));
    }
    QGuiApplication::clipboard()->setMimeData(data);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64];
        const ssize_t n = read(STDIN_FILENO, line, sizeof line);
        if (n <= 0)
            app.quit();
        else
            QGuiApplication::clipboard()->clear();
    });
    return app.exec();
}
