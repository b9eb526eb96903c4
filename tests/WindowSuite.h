// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A fresh window per test with a designed pause of one pass, its messages written down and
// every word a host shows written down as host, word and lit segments ("3F2": host 3 shows
// "Found!" while segment 2 is green).
#pragma once

#include "Support.h"
#include "pace/Pause.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>
#include <memory>

// Writes each message down instead of showing it; "!" marks an error's.
struct Messages : MessageBox
{
    explicit Messages(QStringList &messages) : written(messages) {}
    void show(QWidget *, Icon icon, const QString &caption, const QString &text) override
    {
        written << (icon == Icon::Critical ? "!" : "") + caption + u'|' + text;
    }
    QStringList &written;
};

// The tables after the worked example, host 0 asking for 192.168.0.4, in the form of tables().
inline const QString WorkedExample = QStringLiteral("1 4|2 1 4|3 1 4|4 1|5 1 4");

class WindowSuite : public QObject
{
protected:
    // Without a message box of the test's own, messages are written down.
    void open(std::unique_ptr<RandomSource> random = nullptr,
              std::chrono::milliseconds slowWord = Pause::SlowWord)
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        Module1::Packet = Module1::Reply = ArpPacket();
        Module1::ReplyReady = false;
        messages.clear();
        pauses.clear();
        pause = std::make_unique<Pause>(1, slowWord);
        window = std::make_unique<fUtama>(*pause, std::move(random),
                                          std::make_unique<Messages>(messages));
        for (int i = 0; i < fUtama::HostCount; ++i)
            connect(&host(i), &Komputer::WordFlashed, window.get(), [this, i](const QString &w) {
                pauses << QString::number(i) + w.left(1) + green();
                rowsAtPause = view()->topLevelItemCount();
                for (const auto &[at, what] : std::as_const(queued))
                    if (!at || at == pauses.size())
                        QMetaObject::invokeMethod(window.get(), what, Qt::QueuedConnection);
            });
        window->show();
    }

    void close()
    {
        queued.clear();
        window.reset();
        pause.reset();
    }

    Komputer &host(int i) const { return window->host(i); }
    Segment &segment(int i) const { return *control<Segment>("Line1_" + QString::number(i)); }
    // A control of the window's design by its name there.
    template <typename T> T *control(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QTreeWidget *view() const { return control<QTreeWidget>("ListView1"); }

    // What to do, queued, at the start of the given pause, or of every pause for 0: the pause
    // handles it while it processes events.
    void queue(int at, const std::function<void()> &what) { queued.append({at, what}); }
    void select(int i) { QTest::mouseClick(&host(i), Qt::LeftButton); }
    void broadcast(const QString &ip)
    {
        box("IPCari")->setText(ip);
        button("Command2")->click();
    }

    // The indexes of the green segments, or of the lit hosts, as digits.
    QString green() const
    {
        QString found;
        for (int i = 0; i < fUtama::SegmentCount; ++i)
            found += segment(i).BorderColor() == Segment::Green ? QString::number(i) : "";
        return found;
    }
    QString lit() const
    {
        QString found;
        for (int i = 0; i < fUtama::HostCount; ++i)
            found += host(i).isLit() ? QString::number(i) : "";
        return found;
    }

    // Each host's table as the last digits of its IPs, "?" after an entry whose MAC is not
    // the MAC of the host with that IP: "1 4|2 1 4|...".
    QString tables() const
    {
        QStringList all;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            QStringList entries;
            for (const QString &entry : Support::tableOf(host(i))) {
                const QString ip = entry.section(u' ', 0, 0);
                const qint16 owner = window->GetIdxByIP(ip);
                const bool right =
                    owner < fUtama::HostCount && entry == ip + u' ' + host(owner).MAC();
                entries << ip.right(1) + (right ? "" : "?");
            }
            all << entries.join(u' ');
        }
        return all.join(u'|');
    }

    QStringList listed() const
    {
        QStringList rows;
        for (int i = 0; i < view()->topLevelItemCount(); ++i)
            rows << view()->topLevelItem(i)->text(0) + u' ' + view()->topLevelItem(i)->text(1);
        return rows;
    }

    std::unique_ptr<Pause> pause;
    std::unique_ptr<fUtama> window;
    QStringList messages;
    QStringList pauses;
    int rowsAtPause = 0;
    QList<std::pair<int, std::function<void()>>> queued;
};
