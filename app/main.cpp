// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/AccessibleFactory.h"
#include "accessibility/Narrator.h"
#include "app/CommandLine.h"
#include "app/Translation.h"
#include "app/WindowIcon.h"
#include "capture/CaptureFile.h"
#include "classroom/PaceMenu.h"
#include "classroom/StepKeys.h"
#include "pace/Pause.h"
#include "quiz/Quiz.h"
#include "quiz/QuizBoard.h"
#include "quiz/QuizKeys.h"
#include "record/Recorder.h"
#include "timeline/TimelineMenu.h"
#include "window/fUtama.h"

#include <QApplication>

#include <csignal>
#include <fontconfig/fontconfig.h>
#include <thread>
#include <unistd.h>

int main(int argc, char *argv[])
{
    const auto command = CommandLine::read(argc, argv);
    if (const int *status = std::get_if<int>(&command))
        return *status;
    const auto &options = std::get<CommandLine::Options>(command);
    // Frames on a terminal are noise that can upset it; they are for a reader on a pipe.
    if (options.capture == u"-" && isatty(STDOUT_FILENO))
        return CommandLine::refuse(argc, argv, [] {
            return QCoreApplication::translate(
                "main", "Standard output is a terminal: pipe the capture into a reader, as in "
                        "tolvane --capture - | wireshark -k -i -, or name a file.");
        });
    std::unique_ptr<CaptureFile> capture;
    if (!options.capture.isEmpty()) {
        QString why;
        capture = CaptureFile::open(options.capture, &why);
        if (!capture)
            return CommandLine::refuse(argc, argv, [&] {
                return QCoreApplication::translate("main", "Cannot write the capture to '%1': %2")
                    .arg(options.capture, why);
            });
        // A reader that closes its end of a pipe stops the capture, not the program.
        std::signal(SIGPIPE, SIG_IGN);
    }

    // Reading the fonts' configuration is a quarter of start-up's work. It runs on a second core
    // while Qt connects to the display, and is done before the window measures its first text.
    // Nothing else touches fontconfig until the join, and FcInit guards its own set-up, so the
    // thread shares no state with the rest of the program.
    // Qt's own high-DPI scaling draws every window larger, text and the pictures' 2x versions
    // crisp; set before QApplication, it holds for the whole run.
    if (options.scale != 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
    std::jthread fonts(FcInit);
    QApplication app(argc, argv);
    Translation::install(app);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.tolvane"));
    // One style everywhere, so the window looks as designed on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    AccessibleFactory::install();
    WindowIcon::setAfterFirstFrame();

    Pause pause;
    pause.setPace(options.pace);
    fonts.join();
    fUtama window(pause);
    if (pause.ending())
        return pause.exitCode();
    // Each listens to the window and goes before it; what they show belongs to the window.
    Recorder recorder(window, pause);
    Narrator narrator(window, pause, &recorder);
    const PaceMenu paceMenu(pause, window.networkArea());
    StepKeys stepKeys(pause);
    stepKeys.setBack([&recorder] { return recorder.back(); });
    // After the recorder, so that a verdict finds the step it judges.
    Quiz quiz(window, pause);
    const QuizKeys quizKeys(quiz, pause);
    QuizBoard::follow(quiz, window, pause);
    QObject::connect(&quiz, &Quiz::noted, &recorder, &Recorder::note);
    QObject::connect(&quiz, &Quiz::told, &narrator, &Narrator::tell);
    TimelineMenu timeline(recorder, paceMenu.menu(), &window);
    // Each frame is written as its propagation first starts, while its words still cross the
    // window; a step gone back to and walked again sends nothing again.
    if (capture)
        QObject::connect(&recorder, &Recorder::sent,
                         [&capture](const ArpPacket &packet) { capture->write(packet); });
    window.show();
    if (options.timeline)
        timeline.showWindow();
    const int status = QApplication::exec();
    return pause.ending() ? pause.exitCode() : status;
}
