// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdio>
#include <memory>

struct ArpPacket;
struct pcap;
struct pcap_dumper;

// The frames of the exchange written as a capture every network tool reads (pcap, Ethernet),
// each flushed as it is written, so that a reader on a pipe sees it at once. A packet whose
// addresses a frame cannot carry is left out with a line on standard error; a reader that goes
// away stops the capture with one line there, and the program goes on, provided the program
// ignores SIGPIPE (a choice for the whole process, so it is main()'s).
class CaptureFile
{
public:
    // Opens `path` ("-" for standard output) for writing, or says why it cannot. What the
    // capture has to say later goes to `notes`.
    static std::unique_ptr<CaptureFile> open(const QString &path, QString *error,
                                             FILE *notes = stderr);
    ~CaptureFile();
    CaptureFile(const CaptureFile &) = delete;
    CaptureFile &operator=(const CaptureFile &) = delete;

    // Writes the frame the packet stands for, stamped with the time of day.
    void write(const ArpPacket &packet);
    bool stopped() const { return !m_dumper; }

private:
    CaptureFile(pcap *dead, pcap_dumper *dumper, FILE *notes)
        : m_dead(dead), m_dumper(dumper), m_notes(notes)
    {
    }
    void say(const QString &line) const;
    void stop(const QString &why);

    pcap *m_dead;
    pcap_dumper *m_dumper;
    FILE *m_notes;
};
