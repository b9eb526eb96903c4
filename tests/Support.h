// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the suites share: the hosts' tables as the window lists them, the error a call raises,
// and a fresh window per test with a pause of one pass, its messages recorded and every pause
// written down as host, word and lit segments ("3F2": host 3 shows "Found!" while segment 2
// is green).
#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "host/RuntimeError.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"
#include "window/Segment.h"
#include "window/WindowIcon.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

namespace Support {

// Entries 1 to Jumlah as "IP MAC".
inline QStringList tableOf(const Komputer &host)
{
    QStringList entries;
    for (qint16 n = 1; n <= host.Jumlah(); ++n)
        entries << host.AmbilIP(n).toString() + u' ' + host.AmbilMAC(n).toString();
    return entries;
}

// The name of the run-time error the call raises, or the empty text.
template <typename Call> QString errorOf(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.name();
    }
    return QString();
}

} // namespace Support

class WindowSuite : public QObject
{
protected:
    void open(std::unique_ptr<RandomSource> random = nullptr)
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        Runtime::reset();
        Module1::reset();
        Runtime::setDelayPasses(1);
        messages.clear();
        pauses.clear();
        // "!" marks an error's message.
        MessageBox::setRecorder(
            [this](MessageBox::Icon icon, const QString &caption, const QString &text) {
                messages << (icon == MessageBox::Icon::Critical ? "!" : "") + caption + u'|' + text;
            });
        Runtime::setPauseObserver([this](Komputer &k) {
            int i = 0;
            while (&host(i) != &k)
                ++i;
            pauses << QString::number(i) + k.Caption().left(1) + green();
            rowsAtPause = ui().ListView1->topLevelItemCount();
            if (onPause)
                onPause(pauses.size());
        });
        window = std::make_unique<fUtama>(std::move(random));
        window->show();
    }

    void close()
    {
        onPause = {};
        window.reset();
        MessageBox::setRecorder({});
        Runtime::reset();
    }

    Komputer &host(int i) const { return window->host(i); }
    const Ui::fUtama &ui() const { return window->controls(); }

    void select(int i) { QTest::mouseClick(&host(i), Qt::LeftButton); }
    void broadcast(const QString &ip)
    {
        ui().IPCari->setText(ip);
        ui().Command2->click();
    }

    // The indexes of the green segments, or of the lit hosts, as digits.
    QString green() const
    {
        return digits(fUtama::SegmentCount,
                      [this](int i) { return window->segment(i).BorderColor() == Segment::Green; });
    }
    QString lit() const
    {
        return digits(fUtama::HostCount, [this](int i) { return host(i).isLit(); });
    }
    static QString digits(int count, const std::function<bool(int)> &on)
    {
        QString found;
        for (int i = 0; i < count; ++i)
            found += on(i) ? QString::number(i) : QString();
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
                    owner < fUtama::HostCount && ip + u' ' + host(owner).MAC() == entry;
                entries << ip.right(1) + (right ? "" : "?");
            }
            all << entries.join(u' ');
        }
        return all.join(u'|');
    }

    QStringList listed() const
    {
        QStringList rows;
        for (int i = 0; i < ui().ListView1->topLevelItemCount(); ++i)
            rows << ui().ListView1->topLevelItem(i)->text(0) + u' ' +
                        ui().ListView1->topLevelItem(i)->text(1);
        return rows;
    }

    std::unique_ptr<fUtama> window;
    QStringList messages;
    QStringList pauses;
    int rowsAtPause = 0;
    std::function<void(int pause)> onPause;
};
