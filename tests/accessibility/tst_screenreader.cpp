// What a screen reader learns of the window through Qt's accessibility interface: each host
// by its name, address, on/off state and the word it shows, announced as it changes; the
// commands with their access keys; the text boxes by their labels.

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

} // namespace

class ScreenReader : public QObject
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

private:
    std::unique_ptr<fUtama> m_window;
};

void ScreenReader::initTestCase()
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

void ScreenReader::init()
{
    Runtime::reset();
    Runtime::setDelayPasses(1);
    MessageBox::setRecorder([](MessageBox::Icon, const QString &, const QString &) {});
    m_window = std::make_unique<fUtama>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    g_heard.clear();
    QAccessible::installUpdateHandler(listen);
}

void ScreenReader::cleanup()
{
    QAccessible::installUpdateHandler(nullptr);
    g_heard.clear();
    m_window.reset();
    MessageBox::setRecorder({});
    Runtime::reset();
}

void ScreenReader::hostsReadAsButtons_data()
{
    QTest::addColumn<int>("host");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("host 0") << 0 << "Tesu"
                            << "IP address 192.168.0.1, off";
    QTest::newRow("host 1") << 1 << "Bilrun"
                            << "IP address 192.168.0.2, off";
    QTest::newRow("host 2") << 2 << "Dovel"
                            << "IP address 192.168.0.3, off";
    QTest::newRow("host 3") << 3 << "Wimse"
                            << "IP address 192.168.0.4, off";
    QTest::newRow("host 4") << 4 << "Lurfa"
                            << "IP address 192.168.0.5, off";
}

void ScreenReader::hostsReadAsButtons()
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

void ScreenReader::descriptionFollowsSelection()
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
    QStringList heard;
    for (const Announcement &a : std::as_const(g_heard)) {
        if (a.type == QAccessible::DescriptionChanged && a.object == &m_window->host(2))
            heard.append(a.description);
    }
    QCOMPARE(heard, QStringList({QStringLiteral("IP address 192.168.0.3, on"),
                                 QStringLiteral("IP address 192.168.0.3, off")}));
}

void ScreenReader::wordsAreAnnounced()
{
    // Host 0 resolves host 3's address: host 3 receives the request, learns host 0 and answers.
    m_window->Komputer1_Click(0);
    g_heard.clear();
    m_window->Command2_Click();

    QStringList heard;
    for (const Announcement &a : std::as_const(g_heard)) {
        if (a.type == QAccessible::DescriptionChanged && a.object == &m_window->host(3))
            heard.append(a.description);
    }
    const QString off = QStringLiteral("IP address 192.168.0.4, off");
    QCOMPARE(heard, QStringList({off + QStringLiteral(", shows \"Receive\""), off,
                                 off + QStringLiteral(", shows \"Saved!\""), off,
                                 off + QStringLiteral(", shows \"Found!\""), off}));
}

void ScreenReader::pressActionSelects()
{
    QAccessibleInterface *iface = accessible(&m_window->host(3));
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{QStringLiteral("Space")});

    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_window->selectedIndex(), qint16(3));
    QVERIFY(m_window->host(3).isLit());
    QCOMPARE(m_window->controls().Nama->text(), QStringLiteral("Wimse"));
    QVERIFY(m_window->controls().Command2->isEnabled());
}

void ScreenReader::commandsNameTheirAccessKeys_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("Broadcast") << "Command2"
                               << "Broadcast" << QStringList{"Alt+B"};
    QTest::newRow("Hapus Entri") << "Command3"
                                 << "Hapus Entri" << QStringList{"Alt+H"};
    QTest::newRow("Exit") << "Command1"
                          << "Exit" << QStringList{};
}

void ScreenReader::commandsNameTheirAccessKeys()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(QStringList, keys);

    auto *widget = m_window->findChild<QPushButton *>(button);
    QVERIFY(widget);
    QAccessibleInterface *iface = accessible(widget);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QStringList bound =
        iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
    bound.removeAll(QString()); // a button without an access key has an empty binding
    QCOMPARE(bound, keys);
}

void ScreenReader::boxesAreNamedByTheirLabels_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");

    QTest::newRow("Nama") << "Nama"
                          << "Nama";
    QTest::newRow("IP") << "IP"
                        << "IP Address";
    QTest::newRow("MAC") << "MAC"
                         << "M A C";
    QTest::newRow("ARP table") << "ListView1"
                               << "Tabel ARP";
    QTest::newRow("IP to resolve") << "IPCari"
                                   << "Cari MAC untuk IP";
    QTest::newRow("network area") << "Frame1"
                                  << "Network";
}

void ScreenReader::boxesAreNamedByTheirLabels()
{
    QFETCH(QString, widget);
    QFETCH(QString, name);

    auto *control = m_window->findChild<QWidget *>(widget);
    QVERIFY(control);
    QCOMPARE(accessible(control)->text(QAccessible::Name), name);
}

QTEST_MAIN(ScreenReader)
#include "tst_screenreader.moc"
