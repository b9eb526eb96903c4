// Takes the README's screenshots from the real program on an X server of its own: the window
// as first shown, an exchange with a green segment and a word on a host's screen, and the
// message for an address the host already knows.
// Usage: tolvane_screenshots OUTPUT_FOLDER

#include "TolvaneRun.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The screen counts as settled once two grabs a little apart show the same.
QImage settled(TolvaneRun &run)
{
    QImage last;
    QImage now = run.grab();
    waitUntil(
        [&] {
            last = now;
            now = run.grab();
            return !now.isNull() && now == last;
        },
        10000);
    return now;
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (image.isNull() || !image.save(path)) {
        err() << "cannot write " << path << Qt::endl;
        return false;
    }
    err() << "wrote " << path << Qt::endl;
    return true;
}

int fail(const QString &what)
{
    err() << "tolvane_screenshots: " << what << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // This tool shows nothing itself; it only draws its reference letters.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return fail(QStringLiteral("usage: tolvane_screenshots OUTPUT_FOLDER"));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists())
        return fail(QStringLiteral("no folder ") + folder.path());

    XServer x;
    QString error;
    if (!x.start(&error))
        return fail(error);
    TolvaneRun run(x);
    if (!run.start(&error))
        return fail(error);
    if (!save(settled(run), folder, QStringLiteral("screenshot-start.png")))
        return 1;

    // Host 0 asks for host 3's address; the picture is taken while host 3 answers.
    if (!run.clickHost(0) ||
        !waitUntil([&] { return run.scene().litHosts() == QList<int>{0}; }, 10000))
        return fail(QStringLiteral("host 0 did not light up"));
    if (!run.key(QStringLiteral("alt+b")))
        return fail(QStringLiteral("xdotool failed"));
    QImage exchange;
    if (!waitUntil(
            [&] {
                const Scene now = run.scene();
                if (now.exchangeState() != QStringLiteral("2|3:Found!"))
                    return false;
                exchange = now.image();
                return true;
            },
            120000))
        return fail(QStringLiteral("the exchange did not reach host 3"));
    if (!save(exchange, folder, QStringLiteral("screenshot-exchange.png")))
        return 1;

    // Once it has ended, asking again brings up the message.
    if (!waitUntil([&] { return run.scene().tableRows() == 2; }, 120000))
        return fail(QStringLiteral("the exchange did not end"));
    if (!run.key(QStringLiteral("alt+b")) ||
        !waitUntil([&] { return run.messageBoxes().size() == 1; }, 10000))
        return fail(QStringLiteral("no message appeared"));
    if (!save(settled(run), folder, QStringLiteral("screenshot-message.png")))
        return 1;

    if (!run.key(QStringLiteral("Return")) ||
        !waitUntil([&] { return run.messageBoxes().isEmpty(); }, 10000) ||
        !run.click(Scene::exitButtonPoint()) || !run.waitForExit(10000))
        return fail(QStringLiteral("the program did not end"));
    return run.exitCode();
}
