// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window suites' fixture: a fresh window per test with a short pause, messages recorded,
// and every pause written down as host, word and lit segments ("3F2": host 3 shows "Found!"
// while segment 2 is green).
#pragma once

#include "Support.h"
#include "ui_fUtama.h"
#include "window/RandomSource.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

class WindowSuite : public QObject
{
protected:
    void open(std::unique_ptr<RandomSource> random = nullptr)
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        Support::reset(&messages);
        Runtime::setDelayPasses(1);
        pauses.clear();
        Runtime::setPauseObserver([this](Komputer &k) {
            pauses << QString::number(indexOf(k)) + k.Caption().left(1) + green();
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
        Support::reset();
    }

    Komputer &host(int i) const { return window->host(i); }
    const Ui::fUtama &ui() const { return window->controls(); }
    int indexOf(const Komputer &k) const
    {
        int i = 0;
        while (i < fUtama::HostCount && &host(i) != &k)
            ++i;
        return i;
    }

    void select(int i) { QTest::mouseClick(&host(i), Qt::LeftButton); }
    void broadcast(const QString &ip)
    {
        ui().IPCari->setText(ip);
        ui().Command2->click();
    }

    QString green() const
    {
        QString lit;
        for (int i = 0; i < fUtama::SegmentCount; ++i) {
            if (window->segment(i).BorderColor() == Segment::Green)
                lit += QString::number(i);
        }
        return lit;
    }

    QString lit() const
    {
        QString on;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            if (host(i).isLit())
                on += QString::number(i);
        }
        return on;
    }

    // Each host's table as the last digits of its IPs, "?" after an entry whose MAC is not
    // the MAC of the host with that IP: "1 4|2 1 4|...".
    QString tables() const
    {
        QStringList all;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            QStringList entries;
            for (const QString &entry : Support::tableOf(host(i))) {
                const QString ip = entry.section(u' ', 0, 0), mac = entry.section(u' ', 1);
                const qint16 owner = window->GetIdxByIP(ip);
                const bool right = owner < fUtama::HostCount && host(owner).MAC() == mac;
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
