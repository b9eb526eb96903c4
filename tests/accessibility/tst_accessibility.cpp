// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader learns of the window through Qt's accessibility interface, and the
// whole simulation used without a mouse: Tab walks the hosts and the controls in their
// order, a focused host shows a focus frame and Space selects it, Alt+B and Alt+H run the
// commands, and "Exit" is reached with Tab.

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <memory>

namespace {

// What one announcement said: the host's description at the moment of the event.
struct Announcement
{
    QObject *object;
    QAccessible::Event type;
    QString description;
};

QList<Announcement> g_heard;

void listen(QAccessibleEvent *event)
{
    QString description;
    if (QAccessibleInterface *iface = event->accessibleInterface())
        description = iface->text(QAccessible::Description);
    g_heard.append({event->object(), event->type(), description});
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The descriptions announced for one object, in order.
QStringList descriptionsHeard(QObject *object)
{
    QStringList heard;
    for (const Announcement &a : std::as_const(g_heard)) {
        if (a.type == QAccessible::DescriptionChanged && a.object == object)
            heard.append(a.description);
    }
    return heard;
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
}

// The focus chain as Tab (or Shift+Tab) walks it once round, starting at host 0.
QStringList walk(QWidget *window, Qt::KeyboardModifiers modifiers, int steps)
{
    QStringList seen;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                        Qt::Key_Tab, modifiers);
        seen.append(focusName());
    }
    const qsizetype start = seen.indexOf(QStringLiteral("Komputer1_0"));
    if (start < 0)
        return seen;
    QStringList round = seen.mid(start) + seen.mid(0, start);
    round.removeDuplicates();
    return round;
}

// Whether the host's edge is drawn over, where an unfocused host shows its white background.
bool hasFrame(Komputer &host)
{
    const QImage image = host.grab().toImage();
    const int x = image.width() - 3;
    int marked = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        marked +=
            image.pixel(1, y) != qRgb(255, 255, 255) && image.pixel(x, y) != qRgb(255, 255, 255);
    return marked > (image.height() - 6) * 8 / 10;
}

struct Message
{
    QString caption;
    QString text;
};

} // namespace

class Accessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void hostsReadAsButtons_data();
    void hostsReadAsButtons();
    void descriptionFollowsSelection();
    void wordsAreAnnounced();
    void pressActionSelects();
    void commandsNameTheirAccessKeys_data();
    void commandsNameTheirAccessKeys();
    void boxesAreNamedByTheirLabels_data();
    void boxesAreNamedByTheirLabels();
    void tabOrder_data();
    void tabOrder();
    void spaceSelects_data();
    void spaceSelects();
    void wholeSimulationByKeyboard();

private:
    void tabTo(const QString &name);

    std::unique_ptr<fUtama> m_window;
    QList<Message> m_messages;
};

void Accessibility::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Qt sends accessibility events only while an assistive tool listens; this stands in for
    // one, as Qt's own accessibility tests do.
    QPlatformAccessibility *platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void Accessibility::init()
{
    Runtime::reset();
    Runtime::setDelayPasses(1);
    m_messages.clear();
    MessageBox::setRecorder([this](MessageBox::Icon, const QString &caption, const QString &text) {
        m_messages.append({caption, text});
    });
    m_window = std::make_unique<fUtama>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    g_heard.clear();
    QAccessible::installUpdateHandler(listen);
}

void Accessibility::cleanup()
{
    QAccessible::installUpdateHandler(nullptr);
    g_heard.clear();
    m_window.reset();
    MessageBox::setRecorder({});
    Runtime::reset();
}

void Accessibility::hostsReadAsButtons_data()
{
    QTest::addColumn<int>("host");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const QStringList names{"Tesu", "Bilrun", "Dovel", "Wimse", "Lurfa"};
    for (int i = 0; i < fUtama::HostCount; ++i) {
        QTest::addRow("host %d", i)
            << i << names.at(i) << QStringLiteral("IP address 192.168.0.%1, off").arg(i + 1);
    }
}

void Accessibility::hostsReadAsButtons()
{
    QFETCH(int, host);
    QFETCH(QString, name);
    QFETCH(QString, description);

    QAccessibleInterface *iface = accessible(&m_window->host(host));
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QVERIFY(iface->state().focusable);
    // It is one of the network area's children, where a reader walking the window finds it.
    QAccessibleInterface *network = iface->parent();
    QVERIFY(network);
    QCOMPARE(network->object(), m_window->controls().Frame1);
    QVERIFY(network->indexOfChild(iface) >= 0);
}

void Accessibility::descriptionFollowsSelection()
{
    m_window->Komputer1_Click(2);
    QCOMPARE(accessible(&m_window->host(2))->text(QAccessible::Description),
             QStringLiteral("IP address 192.168.0.3, on"));
    m_window->Komputer1_Click(0);
    QCOMPARE(accessible(&m_window->host(2))->text(QAccessible::Description),
             QStringLiteral("IP address 192.168.0.3, off"));
    QCOMPARE(accessible(&m_window->host(0))->text(QAccessible::Description),
             QStringLiteral("IP address 192.168.0.1, on"));

    // Each change was announced to the reader, with the new text.
    QCOMPARE(descriptionsHeard(&m_window->host(2)),
             QStringList({QStringLiteral("IP address 192.168.0.3, on"),
                          QStringLiteral("IP address 192.168.0.3, off")}));
}

void Accessibility::wordsAreAnnounced()
{
    // Host 0 resolves host 3's address: host 3 receives the request, learns host 0 and answers.
    m_window->Komputer1_Click(0);
    g_heard.clear();
    m_window->Command2_Click();

    const QString off = QStringLiteral("IP address 192.168.0.4, off");
    QCOMPARE(descriptionsHeard(&m_window->host(3)),
             QStringList({off + QStringLiteral(", shows \"Receive\""), off,
                          off + QStringLiteral(", shows \"Saved!\""), off,
                          off + QStringLiteral(", shows \"Found!\""), off}));
}

void Accessibility::pressActionSelects()
{
    QAccessibleInterface *iface = accessible(&m_window->host(3));
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{QStringLiteral("Space")});

    // The press goes the way of a click; what selecting does is the keyboard test's part.
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_window->selectedIndex(), qint16(3));
    QVERIFY(m_window->host(3).isLit());
}

// Rows are named by the object name of the widget.
void Accessibility::commandsNameTheirAccessKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("Command2") << QStringLiteral("Broadcast") << QStringList{"Alt+B"};
    QTest::newRow("Command3") << QStringLiteral("Hapus Entri") << QStringList{"Alt+H"};
    QTest::newRow("Command1") << QStringLiteral("Exit") << QStringList{};
}

void Accessibility::commandsNameTheirAccessKeys()
{
    QFETCH(QString, name);
    QFETCH(QStringList, keys);

    auto *widget = m_window->findChild<QPushButton *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QAccessibleInterface *iface = accessible(widget);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QStringList bound =
        iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
    bound.removeAll(QString()); // a button without an access key has an empty binding
    QCOMPARE(bound, keys);
}

void Accessibility::boxesAreNamedByTheirLabels_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("Nama") << QStringLiteral("Nama");
    QTest::newRow("IP") << QStringLiteral("IP Address");
    QTest::newRow("MAC") << QStringLiteral("M A C");
    QTest::newRow("ListView1") << QStringLiteral("Tabel ARP");
    QTest::newRow("IPCari") << QStringLiteral("Cari MAC untuk IP");
    QTest::newRow("Frame1") << QStringLiteral("Network");
}

void Accessibility::boxesAreNamedByTheirLabels()
{
    QFETCH(QString, name);

    auto *control = m_window->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(accessible(control)->text(QAccessible::Name), name);
}

void Accessibility::tabTo(const QString &name)
{
    // At least one Tab: the focus a window gives on activation is not keyboard navigation.
    int steps = 0;
    do {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get(),
                        Qt::Key_Tab);
    } while (focusName() != name && ++steps < 20);
    QCOMPARE(focusName(), name);
}

void Accessibility::tabOrder_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("order");

    // The hosts come first but host 4, which comes last; disabled commands are passed over.
    const QStringList before{"Komputer1_0", "Komputer1_1", "Komputer1_2", "Komputer1_3",
                             "Nama",        "IP",          "MAC",         "ListView1",
                             "Command1",    "IPCari",      "Komputer1_4"};
    const QStringList after{"Komputer1_0", "Komputer1_1", "Komputer1_2", "Komputer1_3", "Nama",
                            "IP",          "MAC",         "ListView1",   "Command1",    "Command2",
                            "IPCari",      "Command3",    "Komputer1_4"};
    QStringList afterBackwards{after.first()};
    for (qsizetype i = after.size() - 1; i > 0; --i)
        afterBackwards.append(after.at(i));

    QTest::newRow("before a selection") << false << false << before;
    QTest::newRow("after a selection") << true << false << after;
    QTest::newRow("after a selection, backwards") << true << true << afterBackwards;
}

void Accessibility::tabOrder()
{
    QFETCH(bool, selected);
    QFETCH(bool, backwards);
    QFETCH(QStringList, order);

    if (selected)
        m_window->Komputer1_Click(2);
    const QStringList round =
        walk(m_window.get(), backwards ? Qt::ShiftModifier : Qt::NoModifier, 2 * int(order.size()));
    QCOMPARE(round, order);
}

void Accessibility::spaceSelects_data()
{
    QTest::addColumn<int>("host");
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i) << i;
}

void Accessibility::spaceSelects()
{
    QFETCH(int, host);

    // Tab brings the focus frame to the host, and to no other.
    tabTo(QStringLiteral("Komputer1_%1").arg(host));
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(hasFrame(m_window->host(i)), i == host);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_window->selectedIndex(), qint16(host));
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(m_window->host(i).isLit(), i == host);
    QCOMPARE(m_window->controls().Nama->text(), m_window->host(host).Nama());
    QCOMPARE(m_window->controls().ListView1->topLevelItemCount(), 1);
    // The focus stays where it was, so the next Tab goes on from the host.
    QCOMPARE(focusName(), QStringLiteral("Komputer1_%1").arg(host));
}

void Accessibility::wholeSimulationByKeyboard()
{
    const Ui::fUtama &ui = m_window->controls();

    // Select host 4, type the address of host 1 and resolve it.
    tabTo(QStringLiteral("Komputer1_4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_window->selectedIndex(), qint16(4));
    tabTo(QStringLiteral("IPCari"));
    QTest::keyClick(ui.IPCari, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ui.IPCari, QStringLiteral("192.168.0.2"));
    // An access key clicks its button as a short animation, once the event loop runs.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(ui.ListView1->topLevelItemCount(), 2);
    QCOMPARE(ui.ListView1->topLevelItem(1)->text(0), QStringLiteral("192.168.0.2"));
    QCOMPARE(ui.ListView1->topLevelItem(1)->text(1), m_window->host(1).MAC());

    // Again: the address is known now, and the message says so.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().caption, QStringLiteral("Tolvane"));
    QCOMPARE(m_messages.first().text,
             QStringLiteral("Sudah ada nomor IP '192.168.0.2' dalam tabel ARP"));

    // Clear the table, and leave with Tab and Space on "Exit".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(ui.ListView1->topLevelItemCount(), 1);
    tabTo(QStringLiteral("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!m_window->isVisible());
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
}

QTEST_MAIN(Accessibility)
#include "tst_accessibility.moc"
