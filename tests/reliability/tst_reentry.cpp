#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSet>
#include <QTest>

#include <array>
#include <memory>
#include <random>
#include <vector>

// Many exchanges from random hosts to random addresses while clicks on hosts, "&Broadcast"
// and "&Hapus Entri" arrive inside the pauses, as a user clicking during an exchange makes
// them; and "Exit" at every pause point of an exchange.

using namespace Module1;

namespace {

// The order in which a propagation from each origin reaches the other hosts.
const std::array<std::vector<int>, fUtama::HostCount> ReceiveOrder = {{
    {1, 2, 3, 4},
    {0, 2, 3, 4},
    {1, 3, 0, 4},
    {2, 4, 1, 0},
    {3, 2, 1, 0},
}};

// The worked example (host 0 asks for host 3): four hosts take the request with "Receive"
// and "Saved!", host 3 adds "Found!", then four take the reply with "Receive" and two
// "Saved!".
constexpr int WorkedExamplePauses = 4 * 2 + 1 + 4 * 3;

struct Pause
{
    int host;
    QString word;
    ArpPacket packet;
};

quint64 chosenSeed()
{
    bool ok = false;
    const quint64 given = qEnvironmentVariable("TOLVANE_SEED").toULongLong(&ok);
    return ok ? given : (quint64(std::random_device{}()) << 32) | std::random_device{}();
}

} // namespace

class TestReentry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void randomExchangesWithClicksInsidePauses();
    void workedExamplePauseCount();
    void exitAtEveryPause_data();
    void exitAtEveryPause();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeWindow();
    int indexOf(const Komputer &host) const;
    // A left press and release at the middle of the widget, queued as the window system
    // queues input; they are handled by whichever pause processes events next.
    void postClick(QWidget *target);
    QString tableProblem() const;

    std::unique_ptr<fUtama> m_window;
    std::vector<Pause> m_pauses;
    QStringList m_messages;
    // Clicks this test queued, and whether they may still be handled: once the exchange they
    // were meant for is over, the rest are dropped.
    QSet<const QEvent *> m_queued;
    bool m_armed = false;
    int m_deliveredHostClicks = 0;
    int m_deliveredBroadcasts = 0;
    int m_deliveredClears = 0;
    quint64 m_seed = 0;
};

void TestReentry::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    qApp->installEventFilter(this);
    m_seed = chosenSeed();
    qInfo("re-entry run, seed %llu (replay with TOLVANE_SEED=%llu)", m_seed, m_seed);
}

void TestReentry::init()
{
    Runtime::reset();
    Module1::reset();
    m_pauses.clear();
    m_messages.clear();
    m_queued.clear();
    m_armed = false;
    MessageBox::setRecorder(
        [this](MessageBox::Icon, const QString &, const QString &text) { m_messages << text; });
}

void TestReentry::cleanup()
{
    m_window.reset();
    MessageBox::setRecorder({});
    Runtime::reset();
    Module1::reset();
}

void TestReentry::makeWindow()
{
    m_window = std::make_unique<fUtama>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    Runtime::setDelayPasses(3);
}

int TestReentry::indexOf(const Komputer &host) const
{
    for (int i = 0; i < fUtama::HostCount; ++i) {
        if (&m_window->host(i) == &host)
            return i;
    }
    return -1;
}

void TestReentry::postClick(QWidget *target)
{
    const QPointF local = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(local);
    auto *press = new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
    auto *release = new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
    m_queued << press << release;
    QCoreApplication::postEvent(target, press);
    QCoreApplication::postEvent(target, release);
}

bool TestReentry::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_queued.remove(event))
        return false;
    if (!m_armed)
        return true;
    if (event->type() == QEvent::MouseButtonRelease && m_window) {
        const auto &ui = m_window->controls();
        if (watched == ui.Command2)
            ++m_deliveredBroadcasts;
        else if (watched == ui.Command3)
            ++m_deliveredClears;
        else
            ++m_deliveredHostClicks;
    }
    return false;
}

QString TestReentry::tableProblem() const
{
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = m_window->host(i);
        const qint16 n = k.Jumlah();
        const QString where = QStringLiteral("host %1: ").arg(i);
        if (n < 1 || n > fUtama::HostCount)
            return where + QStringLiteral("%1 entries").arg(n);
        if (k.storageSize() != n)
            return where +
                   QStringLiteral("storage for %1 of %2 entries").arg(k.storageSize()).arg(n);
        if (k.AmbilIP(1).toString() != k.IP() || k.AmbilMAC(1).toString() != k.MAC())
            return where + QStringLiteral("entry 1 is not the host's own");
        QSet<QString> seen;
        for (qint16 e = 1; e <= n; ++e) {
            const QString ip = k.AmbilIP(e).toString();
            if (seen.contains(ip))
                return where + QStringLiteral("\"%1\" twice").arg(ip);
            seen.insert(ip);
        }
    }
    return {};
}

void TestReentry::randomExchangesWithClicksInsidePauses()
{
    makeWindow();
    std::mt19937_64 engine(m_seed);
    const auto roll = [&engine](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(engine);
    };
    const auto &ui = m_window->controls();
    QStringList targets;
    for (int i = 0; i < fUtama::HostCount; ++i)
        targets << m_window->host(i).IP();
    targets << QStringLiteral("10.0.0.9") << QString() << QStringLiteral("192.168.0.4 ");

    Runtime::setPauseObserver([&](Komputer &k) {
        m_pauses.push_back({indexOf(k), k.Caption(), Packet});
        // Now and then something arrives while the host pauses.
        if (roll(3) != 0)
            return;
        const int what = roll(10);
        if (what < 5)
            postClick(&m_window->host(roll(fUtama::HostCount)));
        else if (what < 8)
            postClick(ui.Command2);
        else
            postClick(ui.Command3);
    });

    constexpr int Exchanges = 300;
    int exchangesRun = 0;
    for (int n = 1; n <= Exchanges; ++n) {
        const int origin = roll(fUtama::HostCount);
        m_window->Komputer1_Click(static_cast<qint16>(origin));
        const QString target = targets.at(roll(static_cast<int>(targets.size())));
        ui.IPCari->setText(target);
        const Komputer &requester = m_window->host(origin);
        const bool known = requester.Ada(target) > 0;
        m_pauses.clear();
        m_messages.clear();

        m_armed = true;
        ui.Command2->click();
        m_armed = false;
        QCoreApplication::processEvents(); // drops the clicks that came too late

        const QString context = QStringLiteral("seed %1 (TOLVANE_SEED=%1), exchange %2 from "
                                               "host %3 for \"%4\": ")
                                    .arg(m_seed)
                                    .arg(n)
                                    .arg(origin)
                                    .arg(target);
        QVERIFY2(!Runtime::ending(), qPrintable(context + QStringLiteral("the program ended")));
        QVERIFY2(!m_window->exchangeRunning(), qPrintable(context + QStringLiteral("still on")));
        if (known) {
            QVERIFY2(m_pauses.empty() && m_messages.size() == 1,
                     qPrintable(context + QStringLiteral("a known address must only be told")));
            continue;
        }
        ++exchangesRun;
        QVERIFY2(m_messages.isEmpty(), qPrintable(context + m_messages.join(u'/')));

        // Who received, phase by phase: a "Receive" word starts each host's reception.
        std::vector<int> request;
        std::vector<int> reply;
        for (const Pause &pause : m_pauses) {
            const bool inRequest = pause.packet.Operation == 1;
            const ArpPacket &expected = inRequest ? m_pauses.front().packet : Packet;
            QVERIFY2(
                pause.packet == expected,
                qPrintable(context +
                           QStringLiteral("the packet changed under host %1").arg(pause.host)));
            if (inRequest && !reply.empty())
                QFAIL(qPrintable(context + QStringLiteral("a request after the reply began")));
            if (pause.word == QLatin1String("Receive"))
                (inRequest ? request : reply).push_back(pause.host);
        }
        QVERIFY2(m_pauses.front().packet.SenderIP == requester.IP() &&
                     m_pauses.front().packet.TargetIP == target,
                 qPrintable(context + QStringLiteral("not the request that was asked for")));
        QVERIFY2(request == ReceiveOrder[static_cast<size_t>(origin)],
                 qPrintable(context + QStringLiteral("request receivers differ")));
        if (ReplyReady) {
            const int answering = m_window->GetIdxByIP(Packet.SenderIP);
            QVERIFY2(answering >= 0 && answering < fUtama::HostCount,
                     qPrintable(context + QStringLiteral("reply from no host")));
            QVERIFY2(reply == ReceiveOrder[static_cast<size_t>(answering)],
                     qPrintable(context + QStringLiteral("reply receivers differ")));
        } else {
            QVERIFY2(reply.empty(), qPrintable(context + QStringLiteral("a reply nobody sent")));
        }
        QCOMPARE(m_window->leftCursor(), qint16(-1));
        QCOMPARE(m_window->rightCursor(), qint16(fUtama::HostCount));
        for (int s = 0; s < fUtama::SegmentCount; ++s)
            QCOMPARE(m_window->segment(s).BorderColor(), Segment::Black);
        const QString problem = tableProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(context + problem));
    }
    // Without these the run would prove nothing about re-entry.
    QVERIFY(exchangesRun > Exchanges / 4);
    QVERIFY(m_deliveredHostClicks > 0);
    QVERIFY(m_deliveredBroadcasts > 0);
    QVERIFY(m_deliveredClears > 0);
}

void TestReentry::workedExamplePauseCount()
{
    // The rows of exitAtEveryPause cover every pause only if this holds.
    makeWindow();
    int pauses = 0;
    Runtime::setPauseObserver([&](Komputer &) { ++pauses; });
    m_window->Komputer1_Click(0);
    m_window->controls().Command2->click();
    QCOMPARE(pauses, WorkedExamplePauses);
    QCOMPARE(m_window->host(0).Jumlah(), qint16(2));
}

void TestReentry::exitAtEveryPause_data()
{
    QTest::addColumn<int>("exitAt");
    for (int k = 1; k <= WorkedExamplePauses; ++k)
        QTest::addRow("pause %d", k) << k;
}

void TestReentry::exitAtEveryPause()
{
    QFETCH(int, exitAt);
    makeWindow();
    const auto &ui = m_window->controls();
    int pauses = 0;
    Runtime::setPauseObserver([&](Komputer &) {
        if (++pauses == exitAt)
            postClick(ui.Command1);
    });
    m_window->Komputer1_Click(0);
    m_armed = true;
    ui.Command2->click();

    QCOMPARE(pauses, exitAt); // no pause after the one that took "Exit"
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->exchangeRunning());
    QVERIFY(m_messages.isEmpty());
    // Whatever still arrives starts nothing.
    postClick(ui.Command2);
    postClick(&m_window->host(2));
    QCoreApplication::processEvents();
    QCOMPARE(pauses, exitAt);
    QCOMPARE(m_window->selectedIndex(), qint16(0));
}

QTEST_MAIN(TestReentry)
#include "tst_reentry.moc"
