#include "HostTest.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/PropertyBag.h"
#include "host/Runtime.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <functional>

using namespace HostTest;

namespace {

const QStringList StoredNames = {QStringLiteral("Nama"),   QStringLiteral("MAC"),
                                 QStringLiteral("State"),  QStringLiteral("IP"),
                                 QStringLiteral("Jumlah"), QStringLiteral("Caption")};

const QColor White(255, 255, 255);

// Where the caption label and the lit screen lie on a host, in pixels (15 twips each).
const QRect CaptionArea(47, 34, 61, 23);
const QPoint ScreenCorner(42, 16);

// Counts passes of event processing: it posts itself again each time it runs, and an event
// posted while events are being handled waits for the next pass.
class PassCounter : public QObject
{
public:
    int passes = 0;
    std::function<void(int)> onPass;

    void start() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }

protected:
    void customEvent(QEvent *) override
    {
        ++passes;
        if (onPass)
            onPass(passes);
        start();
    }
};

// A host in a larger window, so that a mouse release can also happen beside it.
struct Placed
{
    QWidget window;
    Komputer *host;
    QLineEdit *edit;

    Placed() : host(new Komputer(&window)), edit(new QLineEdit(&window))
    {
        window.resize(400, 300);
        host->move(20, 30);
        edit->setGeometry(220, 30, 150, 24);
    }
    QWindow *handle() { return window.windowHandle(); }
    QPoint at(QPoint local) const { return host->mapTo(&window, local); }
};

QImage render(Komputer &host)
{
    return host.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage picture(const char *name)
{
    return QImage(QStringLiteral(":/host/pictures/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_RGB32);
}

// What a host of this size shows with no caption: the computer picture at its natural size
// from the top-left corner, the lit screen over it when on, white wherever neither reaches.
QImage expectedLook(QSize size, bool lit)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    painter.drawImage(0, 0, picture("komputer"));
    if (lit)
        painter.drawImage(ScreenCorner, picture("nyala"));
    return image;
}

// The first pixel, outside skip, in which the two images differ, or the empty text.
QString firstDifference(const QImage &actual, const QImage &expected, QRect skip = QRect())
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (skip.contains(x, y) || actual.pixel(x, y) == expected.pixel(x, y))
                continue;
            return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                .arg(x)
                .arg(y)
                .arg(QColor(actual.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name());
        }
    }
    return QString();
}

bool isYellow(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 100;
}

int yellowPixels(const QImage &image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += isYellow(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

QVariant valueOf(const Komputer &host, const QString &name)
{
    return host.property(name.toLatin1().constData());
}

PropertyBag bagOf(const QVariantList &values)
{
    PropertyBag bag;
    for (int i = 0; i < values.size(); ++i)
        bag.WriteProperty(StoredNames[i], values[i], QVariant());
    return bag;
}

QStringList namesOf(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

QString accessibleText(Komputer &host, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&host);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

// The host's display, its stored design-time values, its Click and its pause.
class TestKomputer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Display
    void freshHostShowsDesign();
    void stateShowsAndHidesNyala();
    void captionIsIndikatorText();
    void setterSendsOwnNotice_data();
    void setterSendsOwnNotice();

    // Design-time store
    void newInstance_data();
    void newInstance();
    void loadKeysInAnyCase_data();
    void loadKeysInAnyCase();
    void loadAbsentNamesGivesDefaults();
    void loadLeavesNyalaAndSendsNothing_data();
    void loadLeavesNyalaAndSendsNothing();
    void loadedCountHasNoStorage();
    void loadConverts_data();
    void loadConverts();
    void loadStopsAtUnconvertibleValue_data();
    void loadStopsAtUnconvertibleValue();
    void saveWritesSixNamesInOrder();
    void saveThenLoadRoundTrips_data();
    void saveThenLoadRoundTrips();
    void loadFromDynamicProperties();

    // Click
    void leftClickAnywhereIsClick_data();
    void leftClickAnywhereIsClick();
    void otherMouseActionsAreNoClick_data();
    void otherMouseActionsAreNoClick();
    void spaceOnFocusedHostIsClick();

    // Pause
    void delayHandlesPendingEvents();
    void delayRunsItsPasses_data();
    void delayRunsItsPasses();
    void delayTellsObserverFirst();
    void delayUnwindsOnceEnding_data();
    void delayUnwindsOnceEnding();

    // Looks
    void picturesHaveTheirSizes();
    void emptyCaptionShowsNoBox_data();
    void emptyCaptionShowsNoBox();
    void screenIsDarkOffAndGreenOn();
    void wordIsYellowOverScreen_data();
    void wordIsYellowOverScreen();
    void instanceSizeCutsOrPads_data();
    void instanceSizeCutsOrPads();
    void accessibleNameAndDescription();
};

void TestKomputer::init()
{
    Runtime::reset();
    Module1::reset();
}

void TestKomputer::cleanup()
{
    Runtime::reset();
    Module1::reset();
}

void TestKomputer::freshHostShowsDesign()
{
    Komputer host;
    QCOMPARE(host.size(), QSize(148, 157));
    QVERIFY(!host.isLit());
    QCOMPARE(host.Caption(), QStringLiteral("Label1"));
    QCOMPARE(host.metaObject()->classInfo(host.metaObject()->indexOfClassInfo("ClassId")).value(),
             "Kavora.Komputer");
}

void TestKomputer::stateShowsAndHidesNyala()
{
    Komputer host;
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    const bool steps[] = {false, false, true, true, false, true};
    for (const bool state : steps) {
        host.setState(state);
        QCOMPARE(host.State(), state);
        QCOMPARE(host.isLit(), state);
    }
    QCOMPARE(namesOf(notices), QStringList(std::size(steps), QStringLiteral("State")));
}

void TestKomputer::captionIsIndikatorText()
{
    Komputer host;
    host.setCaption(QStringLiteral("Found!"));
    QCOMPARE(host.Caption(), QStringLiteral("Found!"));
    host.setCaption(QString());
    QCOMPARE(host.Caption(), QString());

    // Reception writes its words straight into the label; Caption reads them there.
    QStringList shown;
    Runtime::setDelayPasses(1);
    Runtime::setPauseObserver([&](Komputer &pausing) { shown << pausing.Caption(); });
    host.setIP(QStringLiteral("192.168.0.3"));
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    Module1::Packet.Operation = 1;
    Module1::Packet.SenderIP = QStringLiteral("192.168.0.1");
    Module1::Packet.TargetIP = QStringLiteral("192.168.0.4");
    host.Receive();
    QCOMPARE(shown, QStringList({QStringLiteral("Receive"), QStringLiteral("Saved!")}));
    QCOMPARE(host.Caption(), QString());
    QCOMPARE(notices.count(), 0);
}

void TestKomputer::setterSendsOwnNotice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("Nama") << "Nama" << QVariant(QStringLiteral("Server"));
    QTest::newRow("MAC") << "MAC" << QVariant(QStringLiteral("00-0C-29-4F-8E-35"));
    QTest::newRow("State on") << "State" << QVariant(true);
    QTest::newRow("State off") << "State" << QVariant(false);
    QTest::newRow("IP") << "IP" << QVariant(QStringLiteral("192.168.0.1"));
    QTest::newRow("Jumlah") << "Jumlah" << QVariant::fromValue(qint16(3));
    QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Saved!"));
    QTest::newRow("Caption empty") << "Caption" << QVariant(QString());
}

void TestKomputer::setterSendsOwnNotice()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    Komputer host;
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    const QByteArray key = name.toLatin1();

    // The second set writes the same value again: it is announced all the same.
    QVERIFY(host.setProperty(key.constData(), value));
    QCOMPARE(namesOf(notices), QStringList({name}));
    QVERIFY(host.setProperty(key.constData(), value));
    QCOMPARE(namesOf(notices), QStringList({name, name}));
    QCOMPARE(valueOf(host, name), value);
}

void TestKomputer::newInstance_data()
{
    QTest::addColumn<bool>("litBefore");
    QTest::addColumn<QString>("captionBefore");
    QTest::newRow("fresh host") << false << QStringLiteral("Label1");
    QTest::newRow("lit host showing a word") << true << QStringLiteral("Found!");
    QTest::newRow("dark host without caption") << false << QString();
}

void TestKomputer::newInstance()
{
    QFETCH(bool, litBefore);
    QFETCH(QString, captionBefore);
    Komputer host;
    if (litBefore)
        host.setState(true);
    if (captionBefore != host.Caption())
        host.setCaption(captionBefore);
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    host.NewInstance();

    QCOMPARE(host.Nama(), QStringLiteral("0"));
    QCOMPARE(host.MAC(), QStringLiteral("0"));
    QCOMPARE(host.State(), true);
    QCOMPARE(host.IP(), QStringLiteral("0"));
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);
    QCOMPARE(notices.count(), 0);
    QCOMPARE(host.isLit(), litBefore);
    QCOMPARE(host.Caption(), captionBefore);
}

void TestKomputer::loadKeysInAnyCase_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("as the window stores them") << QStringList({"nama", "mac", "ip"});
    QTest::newRow("as the host names them") << QStringList({"Nama", "MAC", "IP"});
    QTest::newRow("upper case") << QStringList({"NAMA", "MAC", "IP"});
    QTest::newRow("mixed case") << QStringList({"nAmA", "Mac", "iP"});
}

void TestKomputer::loadKeysInAnyCase()
{
    QFETCH(QStringList, keys);
    PropertyBag bag;
    bag.WriteProperty(keys[0], QStringLiteral("Server"), QVariant());
    bag.WriteProperty(keys[1], QStringLiteral("00-0C-29-4F-8E-35"), QVariant());
    bag.WriteProperty(keys[2], QStringLiteral("192.168.0.1"), QVariant());
    Komputer host;

    host.LoadProperties(bag);

    QCOMPARE(host.Nama(), QStringLiteral("Server"));
    QCOMPARE(host.MAC(), QStringLiteral("00-0C-29-4F-8E-35"));
    QCOMPARE(host.IP(), QStringLiteral("192.168.0.1"));
    QCOMPARE(host.State(), true);
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.Caption(), QStringLiteral("Label1"));
}

void TestKomputer::loadAbsentNamesGivesDefaults()
{
    Komputer host;
    host.setNama(QStringLiteral("old"));
    host.setState(false);
    host.setCaption(QString());
    host.setJumlah(4);

    host.LoadProperties(PropertyBag());

    QCOMPARE(host.Nama(), QStringLiteral("0"));
    QCOMPARE(host.MAC(), QStringLiteral("0"));
    QCOMPARE(host.State(), true);
    QCOMPARE(host.IP(), QStringLiteral("0"));
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.Caption(), QStringLiteral("Label1"));
}

void TestKomputer::loadLeavesNyalaAndSendsNothing_data()
{
    QTest::addColumn<bool>("litBefore");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("dark, loads on") << false << QVariant(true);
    QTest::newRow("dark, loads off") << false << QVariant(false);
    QTest::newRow("dark, loads the default") << false << QVariant();
    QTest::newRow("lit, loads off") << true << QVariant(false);
    QTest::newRow("lit, loads on") << true << QVariant(true);
}

void TestKomputer::loadLeavesNyalaAndSendsNothing()
{
    QFETCH(bool, litBefore);
    QFETCH(QVariant, stored);
    Komputer host;
    host.setState(litBefore);
    PropertyBag bag = bagOf({QStringLiteral("Server"), QStringLiteral("00-0C-29-4F-8E-35")});
    if (stored.isValid())
        bag.WriteProperty(QStringLiteral("State"), stored, QVariant());
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Found!"), QVariant());
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    host.LoadProperties(bag);

    QCOMPARE(host.State(), stored.isValid() ? stored.toBool() : true);
    QCOMPARE(host.isLit(), litBefore);
    QCOMPARE(notices.count(), 0);

    // The next set of State brings the picture in line again.
    host.setState(host.State());
    QCOMPARE(host.isLit(), host.State());
}

void TestKomputer::loadedCountHasNoStorage()
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Jumlah"), QVariant::fromValue(qint16(2)), QVariant());
    Komputer host;
    host.LoadProperties(bag);
    QCOMPARE(host.Jumlah(), qint16(2));
    QCOMPARE(host.storageSize(), 0);
    QCOMPARE(errorOf([&] { host.Ada(QStringLiteral("192.168.0.1")); }), SubscriptOutOfRange);
}

void TestKomputer::loadConverts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded");
    QTest::newRow("State from text False") << "State" << QVariant("False") << QVariant(false);
    QTest::newRow("State from text true") << "State" << QVariant("true") << QVariant(true);
    QTest::newRow("State from text 0") << "State" << QVariant("0") << QVariant(false);
    QTest::newRow("State from -1") << "State" << QVariant(-1) << QVariant(true);
    QTest::newRow("State from 0") << "State" << QVariant(0) << QVariant(false);
    QTest::newRow("Jumlah from text")
        << "Jumlah" << QVariant("3") << QVariant::fromValue(qint16(3));
    QTest::newRow("Jumlah rounds half to even, down")
        << "Jumlah" << QVariant(2.5) << QVariant::fromValue(qint16(2));
    QTest::newRow("Jumlah rounds half to even, up")
        << "Jumlah" << QVariant(3.5) << QVariant::fromValue(qint16(4));
    QTest::newRow("Jumlah from true")
        << "Jumlah" << QVariant(true) << QVariant::fromValue(qint16(-1));
    QTest::newRow("Jumlah at the top")
        << "Jumlah" << QVariant(32767) << QVariant::fromValue(qint16(32767));
    QTest::newRow("Nama from a number") << "Nama" << QVariant(42) << QVariant("42");
    QTest::newRow("IP from a boolean") << "IP" << QVariant(true) << QVariant("True");
    QTest::newRow("Caption empty") << "Caption" << QVariant("") << QVariant("");
}

void TestKomputer::loadConverts()
{
    QFETCH(QString, name);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, loaded);
    PropertyBag bag;
    bag.WriteProperty(name, stored, QVariant());
    Komputer host;
    host.LoadProperties(bag);
    QCOMPARE(valueOf(host, name), loaded);
}

void TestKomputer::loadStopsAtUnconvertibleValue_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("error");
    QTest::newRow("Nama not text") << "Nama" << QVariant(QPoint(1, 2)) << TypeMismatch;
    QTest::newRow("MAC not text") << "MAC" << QVariant(QPoint(1, 2)) << TypeMismatch;
    QTest::newRow("State maybe") << "State" << QVariant("maybe") << TypeMismatch;
    QTest::newRow("State not a value") << "State" << QVariant(QPoint(1, 2)) << TypeMismatch;
    QTest::newRow("IP not text") << "IP" << QVariant(QPoint(1, 2)) << TypeMismatch;
    QTest::newRow("Jumlah abc") << "Jumlah" << QVariant("abc") << TypeMismatch;
    QTest::newRow("Jumlah 40000") << "Jumlah" << QVariant(40000) << Overflow;
    QTest::newRow("Jumlah text 40000") << "Jumlah" << QVariant("40000") << Overflow;
    QTest::newRow("Jumlah below the range") << "Jumlah" << QVariant(-32769) << Overflow;
    QTest::newRow("Caption not text") << "Caption" << QVariant(QPoint(1, 2)) << TypeMismatch;
}

void TestKomputer::loadStopsAtUnconvertibleValue()
{
    QFETCH(QString, failing);
    QFETCH(QVariant, stored);
    QFETCH(QString, error);
    const QVariantList before = {
        QStringLiteral("old name"), QStringLiteral("old mac"),      false,
        QStringLiteral("old ip"),   QVariant::fromValue(qint16(0)), QStringLiteral("old caption")};
    const QVariantList after = {QStringLiteral("Server"),
                                QStringLiteral("00-0C-29-4F-8E-35"),
                                true,
                                QStringLiteral("192.168.0.1"),
                                QVariant::fromValue(qint16(5)),
                                QStringLiteral("Found!")};
    Komputer host;
    for (int i = 0; i < StoredNames.size(); ++i)
        host.setProperty(StoredNames[i].toLatin1().constData(), before[i]);
    PropertyBag bag = bagOf(after);
    bag.WriteProperty(failing, stored, QVariant());
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    QCOMPARE(errorOf([&] { host.LoadProperties(bag); }), error);

    // The names before the failing one were loaded, the failing one and the rest were not.
    const int stop = StoredNames.indexOf(failing);
    for (int i = 0; i < StoredNames.size(); ++i)
        QCOMPARE(valueOf(host, StoredNames[i]), i < stop ? after[i] : before[i]);
    QCOMPARE(notices.count(), 0);
}

void TestKomputer::saveWritesSixNamesInOrder()
{
    Komputer host;
    host.setNama(QStringLiteral("Server"));
    host.setMAC(QStringLiteral("00-0C-29-4F-8E-35"));
    host.setState(false);
    host.setIP(QStringLiteral("192.168.0.1"));
    host.Tambah(QStringLiteral("192.168.0.1"), QStringLiteral("00-0C-29-4F-8E-35"));
    host.Tambah(QStringLiteral("192.168.0.2"), QStringLiteral("00-50-56-C0-00-08"));
    host.setCaption(QStringLiteral("Saved!"));
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    PropertyBag bag;
    host.SaveProperties(bag);

    QCOMPARE(bag.names(), StoredNames);
    const QVariant nothing;
    QCOMPARE(bag.ReadProperty(QStringLiteral("Nama"), nothing), QVariant("Server"));
    QCOMPARE(bag.ReadProperty(QStringLiteral("MAC"), nothing), QVariant("00-0C-29-4F-8E-35"));
    QCOMPARE(bag.ReadProperty(QStringLiteral("State"), nothing), QVariant(false));
    QCOMPARE(bag.ReadProperty(QStringLiteral("IP"), nothing), QVariant("192.168.0.1"));
    QCOMPARE(bag.ReadProperty(QStringLiteral("Jumlah"), nothing), QVariant::fromValue(qint16(2)));
    QCOMPARE(bag.ReadProperty(QStringLiteral("Caption"), nothing), QVariant("Saved!"));
    QCOMPARE(bag.ReadProperty(QStringLiteral("State"), nothing).typeId(), QMetaType::Bool);
    QCOMPARE(bag.ReadProperty(QStringLiteral("Jumlah"), nothing).typeId(), QMetaType::Short);
    QCOMPARE(notices.count(), 0);
}

void TestKomputer::saveThenLoadRoundTrips_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::newRow("off, with a word")
        << QVariantList({"Server", "00-0C-29-4F-8E-35", false, "192.168.0.1",
                         QVariant::fromValue(qint16(3)), "Found!"});
    QTest::newRow("on, empty caption") << QVariantList(
        {"Client 1", "8-0-27-A1-5-E", true, "10.0.0.7", QVariant::fromValue(qint16(0)), ""});
    QTest::newRow("the defaults") << QVariantList(
        {"0", "0", true, "0", QVariant::fromValue(qint16(0)), "Label1"});
    QTest::newRow("negative count") << QVariantList(
        {" a ", "", false, "192.168.0.1 ", QVariant::fromValue(qint16(-32768)), " "});
}

void TestKomputer::saveThenLoadRoundTrips()
{
    QFETCH(QVariantList, values);
    Komputer original;
    for (int i = 0; i < StoredNames.size(); ++i)
        QVERIFY(original.setProperty(StoredNames[i].toLatin1().constData(), values[i]));
    PropertyBag bag;
    original.SaveProperties(bag);

    Komputer copy;
    copy.LoadProperties(bag);
    for (int i = 0; i < StoredNames.size(); ++i)
        QCOMPARE(valueOf(copy, StoredNames[i]), values[i]);
    QCOMPARE(copy.storageSize(), 0);
}

void TestKomputer::loadFromDynamicProperties()
{
    // The window's layout stores its values on each host as dynamic properties.
    Komputer host;
    host.setProperty("nama", QStringLiteral("Server"));
    host.setProperty("mac", QStringLiteral("00-0C-29-4F-8E-35"));
    host.setProperty("ip", QStringLiteral("192.168.0.1"));
    host.setProperty("_extentx", 2220);
    host.setProperty("_extenty", 2520);
    host.setProperty("_q_internal", QStringLiteral("not design data"));

    const PropertyBag bag = PropertyBag::fromDynamicProperties(host);
    QVERIFY(bag.contains(QStringLiteral("Nama")));
    QVERIFY(bag.contains(QStringLiteral("_EXTENTX")));
    QVERIFY(!bag.contains(QStringLiteral("_q_internal")));
    QCOMPARE(bag.ReadProperty(QStringLiteral("_extenty"), QVariant()), QVariant(2520));

    host.LoadProperties(bag);
    QCOMPARE(host.Nama(), QStringLiteral("Server"));
    QCOMPARE(host.MAC(), QStringLiteral("00-0C-29-4F-8E-35"));
    QCOMPARE(host.IP(), QStringLiteral("192.168.0.1"));
    QCOMPARE(host.State(), true);
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.Caption(), QStringLiteral("Label1"));
}

void TestKomputer::leftClickAnywhereIsClick_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("lit");
    QTest::addColumn<bool>("onLabel"); // the point lies on a shown constituent label
    QTest::newRow("white corner") << QPoint(2, 2) << false << false;
    QTest::newRow("white below the picture") << QPoint(70, 156) << false << false;
    QTest::newRow("keyboard of the picture") << QPoint(75, 130) << false << false;
    QTest::newRow("dark screen") << QPoint(48, 20) << false << false;
    QTest::newRow("caption on the dark screen") << CaptionArea.center() << false << true;
    QTest::newRow("lit screen") << QPoint(48, 20) << true << true;
    QTest::newRow("lit screen's corner") << QPoint(111, 67) << true << true;
    QTest::newRow("caption on the lit screen") << CaptionArea.center() << true << true;
}

void TestKomputer::leftClickAnywhereIsClick()
{
    QFETCH(QPoint, point);
    QFETCH(bool, lit);
    QFETCH(bool, onLabel);
    Placed placed;
    placed.host->setState(lit);
    placed.host->setCaption(QStringLiteral("Found!"));
    placed.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&placed.window));

    // Make sure the row does click where it says: on a label or on the host's own surface.
    bool overLabel = false;
    for (const QLabel *label : placed.host->findChildren<QLabel *>()) {
        if (label->isVisible() && label->geometry().contains(point))
            overLabel = true;
    }
    QCOMPARE(overLabel, onLabel);

    // Through the window, so the event goes to whichever widget lies under the point.
    QSignalSpy clicks(placed.host, &Komputer::Click);
    QTest::mouseClick(placed.handle(), Qt::LeftButton, {}, placed.at(point));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(placed.handle(), Qt::LeftButton, {}, placed.at(point));
    QCOMPARE(clicks.count(), 2);
}

void TestKomputer::otherMouseActionsAreNoClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    const QPoint inside = CaptionArea.center();
    const QPoint beside(200, 60);
    QTest::newRow("right button") << int(Qt::RightButton) << inside << inside;
    QTest::newRow("middle button") << int(Qt::MiddleButton) << inside << inside;
    QTest::newRow("left, released beside the host") << int(Qt::LeftButton) << inside << beside;
    QTest::newRow("left, released just past the edge")
        << int(Qt::LeftButton) << QPoint(140, 60) << QPoint(148, 60);
    QTest::newRow("left, pressed beside the host") << int(Qt::LeftButton) << beside << inside;
}

void TestKomputer::otherMouseActionsAreNoClick()
{
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    Placed placed;
    placed.host->setState(true);
    placed.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&placed.window));
    QSignalSpy clicks(placed.host, &Komputer::Click);
    const auto which = static_cast<Qt::MouseButton>(button);

    QTest::mousePress(placed.handle(), which, {}, placed.at(press));
    QTest::mouseRelease(placed.handle(), which, {}, placed.at(release));
    QCOMPARE(clicks.count(), 0);

    // The host still takes an ordinary click afterwards.
    QTest::mouseClick(placed.handle(), Qt::LeftButton, {}, placed.at(QPoint(75, 130)));
    QCOMPARE(clicks.count(), 1);
}

void TestKomputer::spaceOnFocusedHostIsClick()
{
    Placed placed;
    placed.window.show();
    placed.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&placed.window));
    QSignalSpy clicks(placed.host, &Komputer::Click);

    // Keys go through the window to whatever has the focus.
    placed.edit->setFocus();
    QTRY_VERIFY(placed.edit->hasFocus());
    QTest::keyClick(placed.handle(), Qt::Key_Space);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(placed.edit->text(), QStringLiteral(" "));

    placed.host->setFocus();
    QTRY_VERIFY(placed.host->hasFocus());
    QTest::keyClick(placed.handle(), Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(placed.handle(), Qt::Key_Return);
    QTest::keyClick(placed.handle(), Qt::Key_A);
    QCOMPARE(clicks.count(), 1);
}

void TestKomputer::delayHandlesPendingEvents()
{
    Runtime::setDelayPasses(3);
    Komputer host;
    Komputer other;
    bool called = false;
    QMetaObject::invokeMethod(
        &host, [&] { called = true; }, Qt::QueuedConnection);
    QSignalSpy clicks(&other, &Komputer::Click);
    const QPointF point(75, 130);
    QCoreApplication::postEvent(&other, new QMouseEvent(QEvent::MouseButtonPress, point, point,
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(&other, new QMouseEvent(QEvent::MouseButtonRelease, point, point,
                                                        Qt::LeftButton, Qt::NoButton, {}));
    QVERIFY(!called);

    host.Delay();

    QVERIFY(called);
    QCOMPARE(clicks.count(), 1);
}

void TestKomputer::delayRunsItsPasses_data()
{
    QTest::addColumn<int>("passes");
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("ten") << 10;
    QTest::newRow("the program's own length") << -1;
}

void TestKomputer::delayRunsItsPasses()
{
    QFETCH(int, passes);
    if (passes > 0)
        Runtime::setDelayPasses(passes);
    else
        passes = 100000;
    Komputer host;
    PassCounter counter;
    counter.start();

    host.Delay();

    QCOMPARE(counter.passes, passes);
}

void TestKomputer::delayTellsObserverFirst()
{
    Runtime::setDelayPasses(5);
    Komputer host;
    Komputer other;
    PassCounter counter;
    counter.start();
    QList<Komputer *> told;
    QList<int> passesSoFar;
    Runtime::setPauseObserver([&](Komputer &pausing) {
        told << &pausing;
        passesSoFar << counter.passes;
    });

    host.Delay();
    other.Delay();

    QCOMPARE(told, QList<Komputer *>({&host, &other}));
    QCOMPARE(passesSoFar, QList<int>({0, 5}));
}

void TestKomputer::delayUnwindsOnceEnding_data()
{
    QTest::addColumn<int>("endAtPass"); // 0: the program is ending before the pause starts
    QTest::newRow("ending before the pause") << 0;
    QTest::newRow("ending in the first pass") << 1;
    QTest::newRow("ending in the fourth pass") << 4;
}

void TestKomputer::delayUnwindsOnceEnding()
{
    QFETCH(int, endAtPass);
    Runtime::setDelayPasses(100);
    Komputer host;
    int observed = 0;
    Runtime::setPauseObserver([&](Komputer &) { ++observed; });
    PassCounter counter;
    counter.onPass = [&](int pass) {
        if (pass == endAtPass)
            Runtime::end(0);
    };
    if (endAtPass == 0)
        Runtime::end(0);
    counter.start();

    QVERIFY_THROWS_EXCEPTION(Unwind, host.Delay());

    // At most one more pass after the end was asked for, none of the remaining ones.
    QVERIFY2(counter.passes >= endAtPass && counter.passes <= endAtPass + 1,
             qPrintable(QStringLiteral("%1 passes").arg(counter.passes)));
    QCOMPARE(observed, 1);
    QCOMPARE(Runtime::exitCode(), 0);
}

void TestKomputer::picturesHaveTheirSizes()
{
    QCOMPARE(picture("komputer").size(), QSize(145, 155));
    QCOMPARE(picture("nyala").size(), QSize(70, 52));
}

void TestKomputer::emptyCaptionShowsNoBox_data()
{
    QTest::addColumn<bool>("lit");
    QTest::newRow("off") << false;
    QTest::newRow("on") << true;
}

void TestKomputer::emptyCaptionShowsNoBox()
{
    QFETCH(bool, lit);
    Komputer host;
    host.setState(lit);
    host.setCaption(QStringLiteral("Found!"));
    host.setCaption(QString());
    const QString difference = firstDifference(render(host), expectedLook(host.size(), lit));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestKomputer::screenIsDarkOffAndGreenOn()
{
    Komputer host;
    host.setCaption(QString());
    const QPoint screen(75, 40);

    host.setState(false);
    const QColor dark = render(host).pixelColor(screen);
    QVERIFY2(dark.lightness() < 60 && dark.blue() >= dark.red(), qPrintable(dark.name()));

    host.setState(true);
    const QColor green = render(host).pixelColor(screen);
    QVERIFY2(green.green() > 60 && green.green() > 2 * green.red() &&
                 green.green() > 2 * green.blue(),
             qPrintable(green.name()));
}

void TestKomputer::wordIsYellowOverScreen_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<QString>("word");
    for (const char *word : {"Receive", "Saved!", "Found!"}) {
        QTest::addRow("off, %s", word) << false << QString::fromLatin1(word);
        QTest::addRow("on, %s", word) << true << QString::fromLatin1(word);
    }
}

void TestKomputer::wordIsYellowOverScreen()
{
    QFETCH(bool, lit);
    QFETCH(QString, word);
    Komputer host;
    host.setState(lit);
    host.setCaption(word);
    const QImage shown = render(host);

    QVERIFY2(yellowPixels(shown, CaptionArea) >= 20,
             qPrintable(QStringLiteral("%1 yellow pixels").arg(yellowPixels(shown, CaptionArea))));
    // Around the letters the screen shows through: no box of the label's own.
    const QImage bare = expectedLook(host.size(), lit);
    int screenAroundLetters = 0;
    for (int y = CaptionArea.top(); y <= CaptionArea.bottom(); ++y) {
        for (int x = CaptionArea.left(); x <= CaptionArea.right(); ++x)
            screenAroundLetters += shown.pixel(x, y) == bare.pixel(x, y) ? 1 : 0;
    }
    QVERIFY2(screenAroundLetters > CaptionArea.width() * CaptionArea.height() / 2,
             qPrintable(QStringLiteral("%1 screen pixels").arg(screenAroundLetters)));
    // And nothing of the word reaches past the label.
    const QString difference = firstDifference(shown, bare, CaptionArea);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestKomputer::instanceSizeCutsOrPads_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("lit");
    QTest::newRow("narrowest placed, 2130 twips") << QSize(142, 168) << false;
    QTest::newRow("narrowest placed, lit") << QSize(142, 168) << true;
    QTest::newRow("design size") << QSize(148, 157) << false;
    QTest::newRow("host 1's size, lit") << QSize(148, 156) << true;
    QTest::newRow("larger than the picture") << QSize(160, 175) << false;
}

void TestKomputer::instanceSizeCutsOrPads()
{
    QFETCH(QSize, size);
    QFETCH(bool, lit);
    Komputer host;
    host.resize(size);
    host.setState(lit);
    host.setCaption(QString());
    const QImage shown = render(host);

    // The picture is neither stretched nor repeated: cut at a narrow edge, white past it.
    const QString difference = firstDifference(shown, expectedLook(size, lit));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    if (size.width() > 145)
        QCOMPARE(shown.pixelColor(size.width() - 1, 80), White);
    if (size.height() > 155)
        QCOMPARE(shown.pixelColor(70, size.height() - 1), White);
}

void TestKomputer::accessibleNameAndDescription()
{
    Komputer host;
    host.setNama(QStringLiteral("Server"));
    host.setIP(QStringLiteral("192.168.0.1"));
    host.setState(false);
    host.setCaption(QString());
    QCOMPARE(accessibleText(host, QAccessible::Name), QStringLiteral("Server"));
    const QRegularExpression on(QStringLiteral("\\bon\\b"));
    const QRegularExpression off(QStringLiteral("\\boff\\b"));

    QString description = accessibleText(host, QAccessible::Description);
    QVERIFY2(description.contains(QStringLiteral("192.168.0.1")), qPrintable(description));
    QVERIFY2(description.contains(off) && !description.contains(on), qPrintable(description));

    host.setState(true);
    host.setCaption(QStringLiteral("Found!"));
    description = accessibleText(host, QAccessible::Description);
    QVERIFY2(description.contains(on) && !description.contains(off), qPrintable(description));
    QVERIFY2(description.contains(QStringLiteral("Found!")), qPrintable(description));

    // A word flashed by reception is described while it shows, and gone afterwards.
    QString duringPause;
    Runtime::setDelayPasses(1);
    Runtime::setPauseObserver([&](Komputer &pausing) {
        if (duringPause.isEmpty())
            duringPause = accessibleText(pausing, QAccessible::Description);
    });
    host.setCaption(QString());
    Module1::Packet.SenderIP = QStringLiteral("192.168.0.2");
    host.Receive();
    QVERIFY2(duringPause.contains(QStringLiteral("Receive")), qPrintable(duringPause));
    description = accessibleText(host, QAccessible::Description);
    QVERIFY2(!description.contains(QStringLiteral("Receive")) &&
                 !description.contains(QStringLiteral("Saved!")),
             qPrintable(description));

    // Names loaded from the design data are what a screen reader reads as well.
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("nama"), QStringLiteral("Client 3"), QVariant());
    bag.WriteProperty(QStringLiteral("ip"), QStringLiteral("192.168.0.4"), QVariant());
    host.LoadProperties(bag);
    QCOMPARE(accessibleText(host, QAccessible::Name), QStringLiteral("Client 3"));
    QVERIFY(accessibleText(host, QAccessible::Description).contains(QStringLiteral("192.168.0.4")));
}

TOLVANE_HOST_TEST_MAIN(TestKomputer)
#include "tst_komputer.moc"
