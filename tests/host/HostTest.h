#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "host/RuntimeError.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

namespace HostTest {

// One entry as a test reads it; the brackets show a leading or trailing blank.
inline QString entry(const QString &ip, const QString &mac)
{
    return QStringLiteral("[%1][%2]").arg(ip, mac);
}

// Entries 1 to Jumlah, read the way the window lists them.
inline QStringList tableOf(const Komputer &host)
{
    QStringList table;
    for (int i = 1; i <= host.Jumlah(); ++i) {
        const auto index = static_cast<qint16>(i);
        table << entry(host.AmbilIP(index).toString(), host.AmbilMAC(index).toString());
    }
    return table;
}

// The name of the run-time error that call raises, or the empty text when it raises none.
template <typename Call> QString errorOf(Call &&call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.name();
    }
    return QString();
}

// The names of the notices a spy on PropertyChanged caught, in order.
inline QStringList namesOf(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

// Every test starts and ends with the program's shared state as at start-up.
inline void resetShared()
{
    Runtime::reset();
    Module1::reset();
}

inline const QString SubscriptOutOfRange = QStringLiteral("Subscript out of range");
inline const QString Overflow = QStringLiteral("Overflow");
inline const QString TypeMismatch = QStringLiteral("Type mismatch");

} // namespace HostTest

// A widgets application in the program's own style, so that what a test renders is what a
// user sees.
#define TOLVANE_HOST_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        QApplication::setStyle(QStringLiteral("Fusion"));                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
