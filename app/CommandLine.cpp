// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "app/Translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

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
    acceptQtOptions(parser);
}

} // namespace

std::optional<int> CommandLine::answer(int argc, char *argv[])
{
    if (argc < 2)
        return std::nullopt; // nothing asked: the window opens
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    const bool help = parser.isSet(QStringLiteral("help"));
    const bool version = parser.isSet(QStringLiteral("version"));
    if (understood && !help && !version)
        return std::nullopt;

    // The usage names the program as it was called, which the parser reads from a
    // QCoreApplication; that one needs no display. Its texts are then read again in the
    // user's language.
    int count = argc;
    QCoreApplication application(count, argv);
    Translation::install(application);
    QCommandLineParser shown;
    describe(shown);
    understood = shown.parse(arguments);
    if (!understood || !shown.positionalArguments().isEmpty()) {
        const QString error =
            understood ? QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
                             .arg(shown.positionalArguments()[0])
                       : shown.errorText();
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
