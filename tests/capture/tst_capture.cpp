// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The frames the exchange's packets stand for, byte for byte, and the capture file they are
// written to: what a packet a frame cannot carry leaves out, a path that cannot be written, and
// a reader that goes away.

#include "Packet.h"
#include "capture/ArpFrame.h"
#include "capture/CaptureFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

const QString Request = "1|192.168.0.1|A-B-C-D-E-F|192.168.0.4|||";
const QString Reply = "2|192.168.0.4|5E-99-4A-B9-11-C0|192.168.0.4|5E-99-4A-B9-11-C0|192.168.0.1|"
                      "A-B-C-D-E-F";

class TestCapture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The frame as hex, split where its parts meet: Ethernet to, from, ARP header, operation,
    // sender MAC and IP, target MAC and IP; or "!" and why there is none.
    void frames_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("frame");
        QTest::newRow("a request, broadcast") << Request
                                              << "ffffffffffff 0a0b0c0d0e0f 0806000108000604 0001 "
                                                 "0a0b0c0d0e0f c0a80001 000000000000 c0a80004";
        QTest::newRow("the target's reply, to the requester")
            << Reply
            << "0a0b0c0d0e0f 5e994ab911c0 0806000108000604 0002 5e994ab911c0 c0a80004 "
               "0a0b0c0d0e0f c0a80001";
        QTest::newRow("an answer from a table: from the host that answers, a reply too")
            << "3|192.168.0.5|FF-0-1-2-3-4|192.168.0.4|5E-99-4A-B9-11-C0|192.168.0.1|A-B-C-D-E-F"
            << "0a0b0c0d0e0f ff0001020304 0806000108000604 0002 5e994ab911c0 c0a80004 "
               "0a0b0c0d0e0f c0a80001";
        // Typed addresses that no frame carries: a target IP, or else a sender MAC.
        const std::tuple<const char *, QString, QString> typed[] = {
            {"a blank after it", "192.168.0.4 ", ""},
            {"a number past 255", "192.168.0.256", ""},
            {"an Arabic-Indic digit", "192.168.0.\u0664", ""},
            {"full-width digits", "\uff11\uff19\uff12.168.0.4", ""},
            {"a sign", "192.168.+0.4", ""},
            {"five groups", "192.168.0.4.5", ""},
            {"a group of four digits", "0192.168.0.4", ""},
            {"an empty group", "192.168..4", ""},
            {"a MAC of five groups", "", "A-B-C-D-E"},
            {"a group of three digits", "", "A-B-C-D-E-100"},
            {"no hexadecimal digit", "", "A-B-C-D-E-G"},
            {"a full-width hexadecimal digit", "", "\uff21-B-C-D-E-F"}};
        for (const auto &[name, ip, mac] : typed)
            QTest::newRow(name) << QString("1|192.168.0.1|%1|%2|||")
                                       .arg(mac.isEmpty() ? "A-B-C-D-E-F" : mac,
                                            ip.isEmpty() ? "192.168.0.4" : ip)
                                << (ip.isEmpty() ? "!'" + mac + "' is not a MAC address."
                                                 : "!'" + ip + "' is not an IPv4 address.");
    }

    void frames()
    {
        QFETCH(QString, packet);
        QFETCH(QString, frame);
        const auto built = ArpFrame::of(::packet(packet));
        const QString *why = std::get_if<QString>(&built);
        QCOMPARE(why ? u'!' + *why : QString::fromLatin1(std::get<QByteArray>(built).toHex()),
                 why ? frame : frame.remove(u' '));
    }

    // A file of the pcap header and one record a frame; a packet with no frame adds nothing; a
    // path that cannot be written gives no file. A reader that goes away stops the capture; the
    // program goes on.
    void file()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("exchange.pcap");
        QString why;
        FILE *notes = std::tmpfile();
        const auto capture = CaptureFile::open(path, &why, notes);
        QVERIFY(capture);
        capture->write(packet(Request));
        capture->write(packet("1|192.168.0.1|A-B-C-D-E-F|nowhere|||"));
        capture->write(packet(Reply));
        QCOMPARE(QFile(path).size(), 24 + 2 * (16 + 42)); // flushed as written
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        // A record of 42 bytes, whole.
        QCOMPARE(written.readAll().mid(24 + 8, 8).toHex(), "2a0000002a000000");
        QVERIFY(!CaptureFile::open(folder.filePath("no/such/folder.pcap"), &why));
        QCOMPARE(why, "No such file or directory");

        std::signal(SIGPIPE, SIG_IGN); // as the program does when it captures
        int ends[2];
        QCOMPARE(pipe(ends), 0);
        const auto piped = CaptureFile::open(QString("/proc/self/fd/%1").arg(ends[1]), &why, notes);
        ::close(ends[1]);
        ::close(ends[0]); // the reader, before the first frame
        QVERIFY(piped && !piped->stopped());
        piped->write(packet(Request));
        QVERIFY(piped->stopped());
        std::rewind(notes);
        QCOMPARE(QTextStream(notes).readAll(),
                 "tolvane: No frame in the capture: 'nowhere' is not an IPv4 address.\n"
                 "tolvane: The capture stopped: Broken pipe\n");
        std::fclose(notes);
    }
};

QTEST_MAIN(TestCapture)
#include "tst_capture.moc"
