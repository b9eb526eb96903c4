#include "TolvaneRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

namespace {

const QString Title = QStringLiteral("Tolvane");
const QString Idle = QStringLiteral("|");

} // namespace

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (true) {
        QCoreApplication::processEvents();
        if (condition())
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
}

TolvaneRun::TolvaneRun(XServer &x, const QStringList &extraEnvironment)
    : m_x(x), m_extraEnvironment(extraEnvironment)
{
    dieWithParent(m_process);
}

TolvaneRun::~TolvaneRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool TolvaneRun::start(QString *error)
{
    QProcessEnvironment environment = m_x.clientEnvironment();
    for (const QString &pair : m_extraEnvironment) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        environment.insert(pair.left(equals), pair.mid(equals + 1));
    }
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral(TOLVANE_BINARY), {});
    if (!m_process.waitForStarted(10000)) {
        *error = QStringLiteral("tolvane did not start: ") + m_process.errorString();
        return false;
    }
    // The window counts as shown once it is mapped and has painted its white network area.
    const bool shown = waitUntil(
        [this] {
            const QList<XServer::Window> windows = m_x.viewableWindows(Title);
            if (windows.size() != 1)
                return false;
            m_window = windows.first();
            const QImage now = grab();
            const int scale = now.width() / Scene::WindowSize.width();
            return scale >= 1 &&
                   now.pixel(Scene::hostRect(0).topLeft() * scale) == qRgb(255, 255, 255);
        },
        20000);
    if (!shown) {
        *error = QStringLiteral("the window did not appear; output: ") + output();
        return false;
    }
    return true;
}

void TolvaneRun::startXdotool(QProcess &tool, const QStringList &arguments)
{
    dieWithParent(tool);
    tool.setProcessEnvironment(m_x.clientEnvironment());
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral("xdotool"), arguments);
}

bool TolvaneRun::xdotool(const QStringList &arguments)
{
    QProcess tool;
    startXdotool(tool, arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

QStringList TolvaneRun::clickArguments(QPoint at)
{
    // No --sync: it would wait for ever when the pointer is already there. The server
    // handles the move before the click anyway, both coming from the same client.
    return {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("click"), QStringLiteral("1")};
}

void TolvaneRun::later(const QStringList &arguments)
{
    m_pendingInput.push_back(std::make_unique<QProcess>());
    startXdotool(*m_pendingInput.back(), arguments);
}

bool TolvaneRun::inputDone()
{
    bool done = true;
    for (const auto &tool : m_pendingInput) {
        done = done && tool->waitForFinished(10000) && tool->exitStatus() == QProcess::NormalExit &&
               tool->exitCode() == 0;
    }
    m_pendingInput.clear();
    return done;
}

bool TolvaneRun::type(const QString &text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

bool TolvaneRun::focusWindow()
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                    QString::number(m_window)}) &&
           waitUntil([this] { return m_x.inputFocus() == m_window; }, 5000);
}

bool TolvaneRun::enterIp(const QString &ip)
{
    return click(Scene::ipBoxPoint()) && key(QStringLiteral("ctrl+a")) && type(ip);
}

Scene TolvaneRun::scene() const
{
    const QRect area = geometry();
    // Only a window at its designed size can be read with the designed positions.
    return Scene(area.size() == Scene::WindowSize ? m_x.grab(area) : QImage());
}

QList<XServer::Window> TolvaneRun::messageBoxes() const
{
    QList<XServer::Window> boxes = m_x.viewableWindows(Title);
    boxes.removeAll(m_window);
    return boxes;
}

bool TolvaneRun::isRunning()
{
    QCoreApplication::processEvents();
    return m_process.state() == QProcess::Running;
}

bool TolvaneRun::waitForExit(int milliseconds)
{
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(milliseconds);
}

QString TolvaneRun::output()
{
    m_output += m_process.readAll();
    return QString::fromLocal8Bit(m_output);
}

bool ExchangeRecorder::recordUntilIdle(int timeoutMs)
{
    return sample([this] { return !m_states.isEmpty() && m_states.last() == Idle; }, timeoutMs);
}

bool ExchangeRecorder::recordUntil(const QString &state, int timeoutMs)
{
    return sample([this, state] { return m_states.contains(state); }, timeoutMs);
}

bool ExchangeRecorder::sample(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QString last;
    int streak = 0;
    while (clock.elapsed() <= timeoutMs) {
        const Scene now = m_run.scene();
        const QString state = now.exchangeState();
        streak = state == last ? streak + 1 : 1;
        last = state;
        // A state seen only once may be a frame caught half drawn; every real step of the
        // exchange stays on the screen for a whole pause.
        const bool idleBeforeStart = m_states.isEmpty() && state == Idle;
        if (streak == 2 && !idleBeforeStart && (m_states.isEmpty() || m_states.last() != state)) {
            m_states.append(state);
            m_lit.append(now.litHosts());
        }
        if (done())
            return true;
        QThread::msleep(2);
    }
    return false;
}

void TolvaneTest::initTestCase()
{
    QString error;
    QVERIFY2(m_x.start(&error), qPrintable(error));
}

void TolvaneTest::init()
{
    m_run = std::make_unique<TolvaneRun>(m_x, m_extraEnvironment);
    QString error;
    QVERIFY2(m_run->start(&error), qPrintable(error));
}

void TolvaneTest::cleanup()
{
    m_run.reset();
}
