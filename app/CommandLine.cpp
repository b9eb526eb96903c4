// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "app/Translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMetaEnum>

#include <cstdio>

namespace {

// Qt's own options, which QGuiApplication, QApplication and the X11 platform take from the
// same command line (as listed in their documentation for Qt 6.4): the parser only needs to
// know them to tell them from a mistake.
void acceptQtOptions(QCommandLineParser &parser)
{
    const QStringList withValue{"platform",
                                "platformpluginpath",
                                "platformtheme",
                                "plugin",
                                "qwindowgeometry",
                                "geometry",
                                "qwindowicon",
                                "icon",
                                "qwindowtitle",
                                "title",
                                "session",
                                "display",
                                "name",
                                "visual",
                                "style",
                                "stylesheet",
                                "qmljsdebugger"};
    const QStringList flags{"reverse", "widgetcount", "nograb", "dograb", "testability"};
    for (const QString &name : withValue + flags) {
        QCommandLineOption option(name);
        if (withValue.contains(name))
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QMetaEnum paces()
{
    return QMetaEnum::fromType<Pause::Pace>();
}

// "as-designed, slow or step", in the user's language.
QString paceChoices()
{
    QStringList names;
    for (int i = 0; i < paces().keyCount(); ++i)
        names << CommandLine::nameOf(Pause::Pace(paces().value(i)));
    const QString last = names.takeLast();
    return QCoreApplication::translate("CommandLine", "%1 or %2").arg(names.join(", "), last);
}

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
             "word a second), step (each word until Page Down) or predict (each host asks what "
             "it will do before it acts)."),
         QCoreApplication::translate("CommandLine", "pace"),
         CommandLine::nameOf(Pause::Pace::AsDesigned)});
    parser.addOption(
        {QStringLiteral("capture"),
         QCoreApplication::translate(
             "CommandLine",
             "Write every frame the exchange sends to file, as a capture (pcap) that Wireshark "
             "and tcpdump read; - is standard output: tolvane --capture - | wireshark -k -i -"),
         QCoreApplication::translate("CommandLine", "file")});
    parser.addOption(
        {QStringLiteral("scale"),
         QCoreApplication::translate(
             "CommandLine", "Draw the window larger by factor, from 1 to 4, for a projector: "
                            "--scale 2 for a room of 1920 by 1080 pixels."),
         QCoreApplication::translate("CommandLine", "factor"), QStringLiteral("1")});
    parser.addOption(
        {QStringLiteral("timeline"),
         QCoreApplication::translate("CommandLine",
                                     "Open the timeline beside the window: every step of the "
                                     "run's exchanges, the packet and the ARP tables after it.")});
    acceptQtOptions(parser);
}

// The factor the parsed command line names, or nothing for one outside 1 to 4.
std::optional<double> scaleOf(const QCommandLineParser &parser)
{
    bool number = false;
    const double factor = parser.value(QStringLiteral("scale")).toDouble(&number);
    if (!number || !(factor >= 1 && factor <= 4))
        return std::nullopt;
    return factor;
}

// What is wrong with a command line the parser took, or the empty text.
QString mistake(const QCommandLineParser &parser)
{
    if (!parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
            .arg(parser.positionalArguments()[0]);
    const QString pace = parser.value(QStringLiteral("pace"));
    if (!CommandLine::paceNamed(pace))
        return QCoreApplication::translate("CommandLine", "Unknown pace '%1': choose %2.")
            .arg(pace, paceChoices());
    if (!scaleOf(parser))
        return QCoreApplication::translate(
                   "CommandLine",
                   "Unknown scale '%1': give a factor from 1 to 4, such as 1.5 or 2.")
            .arg(parser.value(QStringLiteral("scale")));
    return QString();
}

} // namespace

QString CommandLine::nameOf(Pause::Pace pace)
{
    // AsDesigned is "as-designed": a dash before each capital but the first, in lower case.
    const QString key = QString::fromLatin1(paces().valueToKey(int(pace)));
    QString name;
    for (const QChar c : key) {
        if (c.isUpper() && !name.isEmpty())
            name += u'-';
        name += c.toLower();
    }
    return name;
}

std::optional<Pause::Pace> CommandLine::paceNamed(const QString &name)
{
    for (int i = 0; i < paces().keyCount(); ++i) {
        const auto pace = Pause::Pace(paces().value(i));
        if (name == nameOf(pace))
            return pace;
    }
    return std::nullopt;
}

std::variant<CommandLine::Options, CommandLine::Answer>
CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(arguments);
    const QString error = parsed ? mistake(parser) : parser.errorText();
    // The usage names the program as a QCoreApplication read it; without one, there is none.
    const auto usage = [&parser] {
        return QCoreApplication::instance() ? parser.helpText() : QString();
    };
    if (!error.isEmpty())
        return Answer{1, QStringLiteral("%1: %2\n\n").arg(arguments.value(0), error) + usage()};
    if (parser.isSet(QStringLiteral("version")))
        return Answer{0, QStringLiteral("Tolvane " TOLVANE_VERSION "\n")};
    if (parser.isSet(QStringLiteral("help")))
        return Answer{0, usage()};
    return Options{*paceNamed(parser.value(QStringLiteral("pace"))),
                   parser.value(QStringLiteral("capture")), *scaleOf(parser),
                   parser.isSet(QStringLiteral("timeline"))};
}

std::variant<int, CommandLine::Options> CommandLine::read(int argc, char *argv[])
{
    if (argc < 2)
        return Options{}; // nothing asked: the window opens as designed
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto asked = parse(arguments);
    if (const auto *options = std::get_if<Options>(&asked))
        return *options;

    // An answer is given with a QCoreApplication, which needs no display, in the user's
    // language.
    int count = argc;
    QCoreApplication application(count, argv);
    Translation::install(application);
    const Answer answer = std::get<Answer>(parse(arguments));
    std::fputs(qPrintable(answer.text), answer.status == 0 ? stdout : stderr);
    return answer.status;
}

int CommandLine::refuse(int argc, char *argv[], const std::function<QString()> &message)
{
    int count = argc;
    QCoreApplication application(count, argv);
    Translation::install(application);
    std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(message()));
    return 1;
}
