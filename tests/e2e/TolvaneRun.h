#pragma once

#include "Scene.h"
#include "XServer.h"

#include <QObject>
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
    QRect geometry() const { return m_x.geometry(m_window); }

    // Mouse and keys, in the window's own coordinates.
    bool click(QPoint inWindow) { return xdotool(clickArguments(geometry().topLeft() + inWindow)); }
    bool clickHost(int host) { return click(Scene::centre(host)); }
    bool key(const QString &keys) { return xdotool({QStringLiteral("key"), keys}); }
    bool type(const QString &text);
    // Gives the window the keyboard, as a window manager does when the user picks it.
    bool focusWindow();
    // Replaces the text of the IP box with the given one.
    bool enterIp(const QString &ip);
    // The same input sent while the test goes on reading the screen, for input in the
    // middle of an exchange; inputDone() waits for it.
    void clickLater(QPoint inWindow) { later(clickArguments(geometry().topLeft() + inWindow)); }
    void keyLater(const QString &keys) { later({QStringLiteral("key"), keys}); }
    bool inputDone();

    Scene scene() const;
    // The window's pixels as they are, at whatever scale the program runs.
    QImage grab() const { return m_x.grab(geometry()); }
    // The program's windows titled "Tolvane" other than the main window: its message boxes.
    QList<XServer::Window> messageBoxes() const;

    bool isRunning();
    bool waitForExit(int milliseconds);
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString output();

private:
    bool xdotool(const QStringList &arguments);
    void later(const QStringList &arguments);
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
    QString joined() const { return m_states.join(QLatin1Char(' ')); }
    QList<QList<int>> litDuringExchange() const { return m_lit; }

private:
    bool sample(const std::function<bool()> &done, int timeoutMs);

    TolvaneRun &m_run;
    QStringList m_states;
    QList<QList<int>> m_lit;
};

// What every test of the real program shares: one X server for the test case (gone with the
// fixture), and a fresh run of the program, its window shown, for each test function.
class TolvaneTest : public QObject
{
    Q_OBJECT

public:
    explicit TolvaneTest(const QStringList &extraEnvironment = {})
        : m_extraEnvironment(extraEnvironment)
    {
    }

protected Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

protected:
    XServer m_x;
    std::unique_ptr<TolvaneRun> m_run;

private:
    QStringList m_extraEnvironment;
};
