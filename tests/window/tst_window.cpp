// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as the user drives it: as it first shows (the address generators at their
// boundary values, every host off with a fresh MAC and its own entry, the window centred, the
// network drawn), the order in which the packet travels from every origin, the worked example,
// whatever a click does while an exchange pauses, the refusal once the address is known, a
// run-time error reaching the user; and what a screen reader learns of it: hosts as radio
// buttons in chain order, checked while selected, the words and the outcome of each command
// spoken through the notification, quiet identity boxes, the whole pair of a table row once,
// and the focus outline on a host.

#include "Support.h"
#include "window/GroupBoxFrame.h"

#include <QAccessible>
#include <QBackingStore>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

QStringList g_spoken;       // the notification's name each time it shows
QList<QObject *> g_voices;  // and the notification that showed
QList<QObject *> g_checked; // sources of checked state changes
QList<QObject *> g_sources; // sources of every other event

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface->role() == QAccessible::Notification) {
        g_spoken.append(iface->text(QAccessible::Name));
        g_voices.append(event->object());
    } else if (event->type() != QAccessible::StateChanged)
        g_sources.append(event->object());
    else if (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked)
        g_checked.append(event->object());
}

// Hands out the given values in turn, again from the first when they run out.
struct Draws : RandomSource
{
    void seed(float seconds) override { seeds << seconds; }
    float draw() override { return values[next++ % values.size()]; }
    QList<float> seeds, values;
    int next = 0;
};

// Notes whether a window had been exposed, and so drawn, when the application's icon reached it.
struct IconWatch : QObject
{
    bool exposedFirst = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ApplicationWindowIconChange)
            exposedFirst = static_cast<QWidget *>(watched)->windowHandle()->isExposed();
        return false;
    }
};

const QString WorkedExample = QStringLiteral("1 4|2 1 4|3 1 4|4 1|5 1 4");

} // namespace

class TestWindow : public WindowSuite
{
    Q_OBJECT

    Draws *draws = nullptr;

    QTranslator indonesian;
    const QFont desktopFont = QApplication::font(); // before any window is built

    // Everything the window's design shows or names, as the window now shows it.
    QStringList designedTexts() const
    {
        QStringList texts{window->windowTitle(), ui().IPCari->text(),
                          ui().ListView1->accessibleName(), ui().ListView1->headerItem()->text(0),
                          ui().ListView1->headerItem()->text(1)};
        for (const auto *label : window->findChildren<QLabel *>())
            texts << label->text();
        for (const auto *button : window->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const auto *box : window->findChildren<QGroupBox *>())
            texts << box->title();
        for (int i = 0; i < fUtama::HostCount; ++i)
            texts << host(i).Nama();
        return texts;
    }

    // The window built anew with the Indonesian translation installed: the design's own
    // texts stay as designed.
    void openInIndonesian()
    {
        const QStringList designed = designedTexts();
        QVERIFY(indonesian.load(QStringLiteral(":/i18n/tolvane_id.qm")));
        QCoreApplication::installTranslator(&indonesian);
        close();
        open();
        QCOMPARE(designedTexts(), designed);
    }

    void act(const QString &what)
    {
        if (what == u"broadcast")
            ui().Command2->click();
        else if (what == u"clear")
            ui().Command3->click();
        else if (what == u"exit")
            ui().Command1->click();
        else if (what == u"close")
            window->windowHandle()->close();
        else
            select(what.right(1).toInt());
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Qt sends accessibility events only while an assistive tool listens; this stands in.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
    }

    void init()
    {
        // 16 to 45 over 256: each host's MAC tells which draws it took.
        QList<float> steps;
        for (int n = 16; n < 46; ++n)
            steps << n / 256.0f;
        auto source = std::make_unique<Draws>();
        source->values = steps;
        draws = source.get();
        g_spoken.clear();
        open(std::move(source));
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(g_spoken, QStringList()); // opening the window says nothing
        g_checked.clear();
        g_sources.clear();
    }
    void cleanup()
    {
        QCoreApplication::removeTranslator(&indonesian);
        close();
    }

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
        for (int i = 0; i < fUtama::HostCount; ++i) {
            const QString ip = QStringLiteral("192.168.0.%1").arg(i + 1);
            QCOMPARE(Support::tableOf(host(i)), QStringList{ip + u' ' + host(i).MAC()});
            QCOMPARE(host(i).Caption(), QString());
            QVERIFY(!host(i).State());
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
        QCOMPARE(window->font().family() + ' ' + QString::number(window->font().pointSize()),
                 "Arial 8");
        QCOMPARE(QApplication::font(), desktopFont); // message boxes keep the desktop's font
        QCOMPARE(QString("%1 %2")
                     .arg(ui().ListView1->columnWidth(0))
                     .arg(ui().ListView1->columnWidth(1)),
                 "93 83");
    }

    // The program's own draws lie in [0, 1) and differ from draw to draw and from seed to seed.
    void randomSource()
    {
        RandomSource first, second;
        first.seed(43200.0f);
        second.seed(43201.0f); // a second later: other addresses
        const float a = first.draw(), b = second.draw();
        QVERIFY(a >= 0.0f && a < 1.0f && a != b && first.draw() != a);
    }

    // No icon while the window is still to be drawn; once it is, the six sizes with the
    // pictures' own pixels, for this window and for any later one.
    void iconAfterFirstFrame()
    {
        close();
        QApplication::setWindowIcon(QIcon());
        WindowIcon::setAfterFirstFrame();
        open();
        IconWatch watch;
        window->installEventFilter(&watch);
        QVERIFY(QApplication::windowIcon().isNull());
        QTRY_VERIFY(!window->windowIcon().isNull());
        QVERIFY(watch.exposedFirst);
        QList<QSize> sizes; // the largest first, so the smaller ones are not held while it is read
        for (const int size : {256, 128, 64, 48, 32, 16}) {
            sizes << QSize(size, size);
            const QImage picture(
                QStringLiteral(":/share/icons/hicolor/%1x%1/apps/tolvane.png").arg(size));
            QCOMPARE(window->windowIcon().pixmap(sizes.last()).toImage(),
                     picture.convertToFormat(QImage::Format_ARGB32));
        }
        QCOMPARE(QApplication::windowIcon().availableSizes(), sizes);
        QTRY_VERIFY(qApp->findChildren<WindowIcon *>().isEmpty()); // its watch ended
        // Between the pictures and beyond them: drawn from the next larger one, or the largest.
        QCOMPARE(window->windowIcon().pixmap(QSize(40, 40)).size(), QSize(40, 40));
        QCOMPARE(window->windowIcon().pixmap(QSize(300, 300)).size(), QSize(256, 256));
    }

    // The group-box frame the style reads is the one read ahead: the cache key is Qt's own.
    void groupBoxFrameReadAhead()
    {
        GroupBoxFrame::preload();
        QPixmap readAhead;
        QVERIFY(QPixmapCache::find(GroupBoxFrame::cacheKey(), &readAhead));
        QCOMPARE(QPixmap(GroupBoxFrame::Path).cacheKey(), readAhead.cacheKey());
    }

    // The network drawn: the three straight segments 5 pixels wide, across their middle.
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
            QCOMPARE(lightness, "940000499");                // 4 pixels black, 2 halves grey
            QCOMPARE(ui().Frame1->childAt(middle), nullptr); // a click goes through to the area
        }
        // A host: its picture pixel for pixel, and white where the picture ends.
        QCOMPARE(
            host(1).grab().toImage().copy(0, 0, 145, 155).convertToFormat(QImage::Format_RGB32),
            QImage(":/host/pictures/komputer.ppm").convertToFormat(QImage::Format_RGB32));
        QVERIFY(network.pixelColor(host(0).pos() + QPoint(60, 25)).lightness() < 64);
        QCOMPARE(network.pixelColor(host(1).pos() + QPoint(146, 150)), QColor(Qt::white));

        // A segment lit for a packet shows at once, not at the next full repaint.
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const Segment &bottom = window->segment(2);
        window->segment(2).setBorderColor(Segment::Green);
        QCoreApplication::processEvents();
        const auto *screen = static_cast<QImage *>(window->backingStore()->paintDevice());
        const QPoint middle = ui().Frame1->pos() + (bottom.start() + bottom.end()) / 2;
        QCOMPARE(screen->pixelColor(middle), QColor(Qt::green));
    }
    // Receptions as host and lit segments ("423": host 4 while segments 2 and 3 are green),
    // the request's, then the reply's.
    void order_data()
    {
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("target"); // -1: an address nobody has
        QTest::addColumn<QString>("receptions");
        QTest::addColumn<int>("rowsAtLastPause");
        QTest::newRow("0 to 3") << 0 << 3 << "10 21 32 43 | 22 423 11 00" << 1;
        QTest::newRow("1 to 4") << 1 << 4 << "00 201 32 43 | 33 22 11 00" << 2;
        QTest::newRow("2 to 0") << 2 << 0 << "11 312 00 403 | 10 21 32 43" << 2;
        QTest::newRow("3 to 2") << 3 << 2 << "22 423 11 00 | 11 312 00 403" << 2;
        QTest::newRow("4 to 1") << 4 << 1 << "33 22 11 00 | 00 201 32 43" << 1;
        QTest::newRow("2 to nobody") << 2 << -1 << "11 312 00 403" << 1;
    }

    // Outward in passes, the lower side first; the segment lit while its host receives, all
    // black after; the view refreshed after every pass.
    void order()
    {
        QFETCH(int, origin);
        QFETCH(int, target);
        QFETCH(QString, receptions);
        select(origin);
        Module1::ReplyReady = true; // as an earlier answered exchange leaves it
        broadcast(target < 0 ? "10.0.0.99" : host(target).IP());
        const QStringList received = pauses.filter(QRegularExpression("^.R"));
        QCOMPARE(received.join(u' ').remove(u'R'), receptions.remove("| "));
        QTEST(rowsAtPause, "rowsAtLastPause");
        QCOMPARE(green(), QString());
        QCOMPARE(QString("%1 %2").arg(window->leftCursor()).arg(window->rightCursor()), "-1 5");
        QCOMPARE(listed(), Support::tableOf(host(origin)));
        QCOMPARE(ui().MAC->cursorPosition(), 0); // a long text shows from its start
        const Komputer &k = host(origin);
        QCOMPARE((QStringList{ui().Nama->text(), ui().IP->text(), ui().MAC->text(), lit()}),
                 (QStringList{k.Nama(), k.IP(), k.MAC(), QString::number(origin)}));
        QCOMPARE(host(origin).Jumlah(), target < 0 ? 1 : 2);
        QCOMPARE(messages, QStringList());
    }

    void clickDuringExchange_data()
    {
        QTest::addColumn<QStringList>("clicks"); // "pause:what", at the start of that pause
        QTest::addColumn<int>("pauses");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<QString>("end"); // the lit host, or the program's exit status
        QTest::newRow("the worked example; a second Broadcast is ignored")
            << QStringList{"3:broadcast", "12:broadcast"} << 21 << WorkedExample << "lit 0";
        QTest::newRow("another host selected, then its table cleared")
            << QStringList{"10:select 2", "11:clear"} << 21 << "1 4|2 1 4|3 4|4 1|5 1 4"
            << "lit 2";
        QTest::newRow("Exit ends the exchange and the program")
            << QStringList{"5:exit"} << 5 << "1|2 1|3 1|4|5"
            << "exit 0";
        QTest::newRow("closing the window does too")
            << QStringList{"14:close"} << 14 << "1|2 1|3 1 4|4 1|5 1"
            << "exit 0";
    }

    void clickDuringExchange()
    {
        QFETCH(QStringList, clicks);
        // Each click is queued, so the pause handles it while it processes events.
        onPause = [&](int pause) {
            for (const QString &click : std::as_const(clicks)) {
                if (click.section(u':', 0, 0).toInt() == pause)
                    QMetaObject::invokeMethod(
                        window.get(), [this, click] { act(click.section(u':', 1)); },
                        Qt::QueuedConnection);
            }
        };
        select(0);
        broadcast("192.168.0.4");
        QTEST(int(pauses.size()), "pauses");
        QTEST(tables(), "tables");
        const bool ended = Runtime::ending();
        QTEST(ended ? "exit " + QString::number(Runtime::exitCode()) : "lit " + lit(), "end");
        QCOMPARE(window->isVisible(), !ended);
        QCOMPARE(window->exchangeRunning(), false);
        QCOMPARE(messages, QStringList());

        // Once it has ended, the address is known: Broadcast only says so.
        const QString before = tables();
        pauses.clear();
        ui().Command2->click();
        const QString refusal = "Tolvane|Sudah ada nomor IP '192.168.0.4' dalam tabel ARP";
        QCOMPARE(messages, ended ? QStringList() : QStringList{refusal});
        QCOMPARE(tables(), before);
        QCOMPARE(pauses, QStringList());
    }

    // Without a test's recorder, the refusal is a real modal box.
    void refusalIsAModalBox()
    {
        MessageBox::setRecorder({});
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = QStringList{box->windowTitle(), box->text()}.join(u'|');
            QVERIFY(box->icon() == QMessageBox::Information &&
                    box->standardButtons() == QMessageBox::Ok);
            box->accept();
        });
        select(0);
        broadcast("192.168.0.1");
        QCOMPARE(seen, "Tolvane|Sudah ada nomor IP '192.168.0.1' dalam tabel ARP");
    }

    void runtimeErrorReachesTheUser()
    {
        host(3).setJumlah(4); // more entries than the table holds
        select(0);
        broadcast("192.168.0.4");
        QCOMPARE(messages, QStringList{"!Tolvane|Run-time error: Subscript out of range"});
        QCOMPARE(pauses.join(u' '), "1R0 1S0 2R1 2S1 3R2");
        QCOMPARE(Runtime::exitCode(), 1);
        QVERIFY(Runtime::ending());
        QVERIFY(!window->isVisible());
    }

    // Hosts are radio buttons in chain order in a grouping inside the window, pressed to
    // select, checked while lit, each change of that told once; the description keeps the IP.
    void hostsAreRadioButtons_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("checked"); // per host: checked, then changes told
        QTest::newRow("one selected") << "2"
                                      << "00100 00100";
        QTest::newRow("selected twice") << "22"
                                        << "00100 00100";
        QTest::newRow("another selected") << "41"
                                          << "01000 01002";
    }

    void hostsAreRadioButtons()
    {
        QFETCH(QString, clicks);
        // A reader's Press selects, as a click does.
        for (const QChar c : clicks)
            QAccessible::queryAccessibleInterface(&host(c.digitValue()))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        QString checked, changes;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&host(i));
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QVERIFY(iface->state().checkable);
            QCOMPARE(iface->text(QAccessible::Name), host(i).Nama());
            QVERIFY(iface->text(QAccessible::Description).startsWith("IP address " + host(i).IP()));
            QCOMPARE(iface->childCount(), 0);
            QCOMPARE(iface->actionInterface()->actionNames().value(0),
                     QAccessibleActionInterface::pressAction());
            QCOMPARE(iface->parent()->indexOfChild(iface), i);
            checked += iface->state().checked ? u'1' : u'0';
            changes += QString::number(g_checked.count(&host(i)));
        }
        QTEST(checked + u' ' + changes, "checked");
        QAccessibleInterface *network = QAccessible::queryAccessibleInterface(ui().Frame1);
        QCOMPARE(network->role(), QAccessible::Grouping);
        QCOMPARE(network->childCount(), fUtama::HostCount);
        QCOMPARE(network->indexOfChild(nullptr), -1);
        QCOMPARE(network->parent()->role(), QAccessible::Window);
        // The sentences are a status bar's notifications, which a reader speaks without a role.
        QCOMPARE(QAccessible::queryAccessibleInterface(g_voices.last())->parent()->role(),
                 QAccessible::StatusBar);
        QVERIFY(
            network->parent()->text(QAccessible::Description).contains("Alt+B")); // how to start
    }

    // What each command tells, sentence by sentence ("MAC3" is host 3's MAC), and the
    // requester's table as its description then gives it. Host 0 asks; "before" runs first,
    // "id" there opens the window anew in Indonesian.
    void commandsAreSpoken_data()
    {
        QTest::addColumn<QString>("before"); // broadcasts for the given last digit, "c" clears
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("description"); // host 0's
        QTest::newRow("answered") << ""
                                  << "4"
                                  << "Tesu broadcasts a request for 192.168.0.4.|"
                                     "Bilrun, Dovel, Wimse and Lurfa saved Tesu's address.|"
                                     "Wimse has that address and answers.|"
                                     "The others saved MAC MAC3, and Tesu now holds 2 entries."
                                  << "IP address 192.168.0.1. Its ARP table holds 2 entries, the "
                                     "last 192.168.0.4 at MAC3.";
        QTest::newRow("nobody answered")
            << ""
            << "9"
            << "Tesu broadcasts a request for 192.168.0.9.|"
               "Bilrun, Dovel, Wimse and Lurfa saved Tesu's address.|"
               "No host has 192.168.0.9, so no answer comes."
            << "IP address 192.168.0.1. Its ARP table holds 1 entry, the last 192.168.0.1 at MAC0.";
        QTest::newRow("several answered, the last kept")
            << "4 c"
            << "4"
            << "Tesu broadcasts a request for 192.168.0.4.|"
               "Bilrun, Dovel, Wimse and Lurfa already had Tesu's address.|"
               "Bilrun answers from its ARP table.|Dovel answers from its ARP table.|"
               "Wimse has that address and answers.|Lurfa answers from its ARP table.|"
               "The last answer, from Lurfa, is the one kept.|"
               "The others saved MAC MAC3, and Tesu now holds 3 entries."
            << "IP address 192.168.0.1. Its ARP table holds 3 entries, the last 192.168.0.4 at "
               "MAC3.";
        QTest::newRow("two answered, the last kept")
            << "4 c s2 c s4 c"
            << "4"
            << "Tesu broadcasts a request for 192.168.0.4.|"
               "Dovel and Lurfa saved Tesu's address, Bilrun and Wimse already had it.|"
               "Bilrun answers from its ARP table.|Wimse has that address and answers.|"
               "The last answer, from Wimse, is the one kept.|"
               "The others saved MAC MAC3, and Tesu now holds 2 entries."
            << "IP address 192.168.0.1. Its ARP table holds 2 entries, the last 192.168.0.4 at "
               "MAC3.";
        QTest::newRow("some already had the requester")
            << "9 s1 c s0"
            << "9"
            << "Tesu broadcasts a request for 192.168.0.9.|"
               "Bilrun saved Tesu's address, Dovel, Wimse and Lurfa already had it.|"
               "No host has 192.168.0.9, so no answer comes."
            << "IP address 192.168.0.1. Its ARP table holds 1 entry, the last 192.168.0.1 at MAC0.";
        // The message box that refuses speaks for itself.
        QTest::newRow("refused")
            << ""
            << "1"
            << ""
            << "IP address 192.168.0.1. Its ARP table holds 1 entry, the last 192.168.0.1 at MAC0.";
        QTest::newRow("Hapus Entri")
            << "4"
            << "c"
            << "Tesu's ARP table is cleared and holds 1 entry."
            << "IP address 192.168.0.1. Its ARP table holds 1 entry, the last 192.168.0.1 at MAC0.";
        QTest::newRow("selected") << "4"
                                  << "s"
                                  << "Tesu has IP address 192.168.0.1 and MAC address MAC0, "
                                     "and its ARP table holds 2 entries."
                                  << "IP address 192.168.0.1. Its ARP table holds 2 entries, the "
                                     "last 192.168.0.4 at MAC3.";
        QTest::newRow("answered, in Indonesian")
            << "id"
            << "4"
            << "Tesu menyiarkan permintaan untuk 192.168.0.4.|"
               "Bilrun, Dovel, Wimse dan Lurfa menyimpan alamat Tesu.|"
               "Wimse memiliki alamat itu dan menjawab.|"
               "Komputer lain menyimpan MAC MAC3, dan tabel ARP Tesu sekarang berisi 2 entri."
            << "Alamat IP 192.168.0.1. Tabel ARP-nya berisi 2 entri, yang terakhir 192.168.0.4 "
               "dengan MAC MAC3.";
    }

    void commandsAreSpoken()
    {
        QFETCH(QString, before);
        QFETCH(QString, command);
        QFETCH(QString, said);
        QFETCH(QString, description);
        select(0);
        const auto run = [this](const QString &what) {
            if (what == u"id")
                openInIndonesian();
            else if (what == u"c")
                ui().Command3->click();
            else if (what.startsWith(u's'))
                select(what.mid(1).toInt());
            else
                broadcast("192.168.0." + what);
        };
        for (const QString &what : before.split(u' ', Qt::SkipEmptyParts))
            run(what);
        select(0);
        g_spoken.clear();
        g_voices.clear();
        run(command);
        // Eight sentences in a row each show a voice of their own.
        const QList<QObject *> first = g_voices.first(qMin(g_voices.size(), 8));
        QCOMPARE(QSet<QObject *>(first.begin(), first.end()).size(), first.size());
        const QString macs[] = {host(0).MAC(), host(3).MAC()};
        QCOMPARE(g_spoken.join(u'|'), said.replace("MAC0", macs[0]).replace("MAC3", macs[1]));
        QCOMPARE(QAccessible::queryAccessibleInterface(&host(0))->text(QAccessible::Description),
                 description.replace("MAC0", macs[0]).replace("MAC3", macs[1]));
        QCOMPARE(listed(), Support::tableOf(host(0))); // the view shows what the table holds
        g_spoken.clear();
        // What speaks takes no room: a click at the top of host 0 still reaches the host.
        QCOMPARE(window->childAt(50, 25), &host(0));
    }

    void boxesAndRows()
    {
        // A change made while no reader listens is in the host's description all the same.
        auto *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
        accessibility->setActive(false);
        host(0).Tambah("192.168.0.77", "AB-CD-EF-01-23-45");
        accessibility->setActive(true);
        // A new name, entry or count is told to a reader that listens.
        const std::function<void()> changes[] = {[&] { host(2).setNama("Zed"); },
                                                 [&] { host(2).Tambah("192.168.0.88", "88"); },
                                                 [&] { host(2).setJumlah(1); }};
        for (const auto &change : changes) {
            g_sources.clear();
            change();
            QVERIFY(g_sources.contains(&host(2)));
        }
        QVERIFY(QAccessible::queryAccessibleInterface(&host(0))
                    ->text(QAccessible::Description)
                    .endsWith("the last 192.168.0.77 at AB-CD-EF-01-23-45."));
        select(0);
        QVERIFY(g_sources.contains(ui().Nama));
        // A refresh that changes no box's text sends a reader nothing from the boxes.
        g_sources.clear();
        select(0);
        for (QObject *box :
             std::initializer_list<QObject *>{ui().Nama, ui().IP, ui().MAC, ui().ListView1})
            QVERIFY(!g_sources.contains(box));
        // Each cell of a row has the whole pair as its tip; spoken, the row says it once.
        const QString whole = QStringLiteral("IP 192.168.0.77, MAC AB-CD-EF-01-23-45");
        auto *table = QAccessible::queryAccessibleInterface(ui().ListView1)->tableInterface();
        QTRY_COMPARE(table->rowCount(), 2); // the view lays its rows out once events are processed
        QCOMPARE(
            QAccessible::queryAccessibleInterface(ui().ListView1)->text(QAccessible::Description),
            "2 entries");
        QStringList spoken;
        for (const int column : {0, 1}) {
            QCOMPARE(ui().ListView1->topLevelItem(1)->toolTip(column), whole);
            spoken << table->cellAt(1, column)->text(QAccessible::Name);
        }
        QCOMPARE(spoken.join(", "), whole);
        // The first arrow key in the table goes to the first row.
        ui().ListView1->setFocus();
        QTest::keyClick(ui().ListView1, Qt::Key_Down);
        QCOMPARE(ui().ListView1->currentIndex().row(), 0);

        // A read-only box: its text whole in one run of attributes, its selection and caret,
        // a character found where the box says it stands.
        QAccessibleInterface *mac = QAccessible::queryAccessibleInterface(ui().MAC);
        QAccessibleTextInterface *text = mac->textInterface();
        int start = -1, end = -1;
        QCOMPARE(text->attributes(3, &start, &end), QString());
        QCOMPARE(QString("%1 %2 ").arg(start).arg(end) + text->text(start, end),
                 "0 17 10-11-12-13-14-15");
        text->setSelection(0, 2, 5);
        text->selection(0, &start, &end);
        QCOMPARE(QString("%1 %2 %3").arg(start).arg(end).arg(text->selectionCount()), "2 5 1");
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        text->setCursorPosition(7);
        QCOMPARE(text->cursorPosition(), 7);
        const QRect character = text->characterRect(7);
        // The character begins where the box puts its cursor before it.
        const QRect cursor = ui().MAC->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QCOMPARE(character.left(), ui().MAC->mapToGlobal(cursor.center()).x());
        QCOMPARE(text->offsetAtPoint(character.center()), 7);
        QVERIFY(character.width() > 0 && mac->rect().contains(character));
        QVERIFY(mac->state().readOnly && mac->state().selectableText &&
                mac->role() == QAccessible::EditableText);
        QCOMPARE(mac->text(QAccessible::Value), ui().MAC->text());
    }

    void focusOutline()
    {
        // Host 0, first in the tab order, has the focus as the window opens, and shows it.
        Komputer &k = host(0);
        const QImage focused = k.grab().toImage();
        ui().IPCari->setFocus();
        QTRY_VERIFY(!k.hasFocus());
        const QImage plain = k.grab().toImage();
        const QRgb highlight = k.palette().color(QPalette::Highlight).rgb();
        const int w = focused.width();
        const int h = focused.height();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, h / 2), QPoint(w - 2, h / 2), QPoint(w / 2, h - 2)}) {
            QCOMPARE(focused.pixel(p), highlight);
            QVERIFY(plain.pixel(p) != highlight);
        }
        // An outline two pixels wide and nothing else: inside it the host looks as without focus.
        QCOMPARE(focused.copy(2, 2, w - 4, h - 4), plain.copy(2, 2, w - 4, h - 4));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
