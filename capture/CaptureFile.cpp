// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "capture/CaptureFile.h"

#include "capture/ArpFrame.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <pcap/pcap.h>
#include <sys/time.h>

std::unique_ptr<CaptureFile> CaptureFile::open(const QString &path, QString *error, FILE *notes)
{
    std::unique_ptr<CaptureFile> capture;
    FILE *file = path == u"-" ? stdout : std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return capture;
    }
    pcap_t *dead = pcap_open_dead(DLT_EN10MB, 65535);
    pcap_dumper_t *dumper = pcap_dump_fopen(dead, file);
    // The file's header is written at once: a reader on a pipe learns the format first.
    if (dumper && pcap_dump_flush(dumper) == 0) {
        capture.reset(new CaptureFile(dead, dumper, notes));
    } else {
        *error = QString::fromLocal8Bit(pcap_geterr(dead));
        if (dumper)
            pcap_dump_close(dumper);
        else if (file != stdout)
            std::fclose(file);
        pcap_close(dead);
    }
    return capture;
}

CaptureFile::~CaptureFile()
{
    if (m_dumper)
        pcap_dump_close(m_dumper);
    pcap_close(m_dead);
}

void CaptureFile::write(const ArpPacket &packet)
{
    if (!m_dumper)
        return;
    const auto frame = ArpFrame::of(packet);
    if (const QString *why = std::get_if<QString>(&frame)) {
        say(QCoreApplication::translate("CaptureFile", "No frame in the capture: %1").arg(*why));
        return;
    }
    const QByteArray &bytes = std::get<QByteArray>(frame);
    pcap_pkthdr header{};
    gettimeofday(&header.ts, nullptr);
    header.caplen = header.len = static_cast<bpf_u_int32>(bytes.size());
    pcap_dump(reinterpret_cast<u_char *>(m_dumper), &header,
              reinterpret_cast<const u_char *>(bytes.constData()));
    if (pcap_dump_flush(m_dumper) != 0)
        stop(QString::fromLocal8Bit(std::strerror(errno)));
}

void CaptureFile::say(const QString &line) const
{
    std::fprintf(m_notes, "tolvane: %s\n", qPrintable(line));
}

void CaptureFile::stop(const QString &why)
{
    say(QCoreApplication::translate("CaptureFile", "The capture stopped: %1").arg(why));
    pcap_dump_close(m_dumper);
    m_dumper = nullptr;
}
