// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as it first shows: the address generators at their boundary values, every host
// off with a fresh MAC and its own entry, the window centred, the network drawn.

#include "Support.h"

#include <QScreen>

namespace {

// Hands out the given values in turn, again from the first when they run out.
struct Draws : RandomSource
{
    void seed(float seconds) override { seeds << seconds; }
    float draw() override { return values[next++ % values.size()]; }
    QList<float> seeds, values;
    int next = 0;
};

} // namespace

class TestStartup : public WindowSuite
{
    Q_OBJECT

    Draws *draws = nullptr;

private Q_SLOTS:
    void init()
    {
        // 16 to 45 over 256: each host's MAC tells which draws it took.
        QList<float> steps;
        for (int n = 16; n < 46; ++n)
            steps << n / 256.0f;
        auto source = std::make_unique<Draws>();
        source->values = steps;
        draws = source.get();
        open(std::move(source));
    }
    void cleanup() { close(); }

    void generators_data()
    {
        QTest::addColumn<QList<float>>("values");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("ip");
        QTest::newRow("zero") << QList<float>{0} << "0-0-0-0-0-0"
                              << "1.1.1.1";
        QTest::newRow("halves round to even")
            << QList<float>{2.5f / 256, 3.5f / 256, 0.5f / 256, 0.5f} << "2-4-0-80-2-4"
            << "2.3.1.120";
        QTest::newRow("the top rounds to 256, then 0; to 240, then 1")
            << QList<float>{255.5f / 256, 255.4f / 256, 239.4f / 240, 0.9999f} << "0-FF-FF-0-0-FF"
            << "1.239.239.1";
    }

    void generators()
    {
        QFETCH(QList<float>, values);
        draws->values = values;
        draws->next = 0;
        QTEST(window->BuatMACAcak(), "mac");
        draws->next = 0;
        QTEST(window->BuatIPAcak(), "ip");
    }

    void firstShown()
    {
        const QStringList names = {"Tesu", "Bilrun", "Dovel", "Wimse", "Lurfa"};
        for (int i = 0; i < fUtama::HostCount; ++i) {
            const QString ip = QStringLiteral("192.168.0.%1").arg(i + 1);
            QCOMPARE(host(i).Nama(), names[i]);
            QCOMPARE(Support::tableOf(host(i)), QStringList{ip + u' ' + host(i).MAC()});
            QCOMPARE(host(i).Caption(), QString());
        }
        QCOMPARE(host(0).MAC(), "10-11-12-13-14-15");
        QCOMPARE(host(4).MAC(), "28-29-2A-2B-2C-2D");
        QCOMPARE(lit(), QString());
        QCOMPARE(draws->seeds.size(), 1);
        QVERIFY(draws->seeds[0] >= 0 && draws->seeds[0] < 86400);
        QVERIFY(!ui().Command2->isEnabled() && !ui().Command3->isEnabled());
        QCOMPARE(ui().IPCari->text(), "192.168.0.4");
        QCOMPARE(listed(), QStringList());
        const QPoint offCentre =
            window->geometry().center() - window->screen()->geometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        QCOMPARE(ui().ListView1->font().pointSizeF(), 8.25);
    }

    // The three straight segments drawn 5 pixels wide, across their middle.
    void segments()
    {
        const QImage network = ui().Frame1->grab().toImage();
        for (int i = 0; i < 3; ++i) {
            const Segment &s = window->segment(i);
            const QPoint middle = (s.start() + s.end()) / 2;
            const QPoint across = s.start().y() == s.end().y() ? QPoint(0, 1) : QPoint(1, 0);
            QString lightness;
            for (int d = -4; d <= 4; ++d)
                lightness +=
                    QString::number(network.pixelColor(middle + d * across).lightness() / 26);
            QCOMPARE(lightness, "940000499"); // 4 pixels black, 2 halves grey
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
