#include "host/Komputer.h"
#include "host/Runtime.h"
#include "host/RuntimeError.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <optional>
#include <random>
#include <vector>

// Random sequences of every table operation, direct sets of Jumlah among them, run on a real
// host and on a small reference model side by side. After every step both must agree on the
// result, on the error raised (only the two the table names: subscript out of range and
// overflow) and on the whole storage, entries past the count included.

namespace {

enum class Outcome
{
    Done,
    SubscriptOutOfRange,
    Overflow,
    TypeMismatch, // never expected from the table
    Foreign       // anything that is not a run-time error at all
};

const char *outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return "done";
    case Outcome::SubscriptOutOfRange:
        return "subscript out of range";
    case Outcome::Overflow:
        return "overflow";
    case Outcome::TypeMismatch:
        return "type mismatch";
    case Outcome::Foreign:
        return "foreign exception";
    }
    return "?";
}

// The table as its documentation describes it, kept deliberately plain: an int count that
// stands for the signed 16-bit one, and storage for entries 1 to its size.
struct Reference
{
    struct Entry
    {
        QString ip;
        QString mac;
    };
    struct Fault
    {
        Outcome outcome;
    };

    static constexpr int Limit = 32767;

    int count = 0;
    std::vector<Entry> storage;

    Entry &at(int i)
    {
        if (i < 1 || i > static_cast<int>(storage.size()))
            throw Fault{Outcome::SubscriptOutOfRange};
        return storage[static_cast<size_t>(i - 1)];
    }
    void resize(int n)
    {
        if (n < 0)
            throw Fault{Outcome::SubscriptOutOfRange};
        storage.resize(static_cast<size_t>(n));
    }
    int ada(const QString &ip)
    {
        const int n = count;
        int found = 0;
        for (int i = 1; i <= n; ++i) {
            if (at(i).ip == ip)
                found = i;
        }
        return found;
    }
    void tambah(const QString &ip, const QString &mac)
    {
        int i = ada(ip);
        if (i == 0) {
            if (count == Limit)
                throw Fault{Outcome::Overflow};
            count += 1;
            resize(count);
            i = count;
        }
        at(i).ip = ip;
        at(i).mac = mac;
    }
    void hapus(const QString &ip)
    {
        const int i = ada(ip);
        if (i == 0)
            return;
        const int n = count;
        for (int k = i + 1; k <= n; ++k) {
            at(k - 1).ip = at(k).ip;
            at(k - 1).mac = at(k).mac;
        }
        count -= 1;
        resize(count);
    }
    QString ambil(const QString &ip)
    {
        const int i = ada(ip);
        return i < 1 ? QString() : at(i).mac;
    }
    QString ambilIP(int idx) { return idx > count ? QString() : at(idx).ip; }
    QString ambilMAC(int idx) { return idx > count ? QString() : at(idx).mac; }
    void clearEntry()
    {
        count = 1;
        resize(1);
    }
};

struct Op
{
    enum Kind
    {
        Tambah,
        Hapus,
        Ada,
        Ambil,
        AmbilIP,
        AmbilMAC,
        ClearEntry,
        SetJumlah
    };
    Kind kind;
    QString ip;
    QString mac;
    qint16 number = 0; // Idx or New_Jumlah

    QString describe() const
    {
        const auto quoted = [](const QString &s) { return u'"' + s + u'"'; };
        switch (kind) {
        case Tambah:
            return QStringLiteral("Tambah(%1, %2)").arg(quoted(ip), quoted(mac));
        case Hapus:
            return QStringLiteral("Hapus(%1)").arg(quoted(ip));
        case Ada:
            return QStringLiteral("Ada(%1)").arg(quoted(ip));
        case Ambil:
            return QStringLiteral("Ambil(%1)").arg(quoted(ip));
        case AmbilIP:
            return QStringLiteral("AmbilIP(%1)").arg(number);
        case AmbilMAC:
            return QStringLiteral("AmbilMAC(%1)").arg(number);
        case ClearEntry:
            return QStringLiteral("ClearEntry");
        case SetJumlah:
            return QStringLiteral("Jumlah = %1").arg(number);
        }
        return {};
    }
};

// What one operation gave back: the error it ended with, and its result as the caller sees it.
struct Result
{
    Outcome outcome = Outcome::Done;
    QVariant value;

    bool operator==(const Result &other) const
    {
        return outcome == other.outcome && value.typeId() == other.value.typeId() &&
               value == other.value;
    }
    QString describe() const
    {
        QString text = QString::fromLatin1(outcomeName(outcome));
        if (outcome == Outcome::Done && value.isValid())
            text += QStringLiteral(", returned %1 \"%2\"")
                        .arg(QString::fromLatin1(value.typeName()), value.toString());
        return text;
    }
};

Result runOnHost(Komputer &host, const Op &op)
{
    Result result;
    try {
        switch (op.kind) {
        case Op::Tambah:
            result.value = host.Tambah(op.ip, op.mac);
            break;
        case Op::Hapus:
            result.value = host.Hapus(op.ip);
            break;
        case Op::Ada:
            result.value = QVariant::fromValue(host.Ada(op.ip));
            break;
        case Op::Ambil:
            result.value = host.Ambil(op.ip);
            break;
        case Op::AmbilIP:
            result.value = host.AmbilIP(op.number);
            break;
        case Op::AmbilMAC:
            result.value = host.AmbilMAC(op.number);
            break;
        case Op::ClearEntry:
            host.ClearEntry();
            break;
        case Op::SetJumlah:
            host.setJumlah(op.number);
            break;
        }
    } catch (const RuntimeError &error) {
        switch (error.kind()) {
        case RuntimeError::Kind::SubscriptOutOfRange:
            result.outcome = Outcome::SubscriptOutOfRange;
            break;
        case RuntimeError::Kind::Overflow:
            result.outcome = Outcome::Overflow;
            break;
        case RuntimeError::Kind::TypeMismatch:
            result.outcome = Outcome::TypeMismatch;
            break;
        }
        result.value = QVariant();
    } catch (...) {
        result.outcome = Outcome::Foreign;
        result.value = QVariant();
    }
    return result;
}

Result runOnModel(Reference &model, const Op &op)
{
    Result result;
    try {
        switch (op.kind) {
        case Op::Tambah:
            model.tambah(op.ip, op.mac);
            result.value = QVariant(); // the empty variant
            break;
        case Op::Hapus:
            model.hapus(op.ip);
            result.value = QVariant();
            break;
        case Op::Ada:
            result.value = QVariant::fromValue(static_cast<qint16>(model.ada(op.ip)));
            break;
        case Op::Ambil:
            result.value = model.ambil(op.ip);
            break;
        case Op::AmbilIP:
            result.value = QVariant(model.ambilIP(op.number));
            break;
        case Op::AmbilMAC:
            result.value = QVariant(model.ambilMAC(op.number));
            break;
        case Op::ClearEntry:
            model.clearEntry();
            break;
        case Op::SetJumlah:
            model.count = op.number;
            break;
        }
    } catch (const Reference::Fault &fault) {
        result.outcome = fault.outcome;
        result.value = QVariant();
    }
    return result;
}

// The whole state of the host's table, storage past the count included. Jumlah is lifted to
// the storage size for the reading and put back afterwards.
std::optional<QString> stateDifference(Komputer &host, const Reference &model)
{
    if (host.Jumlah() != model.count)
        return QStringLiteral("Jumlah %1, model %2").arg(host.Jumlah()).arg(model.count);
    const int size = host.storageSize();
    if (size != static_cast<int>(model.storage.size()))
        return QStringLiteral("storage for %1 entries, model %2")
            .arg(size)
            .arg(model.storage.size());
    const qint16 count = host.Jumlah();
    host.setJumlah(static_cast<qint16>(size));
    std::optional<QString> difference;
    for (int i = 1; i <= size && !difference; ++i) {
        const auto idx = static_cast<qint16>(i);
        const QString ip = host.AmbilIP(idx).toString();
        const QString mac = host.AmbilMAC(idx).toString();
        const Reference::Entry &expected = model.storage[static_cast<size_t>(i - 1)];
        if (ip != expected.ip || mac != expected.mac)
            difference = QStringLiteral("entry %1 is {\"%2\", \"%3\"}, model {\"%4\", \"%5\"}")
                             .arg(i)
                             .arg(ip, mac, expected.ip, expected.mac);
    }
    host.setJumlah(count);
    return difference;
}

quint64 chosenSeed()
{
    bool ok = false;
    const quint64 given = qEnvironmentVariable("TOLVANE_SEED").toULongLong(&ok);
    return ok ? given : (quint64(std::random_device{}()) << 32) | std::random_device{}();
}

// Draws operations over a small alphabet, so that hits, duplicates and misses all happen,
// with now and then a count far outside the storage.
class OpSource
{
public:
    explicit OpSource(quint64 seed) : m_engine(seed) {}

    Op next(const Reference &model)
    {
        static const QStringList ips = {
            QStringLiteral("192.168.0.1"),  QStringLiteral("192.168.0.2"),
            QStringLiteral("192.168.0.3"),  QStringLiteral("192.168.0.4"),
            QStringLiteral("192.168.0.5"),  QString(),
            QStringLiteral(" 192.168.0.1"), QStringLiteral("192.168.0.1 "),
            QStringLiteral("192.168.0.01")};
        static const QStringList macs = {QStringLiteral("0-1A-FF-3-4-5"),
                                         QStringLiteral("0-1a-ff-3-4-5"),
                                         QStringLiteral("DE-AD-BE-EF-0-1"), QString()};
        Op op{pickKind(), pick(ips), pick(macs)};
        if (op.kind == Op::AmbilIP || op.kind == Op::AmbilMAC || op.kind == Op::SetJumlah)
            op.number = pickNumber(model);
        return op;
    }

    int length() { return std::uniform_int_distribution<int>(1, 80)(m_engine); }
    std::mt19937_64 &engine() { return m_engine; }

private:
    Op::Kind pickKind() { return static_cast<Op::Kind>(m_kinds(m_engine)); }
    QString pick(const QStringList &list)
    {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(m_engine));
    }
    qint16 pickNumber(const Reference &model)
    {
        static const qint16 extremes[] = {-32768, -32767, -1, 0, 1, 32766, 32767};
        const int roll = std::uniform_int_distribution<int>(0, 19)(m_engine);
        if (roll == 0)
            return extremes[std::uniform_int_distribution<int>(0, 6)(m_engine)];
        if (roll == 1)
            return static_cast<qint16>(std::uniform_int_distribution<int>(-32768, 32767)(m_engine));
        const int top = std::max(model.count, static_cast<int>(model.storage.size())) + 3;
        return static_cast<qint16>(std::uniform_int_distribution<int>(-2, top)(m_engine));
    }

    std::mt19937_64 m_engine;
    // Weights: Tambah, Hapus, Ada, Ambil, AmbilIP, AmbilMAC, ClearEntry, Jumlah =.
    std::discrete_distribution<int> m_kinds{28, 12, 10, 10, 10, 10, 6, 8};
};

} // namespace

class TestArpModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void randomSequences();
    void atTheCountLimit();

private:
    QString replayHint() const
    {
        return QStringLiteral("seed %1 (replay with TOLVANE_SEED=%1)").arg(m_seed);
    }
    // Runs one operation on both and reports the first disagreement, with the steps so far.
    std::optional<QString> step(Komputer &host, Reference &model, const Op &op, QStringList &log,
                                bool compareState = true);

    quint64 m_seed = 0;
};

void TestArpModel::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    m_seed = chosenSeed();
    qInfo("ARP table model run, %s", qPrintable(replayHint()));
}

void TestArpModel::init()
{
    Runtime::reset();
}

void TestArpModel::cleanup()
{
    Runtime::reset();
}

std::optional<QString> TestArpModel::step(Komputer &host, Reference &model, const Op &op,
                                          QStringList &log, bool compareState)
{
    const Result actual = runOnHost(host, op);
    const Result expected = runOnModel(model, op);
    log << op.describe() + QStringLiteral(" -> ") + actual.describe();
    std::optional<QString> problem;
    if (!(actual == expected))
        problem = QStringLiteral("expected %1").arg(expected.describe());
    else if (compareState)
        problem = stateDifference(host, model);
    else if (host.Jumlah() != model.count ||
             host.storageSize() != static_cast<int>(model.storage.size()))
        problem = QStringLiteral("Jumlah %1 over %2 entries, model %3 over %4")
                      .arg(host.Jumlah())
                      .arg(host.storageSize())
                      .arg(model.count)
                      .arg(model.storage.size());
    if (!problem)
        return std::nullopt;
    return QStringLiteral("%1\n  after: %2\n  %3\n  steps:\n    %4")
        .arg(replayHint(), op.describe(), *problem, log.join(QStringLiteral("\n    ")));
}

void TestArpModel::randomSequences()
{
    // A new host each time: count 0 and no storage, as a host starts before the window's
    // start-up fills entry 1.
    constexpr int Sequences = 4000;
    OpSource source(m_seed);
    for (int sequence = 1; sequence <= Sequences; ++sequence) {
        Komputer host;
        Reference model;
        QStringList log;
        const int length = source.length();
        for (int i = 0; i < length; ++i) {
            const Op op = source.next(model);
            if (const auto problem = step(host, model, op, log))
                QFAIL(qPrintable(QStringLiteral("sequence %1: %2").arg(sequence).arg(*problem)));
        }
    }
}

void TestArpModel::atTheCountLimit()
{
    // Filling a table to 32767 entries through Tambah is the only way to reach the overflow:
    // a count set any higher than the storage fails the lookup first.
    Komputer host;
    Reference model;
    const int limit = Reference::Limit;
    model.storage.reserve(static_cast<size_t>(limit));
    for (int i = 1; i <= limit; ++i) {
        const QString ip = QString::number(i);
        host.Tambah(ip, ip);
        model.storage.push_back({ip, ip});
    }
    model.count = limit;
    if (const auto difference = stateDifference(host, model))
        QFAIL(qPrintable(*difference));

    QStringList log;
    std::mt19937_64 engine(m_seed);
    const auto someIp = [&] {
        // A known one, one just past the end, or one that never was.
        const int roll = std::uniform_int_distribution<int>(0, 2)(engine);
        if (roll == 2)
            return QStringLiteral("192.168.0.1");
        return QString::number(roll == 0 ? std::uniform_int_distribution<int>(1, limit)(engine)
                                         : limit + 1);
    };
    const Op firstOverflow{Op::Tambah, QStringLiteral("192.168.0.1"), QStringLiteral("M")};
    if (const auto problem = step(host, model, firstOverflow, log))
        QFAIL(qPrintable(*problem));
    QVERIFY2(log.last().endsWith(QLatin1String("overflow")), qPrintable(log.last()));
    for (int i = 0; i < 40; ++i) {
        const int roll = std::uniform_int_distribution<int>(0, 3)(engine);
        const Op op = roll == 0   ? Op{Op::Hapus, someIp(), {}}
                      : roll == 1 ? Op{Op::Ada, someIp(), {}}
                                  : Op{Op::Tambah, someIp(), QStringLiteral("M%1").arg(i)};
        // Reading 32767 entries back after every step is slow; the count and the results are
        // compared every time, the storage every tenth step and at the end.
        if (const auto problem = step(host, model, op, log, i % 10 == 9))
            QFAIL(qPrintable(*problem));
    }
    if (const auto difference = stateDifference(host, model))
        QFAIL(qPrintable(*difference));
}

QTEST_MAIN(TestArpModel)
#include "tst_arpmodel.moc"
