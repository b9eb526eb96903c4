// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "app/Translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <array>
#include <cstdio>

namespace {

// QApplication reads Qt's own options (-platform, -style, -session from a session manager...)
// from the same command line; the parser only needs to know them to tell them from a mistake.
void acceptQtOptions(QCommandLineParser &parser)
{
    const QStringList withValue{
        "platform",        "platformpluginpath", "platformtheme", "plugin",
        "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
        "display",         "geometry",           "style",         "stylesheet"};
    for (const QString &name : withValue + QStringList{"reverse", "widgetcount"}) {
        QCommandLineOption option(name);
        if (withValue.contains(name))
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The paces as the command line names them, in the order of Pause::Pace.
constexpr std::array<const char *, 3> PaceNames{"as-designed", "slow", "step"};

// The options and their texts, in the language of the installed translator if there is one.
void describe(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Watch ARP resolve an address on one shared segment."));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QCoreApplication::translate("CommandLine", "Displays this help.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QCoreApplication::translate("CommandLine", "Displays version information.")});
    parser.addOption(
        {QStringLiteral("pace"),
         QCoreApplication::translate(
             "CommandLine",
             "How the exchange moves: as-designed (the default, each word a moment), slow (each "
             "word a second) or step (each word until Page Down)."),
         QCoreApplication::translate("CommandLine", "pace"), QString::fromLatin1(PaceNames[0])});
    parser.addOption(
        {QStringLiteral("capture"),
         QCoreApplication::translate(
             "CommandLine",
             "Write every frame the exchange sends to file, as a capture (pcap) that Wireshark "
             "and tcpdump read; - is standard output: tolvane --capture - | wireshark -k -i -"),
         QCoreApplication::translate("CommandLine", "file")});
    acceptQtOptions(parser);
}

// The pace the parsed command line names, or nothing for a name that is no pace.
std::optional<Pause::Pace> paceOf(const QCommandLineParser &parser)
{
    const QString name = parser.value(QStringLiteral("pace"));
    for (size_t i = 0; i < PaceNames.size(); ++i) {
        if (name == QLatin1String(PaceNames[i]))
            return static_cast<Pause::Pace>(i);
    }
    return std::nullopt;
}

// What is wrong with a command line the parser took, or the empty text.
QString mistake(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
            .arg(parser.positionalArguments()[0]);
    if (!paceOf(parser))
        return QCoreApplication::translate("CommandLine",
                                           "Unknown pace '%1': choose as-designed, slow or step.")
            .arg(parser.value(QStringLiteral("pace")));
    return QString();
}

} // namespace

std::variant<int, CommandLine::Options> CommandLine::read(int argc, char *argv[])
{
    if (argc < 2)
        return Options{}; // nothing asked: the window opens as designed
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    bool understood = parser.parse(arguments) && mistake(parser).isEmpty();
    const bool help = parser.isSet(QStringLiteral("help"));
    const bool version = parser.isSet(QStringLiteral("version"));
    if (understood && !help && !version)
        return Options{*paceOf(parser), parser.value(QStringLiteral("capture"))};

    // The usage names the program as it was called, which the parser reads from a
    // QCoreApplication; that one needs no display. Its texts are then read again in the
    // user's language.
    int count = argc;
    QCoreApplication application(count, argv);
    Translation::install(application);
    QCommandLineParser shown;
    describe(shown);
    understood = shown.parse(arguments);
    if (!understood || !mistake(shown).isEmpty()) {
        const QString error = understood ? mistake(shown) : shown.errorText();
        const QString text = QStringLiteral("%1: %2\n\n").arg(arguments[0], error);
        std::fputs(qPrintable(text + shown.helpText()), stderr);
        return 1;
    }
    if (version)
        std::fputs("Tolvane " TOLVANE_VERSION "\n", stdout);
    else
        std::fputs(qPrintable(shown.helpText()), stdout);
    return 0;
}

int CommandLine::refuse(int argc, char *argv[], const std::function<QString()> &message)
{
    int count = argc;
    QCoreApplication application(count, argv);
    Translation::install(application);
    std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(message()));
    return 1;
}
