// What the window suites share: a recorder in place of the message box, shown windows, input
// posted to be handled inside a pause, and readings of what the hosts show.
#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace WindowTest {

struct Message
{
    MessageBox::Icon icon;
    QString caption;
    QString text;
};

// What the network showed when a host's pause began.
struct Pause
{
    int host;
    QString word;
    QList<int> green;
    quint8 operation;
    bool exchangeRunning;
};

inline QString refusal(const QString &ip)
{
    return QStringLiteral("Sudah ada nomor IP '") + ip + QStringLiteral("' dalam tabel ARP");
}

// Base of every window suite: each test starts from a clean program with messages recorded.
class Suite : public QObject
{
protected:
    static void useProgramStyle() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void start()
    {
        Runtime::reset();
        Module1::reset();
        messages.clear();
        pauses.clear();
        MessageBox::setRecorder(
            [this](MessageBox::Icon icon, const QString &caption, const QString &text) {
                messages.append({icon, caption, text});
            });
    }

    void finish()
    {
        onPause = {};
        Runtime::reset();
        window.reset();
        Module1::reset();
        MessageBox::setRecorder({});
    }

    // A window shown and active; false (and no window) if the platform never showed it.
    bool showWindow(std::unique_ptr<RandomSource> random = nullptr)
    {
        window = std::make_unique<fUtama>(std::move(random));
        window->show();
        if (QTest::qWaitForWindowExposed(window.get()) && QTest::qWaitForWindowActive(window.get()))
            return true;
        window.reset();
        return false;
    }

    // Records every pause, then runs onPause to act while the exchange waits.
    void recordPauses()
    {
        Runtime::setPauseObserver([this](Komputer &k) {
            int index = 0;
            while (index < fUtama::HostCount && &host(index) != &k)
                ++index;
            pauses.append({index, k.Caption(), green(), Module1::Packet.Operation,
                           window->exchangeRunning()});
            if (onPause)
                onPause(pauses.last());
        });
    }

    Komputer &host(int index) const { return window->host(index); }
    const Ui::fUtama &ui() const { return window->controls(); }
    QString pair(int index) const { return host(index).IP() + u' ' + host(index).MAC(); }
    void select(int index) { QTest::mouseClick(&host(index), Qt::LeftButton); }
    void broadcast(const QString &ip)
    {
        ui().IPCari->setText(ip);
        // Through the button, so that a run-time error is handled as the program handles it.
        ui().Command2->click();
    }

    QStringList table(int index) const
    {
        QStringList entries;
        for (qint16 n = 1; n <= host(index).Jumlah(); ++n)
            entries << host(index).AmbilIP(n).toString() + u' ' +
                           host(index).AmbilMAC(n).toString();
        return entries;
    }

    QList<QStringList> tables() const
    {
        QList<QStringList> all;
        for (int i = 0; i < fUtama::HostCount; ++i)
            all << table(i);
        return all;
    }

    QStringList listed() const
    {
        QStringList rows;
        for (int i = 0; i < ui().ListView1->topLevelItemCount(); ++i)
            rows << ui().ListView1->topLevelItem(i)->text(0) + u' ' +
                        ui().ListView1->topLevelItem(i)->text(1);
        return rows;
    }

    QList<int> lit() const
    {
        QList<int> on;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            if (host(i).isLit())
                on << i;
        }
        return on;
    }

    QList<int> green() const
    {
        QList<int> segments;
        for (int i = 0; i < fUtama::SegmentCount; ++i) {
            if (window->segment(i).BorderColor() == Segment::Green)
                segments << i;
        }
        return segments;
    }

    std::unique_ptr<fUtama> window;
    QList<Message> messages;
    QList<Pause> pauses;
    std::function<void(const Pause &)> onPause;
};

inline void postClick(QWidget *widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(
            widget, new QMouseEvent(type, at, global, Qt::LeftButton, held, Qt::NoModifier));
    }
}

inline void postKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, modifiers, text));
}

} // namespace WindowTest
