// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

// The baselines for start-up and memory: an empty window of the program's client size, styled,
// centred and shown as the program's is. With --fonts it also shows one label in each of the
// program's three fonts, since any window that shows text pays for fontconfig and its fonts.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    QWidget window;
    window.setFixedSize(743, 512);
    window.setWindowTitle(QStringLiteral("Empty window"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--fonts"))) {
        QFont bold(QStringLiteral("Arial"), 12);
        bold.setBold(true);
        QFont mono(QStringLiteral("Courier New"));
        mono.setPointSizeF(8.25);
        const QFont fonts[] = {QFont(QStringLiteral("Arial"), 8), bold, mono};
        for (int i = 0; i < 3; ++i) {
            auto *label = new QLabel(QStringLiteral("192.168.0.%1").arg(i + 1), &window);
            label->setFont(fonts[i]);
            label->move(540, 300 + 30 * i);
        }
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->geometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
