#pragma once

#include "Scene.h"
#include "XServer.h"

#include <QPoint>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// One run of the real program on a test X server, used as a person would use it: real X
// mouse and key events from xdotool, and what the screen shows read back from its pixels.
class TolvaneRun
{
public:
    // extraEnvironment: "NAME=value" pairs for the program's environment.
    explicit TolvaneRun(XServer &x, const QStringList &extraEnvironment = {});
    ~TolvaneRun();
    TolvaneRun(const TolvaneRun &) = delete;
    TolvaneRun &operator=(const TolvaneRun &) = delete;

    // Starts the program and waits until its window is on the screen.
    bool start(QString *error);
    XServer::Window window() const { return m_window; }
    QRect geometry() const;

    // Mouse and keys, in the window's own coordinates.
    bool click(QPoint inWindow);
    bool clickHost(int host) { return click(Scene::centre(host)); }
    bool key(const QString &keys);
    bool type(const QString &text);
    // Gives the window the keyboard, as a window manager does when the user picks it.
    bool focusWindow();
    // Replaces the text of the IP box with the given one.
    bool enterIp(const QString &ip);
    // The same input sent while the test goes on reading the screen, for input in the
    // middle of an exchange; inputDone() waits for it.
    void clickLater(QPoint inWindow);
    void keyLater(const QString &keys);
    bool inputDone();

    Scene scene() const;
    // The window's pixels as they are, at whatever scale the program runs.
    QImage grab() const;
    // The program's windows titled "Tolvane" other than the main window: its message boxes.
    QList<XServer::Window> messageBoxes() const;

    bool isRunning();
    bool waitForExit(int milliseconds);
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString output();

private:
    bool xdotool(const QStringList &arguments);
    void startXdotool(QProcess &tool, const QStringList &arguments);
    static QStringList clickArguments(QPoint at);

    XServer &m_x;
    QStringList m_extraEnvironment;
    QProcess m_process;
    XServer::Window m_window = 0;
    QByteArray m_output;
    std::vector<std::unique_ptr<QProcess>> m_pendingInput;
};

// Polls a condition until it holds or the time is up; processes events meanwhile, so that a
// finished child process is noticed.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs);

// The states an exchange goes through on the screen (see Scene::exchangeState), each one
// that stayed on the screen for at least two samples in a row, in order, without repeats.
class ExchangeRecorder
{
public:
    explicit ExchangeRecorder(TolvaneRun &run) : m_run(run) {}
    // Samples as fast as the screen can be read until the exchange has ended (nothing moves
    // any more after something did) or the time is up.
    bool recordUntilIdle(int timeoutMs);
    // Samples until a state matching the given one is seen.
    bool recordUntil(const QString &state, int timeoutMs);
    const QStringList &states() const { return m_states; }
    int samples() const { return m_samples; }
    QList<QList<int>> litDuringExchange() const { return m_lit; }

private:
    bool sample(const std::function<bool()> &done, int timeoutMs);

    TolvaneRun &m_run;
    QStringList m_states;
    QList<QList<int>> m_lit;
    int m_samples = 0;
};
