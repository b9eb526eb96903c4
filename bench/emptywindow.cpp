#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

// The baseline for start-up and memory: an empty window of the program's client size, in the
// same style, shown the same way, and nothing else.
//
// With --text the window shows one line of text in the program's font as well. Any window
// that shows text pays for loading the font configuration and a font on its first paint; this
// second baseline tells that share apart from what the program adds on top.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Empty window"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    QWidget window;
    window.setFixedSize(743, 512);
    window.setWindowTitle(QStringLiteral("Empty window"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--text"))) {
        window.setFont(QFont(QStringLiteral("Arial"), 8));
        auto *label = new QLabel(QStringLiteral("Cari MAC untuk IP"), &window);
        label->move(540, 314);
    }
    // Centred as the program centres its window.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->geometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
