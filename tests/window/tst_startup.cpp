// The window's address generators and what Form_Load leaves behind before the window shows.

#include "WindowTest.h"

#include <QRegularExpression>
#include <QScreen>
#include <QTime>

#include <cmath>
#include <optional>
#include <set>

using namespace WindowTest;

namespace {

constexpr float MacScale = 256.0f;
constexpr float IpScale = 240.0f;
// Form_Load draws six groups for each of the five hosts.
constexpr int LoadDraws = 6 * fUtama::HostCount;

// Feeds chosen draws in order and records how the window seeds and draws.
class FedSource : public RandomSource
{
public:
    explicit FedSource(QList<float> draws) : m_draws(std::move(draws)) {}

    void seed(float secondsSinceMidnight) override
    {
        if (m_seeds.isEmpty())
            m_takenAtFirstSeed = m_taken;
        m_seeds.append(secondsSinceMidnight);
    }

    float draw() override
    {
        if (m_taken >= m_draws.size()) {
            ++m_overdrawn;
            return 0.0f;
        }
        return m_draws.at(m_taken++);
    }

    void feed(const QList<float> &draws) { m_draws += draws; }
    qsizetype taken() const { return m_taken; }
    qsizetype remaining() const { return m_draws.size() - m_taken; }
    int overdrawn() const { return m_overdrawn; }
    const QList<float> &seeds() const { return m_seeds; }
    qsizetype takenAtFirstSeed() const { return m_takenAtFirstSeed; }

private:
    QList<float> m_draws;
    qsizetype m_taken = 0;
    int m_overdrawn = 0;
    QList<float> m_seeds;
    qsizetype m_takenAtFirstSeed = -1;
};

// A draw in [0, 1) whose single-precision product with scale is exactly product, found among
// the floats next to product / scale; none if the product cannot come out of any draw.
std::optional<float> drawFor(float product, float scale)
{
    float r = product / scale;
    for (int step = 0; step < 8 && r * scale != product; ++step)
        r = std::nextafter(r, r * scale < product ? 1.0f : 0.0f);
    if (r * scale != product || r < 0.0f || r >= 1.0f)
        return std::nullopt;
    return r;
}

QList<float> drawsFor(const QList<float> &products, float scale)
{
    QList<float> draws;
    for (const float product : products)
        draws.append(drawFor(product, scale).value_or(-1.0f));
    return draws;
}

const QRegularExpression
    MacForm(QStringLiteral("^([0-9A-F]|[1-9A-F][0-9A-F])(-([0-9A-F]|[1-9A-F][0-9A-F])){5}$"));
const QRegularExpression IpForm(QStringLiteral("^([1-9][0-9]{0,2})(\\.[1-9][0-9]{0,2}){3}$"));

// The products of the five hosts' MAC groups fed to Form_Load, and the MACs they make.
const QList<float> LoadProducts = {
    0,   1,   2,   3,   4,   5,   //
    10,  11,  12,  13,  14,  15,  //
    16,  32,  48,  64,  80,  96,  //
    160, 176, 192, 208, 224, 255, //
    171, 205, 239, 1,   35,  69,
};
const QStringList LoadMacs = {
    QStringLiteral("0-1-2-3-4-5"),       QStringLiteral("A-B-C-D-E-F"),
    QStringLiteral("10-20-30-40-50-60"), QStringLiteral("A0-B0-C0-D0-E0-FF"),
    QStringLiteral("AB-CD-EF-1-23-45"),
};

} // namespace

class TestStartup : public Suite
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useProgramStyle(); }
    void init() { start(); }
    void cleanup() { finish(); }

    void group_data();
    void group();
    void realDrawsKeepTheirForms_data();
    void realDrawsKeepTheirForms();
    void realSourceDrawsInRange();

    void seedsOnceBeforeDrawing();
    void hostsAfterLoad_data();
    void hostsAfterLoad();
    void randomMacsReplaceDesignOnes();
    void centredOnPrimaryScreen();

private:
    // A window whose Form_Load took its MAC draws from a source the test keeps reading.
    FedSource *load(const QList<float> &products)
    {
        auto fed = std::make_unique<FedSource>(drawsFor(products, MacScale));
        FedSource *source = fed.get();
        window = std::make_unique<fUtama>(std::move(fed));
        return source;
    }
};

void TestStartup::group_data()
{
    QTest::addColumn<bool>("mac");
    QTest::addColumn<float>("product");
    QTest::addColumn<QString>("group");

    const float largest = std::nextafter(1.0f, 0.0f);
    QTest::newRow("MAC 0 is 0") << true << 0.0f << "0";
    QTest::newRow("MAC 0.5 goes to even 0") << true << 0.5f << "0";
    QTest::newRow("MAC just above 0.5 is 1") << true << std::nextafter(0.5f, 1.0f) << "1";
    QTest::newRow("MAC 1.5 goes to even 2") << true << 1.5f << "2";
    QTest::newRow("MAC 2.5 goes to even 2") << true << 2.5f << "2";
    QTest::newRow("MAC 10 is one upper-case letter") << true << 10.0f << "A";
    QTest::newRow("MAC 16 has two digits") << true << 16.0f << "10";
    QTest::newRow("MAC 171 is AB") << true << 171.0f << "AB";
    QTest::newRow("MAC 255.49 is FF") << true << 255.49f << "FF";
    QTest::newRow("MAC 255.5 wraps to 0, not 100") << true << 255.5f << "0";
    QTest::newRow("MAC largest draw wraps to 0") << true << largest * MacScale << "0";
    QTest::newRow("IP 0 becomes 1") << false << 0.0f << "1";
    QTest::newRow("IP 0.5 goes to 0, becomes 1") << false << 0.5f << "1";
    QTest::newRow("IP 2.5 goes to even 2") << false << 2.5f << "2";
    QTest::newRow("IP 100 in decimal") << false << 100.0f << "100";
    QTest::newRow("IP 238.5 goes to even 238") << false << 238.5f << "238";
    QTest::newRow("IP 239.4 is 239") << false << 239.4f << "239";
    QTest::newRow("IP 239.5 goes to 240, becomes 1") << false << 239.5f << "1";
    QTest::newRow("IP largest draw becomes 1") << false << largest * IpScale << "1";
}

void TestStartup::group()
{
    QFETCH(bool, mac);
    QFETCH(float, product);
    QFETCH(QString, group);
    const float scale = mac ? MacScale : IpScale;

    // The row is about the boundary only if a draw really makes exactly this float product.
    const std::optional<float> r = drawFor(product, scale);
    QVERIFY2(r && *r * scale == product, "no draw gives this product");

    FedSource *source = load(QList<float>(LoadDraws, 0.0f));
    QCOMPARE(source->taken(), LoadDraws);
    // The group under test in each place, between groups of known text.
    const QList<float> others =
        mac ? QList<float>{171, 205, 239, 1, 35, 69} : QList<float>{11, 22, 33, 44};
    const QStringList otherText =
        mac ? QStringList{"AB", "CD", "EF", "1", "23", "45"} : QStringList{"11", "22", "33", "44"};
    for (int place = 0; place < others.size(); ++place) {
        QList<float> products = others;
        products[place] = product;
        QStringList groups = otherText;
        groups[place] = group;
        source->feed(drawsFor(products, scale));

        const QString made = mac ? window->BuatMACAcak() : window->BuatIPAcak();
        QCOMPARE(source->remaining(), 0);
        QCOMPARE(made, groups.join(mac ? u'-' : u'.'));
    }
    QCOMPARE(source->overdrawn(), 0);
    QCOMPARE(source->seeds().size(), 1);
}

void TestStartup::realDrawsKeepTheirForms_data()
{
    QTest::addColumn<float>("seed");
    QTest::newRow("midnight") << 0.0f;
    QTest::newRow("one second") << 1.0f;
    QTest::newRow("noon") << 43200.0f;
    QTest::newRow("last second") << 86399.0f;
}

void TestStartup::realDrawsKeepTheirForms()
{
    QFETCH(float, seed);
    auto real = std::make_unique<RandomSource>();
    RandomSource *source = real.get();
    window = std::make_unique<fUtama>(std::move(real));
    source->seed(seed);

    for (const bool mac : {true, false}) {
        std::set<int> values;
        for (int i = 0; i < 20000; ++i) {
            const QString made = mac ? window->BuatMACAcak() : window->BuatIPAcak();
            QVERIFY2((mac ? MacForm : IpForm).match(made).hasMatch(), qPrintable(made));
            for (const QString &group : made.split(mac ? u'-' : u'.')) {
                const int value = group.toInt(nullptr, mac ? 16 : 10);
                QVERIFY2(mac ? value <= 255 : value >= 1 && value <= 239, qPrintable(made));
                values.insert(value);
            }
        }
        // Every group value is reachable, the wrapped 256 included as 0.
        QCOMPARE(values.size(), size_t(mac ? 256 : 239));
    }
}

void TestStartup::realSourceDrawsInRange()
{
    RandomSource source;
    const auto draws = [&source](float seed, int count) {
        source.seed(seed);
        QList<float> all;
        for (int i = 0; i < count; ++i)
            all.append(source.draw());
        return all;
    };
    const QList<float> all = draws(1234.0f, 20000);
    for (const float r : all)
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(r, 'g', 9)));
    QVERIFY(std::set<float>(all.begin(), all.end()).size() > 18000);
    // The seed is used: another second of the day gives other draws.
    QVERIFY(draws(1235.0f, 10) != all.first(10));
}

void TestStartup::seedsOnceBeforeDrawing()
{
    const int before = QTime::currentTime().msecsSinceStartOfDay() / 1000;
    const FedSource *source = load(LoadProducts);
    const int after = QTime::currentTime().msecsSinceStartOfDay() / 1000;
    if (after < before)
        QSKIP("the clock passed midnight while the window loaded");

    QCOMPARE(source->seeds().size(), 1);
    QCOMPARE(source->takenAtFirstSeed(), 0);
    const float seed = source->seeds().first();
    QCOMPARE(seed, std::floor(seed));
    QVERIFY2(seed >= float(before) && seed <= float(after), qPrintable(QString::number(seed)));
    QCOMPARE(source->taken(), LoadDraws);
    QCOMPARE(source->overdrawn(), 0);
    QVERIFY(messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestStartup::hostsAfterLoad_data()
{
    QTest::addColumn<QList<float>>("products");
    QTest::addColumn<QStringList>("macs");

    QTest::newRow("five MACs") << LoadProducts << LoadMacs;
    // Equal draws make equal MACs, and each is kept.
    QList<float> twins = LoadProducts;
    for (int g = 0; g < 6; ++g)
        twins[4 * 6 + g] = twins[3 * 6 + g];
    QStringList twinMacs = LoadMacs;
    twinMacs[4] = twinMacs[3];
    QTest::newRow("hosts 3 and 4 equal") << twins << twinMacs;
    QTest::newRow("all five equal")
        << QList<float>(LoadDraws, 18.0f) << QStringList(fUtama::HostCount, "12-12-12-12-12-12");
}

void TestStartup::hostsAfterLoad()
{
    QFETCH(QList<float>, products);
    QFETCH(QStringList, macs);

    QCOMPARE(load(products)->overdrawn(), 0);
    const QStringList names = {"Tesu", "Bilrun", "Dovel", "Wimse", "Lurfa"};
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = window->host(i);
        // The design values say on with caption "Label1"; start-up turns that off.
        QCOMPARE(k.State(), false);
        QVERIFY(!k.isLit());
        QCOMPARE(k.Caption(), QString());
        QCOMPARE(k.Nama(), names.at(i));
        QCOMPARE(k.IP(), QStringLiteral("192.168.0.%1").arg(i + 1));
        QCOMPARE(k.MAC(), macs.at(i));
        QCOMPARE(k.Jumlah(), qint16(1));
        QCOMPARE(k.AmbilIP(1).toString(), k.IP());
        QCOMPARE(k.AmbilMAC(1).toString(), macs.at(i));
    }
    // Nothing is selected yet.
    QVERIFY(!window->isVisible());
    QVERIFY(!ui().Command2->isEnabled());
    QVERIFY(!ui().Command3->isEnabled());
    QVERIFY(ui().Command1->isEnabled());
    for (const QLineEdit *box : {ui().Nama, ui().IP, ui().MAC})
        QCOMPARE(box->text(), QString());
    QCOMPARE(ui().ListView1->topLevelItemCount(), 0);
    QCOMPARE(ui().IPCari->text(), QStringLiteral("192.168.0.4"));
    QCOMPARE(window->selectedIndex(), qint16(0));
    QVERIFY(!window->exchangeRunning());
    QVERIFY(messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestStartup::randomMacsReplaceDesignOnes()
{
    for (int start = 0; start < 3; ++start) {
        const fUtama real;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            const Komputer &k = real.host(i);
            QVERIFY2(MacForm.match(k.MAC()).hasMatch(), qPrintable(k.MAC()));
            QVERIFY2(k.MAC() != k.property("mac").toString(), qPrintable(k.MAC()));
            QCOMPARE(k.AmbilMAC(1).toString(), k.MAC());
        }
    }
}

void TestStartup::centredOnPrimaryScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const QPointF centre = QRectF(screen->geometry()).center();
    QVERIFY(showWindow(std::make_unique<FedSource>(drawsFor(LoadProducts, MacScale))));

    // Client area and frame, centred to within the half pixel a whole-pixel position may lose.
    const QRect client(window->mapToGlobal(QPoint(0, 0)), window->size());
    for (const QRect &r : {client, window->frameGeometry()}) {
        const QPointF off = QRectF(r).center() - centre;
        QVERIFY2(std::abs(off.x()) <= 0.5 && std::abs(off.y()) <= 0.5,
                 qPrintable(QStringLiteral("(%1, %2) off").arg(off.x()).arg(off.y())));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
