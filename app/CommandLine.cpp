// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

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

} // namespace

std::optional<int> CommandLine::answer(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Watch ARP resolve an address on one shared segment."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    acceptQtOptions(parser);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    bool understood = parser.parse(arguments);
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty()) {
        understood = false;
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    }
    if (understood && !parser.isSet(help) && !parser.isSet(version))
        return std::nullopt;

    // The usage names the program as it was called, which the parser reads from a
    // QCoreApplication; that one needs no display.
    int count = argc;
    const QCoreApplication application(count, argv);
    if (!understood) {
        const QString text = QStringLiteral("%1: %2\n\n").arg(arguments[0], error);
        std::fputs(qPrintable(text + parser.helpText()), stderr);
        return 1;
    }
    if (parser.isSet(version))
        std::fputs("Tolvane " TOLVANE_VERSION "\n", stdout);
    else
        std::fputs(qPrintable(parser.helpText()), stdout);
    return 0;
}
