// Plays a file manager beside the editor: when the mouse is pressed in its
// window it drags the files named on its command line, in that order, to
// wherever the mouse is let go, as addresses and as text. It says "ready" once its window is on
// screen, "dragging" as the drag starts and, when the drag ends, "dropped"
// or "refused". It stays to hand the files over until its input ends.

#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QRasterWindow>
#include <QSocketNotifier>
#include <QUrl>

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {

void say(const char *line)
{
    std::puts(line);
    std::fflush(stdout);
}

class Source : public QRasterWindow
{
public:
    explicit Source(QList<QUrl> files)
        : m_files(std::move(files))
    {}

protected:
    void exposeEvent(QExposeEvent *event) override
    {
        QRasterWindow::exposeEvent(event);
        if (isExposed() && !std::exchange(m_shown, true))
            say("ready");
    }

    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        data->setUrls(m_files);
        // File managers offer the addresses as text too.
        QStringList text;
        for (const QUrl &file : std::as_const(m_files))
            text << file.toString();
        data->setText(text.join(QLatin1Char('\n')));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        say("dragging");
        say(drag->exec(Qt::CopyAction) == Qt::IgnoreAction ? "refused" : "dropped");
    }

private:
    QList<QUrl> m_files;
    bool m_shown = false;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString &path : app.arguments().mid(3))
        files.append(QUrl::fromLocalFile(path));
    Source window(files);
    // Where the test presses the mouse: the first two arguments.
    window.setGeometry(app.arguments().value(1).toInt(), app.arguments().value(2).toInt(), 100,
                       100);
    window.show();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}
