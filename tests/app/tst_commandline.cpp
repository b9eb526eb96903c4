// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line: the program's options alone and beside Qt's own, given twice, and each
// kind of mistake with its message.

#include "app/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the arguments after the program's name => "pace capture scale timeline" for
    // options the window opens with, or the status and the first line of the answer. (A wrong pace,
    // with its whole answer, is the package test cli_unknown_pace.)
    void parse_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("nothing") << " => as-designed  1 0";
        QTest::newRow("each option, single dash too")
            << "--pace step -capture out.pcap --scale 1.5 -timeline => step out.pcap 1.5 1";
        QTest::newRow("Qt's own beside them") << "-name lab -nograb --pace slow -style Fusion "
                                                 "-reverse -platform xcb -display :1 => slow  1 0";
        QTest::newRow("given twice, the last holds") << "--pace slow --pace step => step  1 0";
        QTest::newRow("a scale past 4")
            << "--scale 4.5 => 1 tolvane: Unknown scale '4.5': give a factor from 1 to 4, such "
               "as 1.5 or 2.";
        QTest::newRow("an unknown option, not taken for Qt's")
            << "-bogus => 1 tolvane: Unknown option 'bogus'.";
    }

    void parse()
    {
        QFETCH(QString, row);
        const auto asked = CommandLine::parse(
            QStringList{"tolvane"} + row.section(" => ", 0, 0).split(u' ', Qt::SkipEmptyParts));
        const auto *options = std::get_if<CommandLine::Options>(&asked);
        const auto *answer = std::get_if<CommandLine::Answer>(&asked);
        const QString outcome =
            options
                ? QStringList{CommandLine::nameOf(options->pace), options->capture,
                              QString::number(options->scale), QString::number(options->timeline)}
                      .join(u' ')
                : QString::number(answer->status) + u' ' +
                      answer->text.section(u'\n', 0, 0)
                          .replace(QCoreApplication::arguments().constFirst(), "tolvane");
        QCOMPARE(outcome, row.section(" => ", 1));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
