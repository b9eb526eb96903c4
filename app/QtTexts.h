// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's own texts that Tolvane shows: the usage of --help and its errors, a message box's
// button. Where the system has no Qt translation for a language that Tolvane speaks (Debian
// has none in Indonesian), Tolvane's own catalogue carries them; lupdate reads them from here.
// Nothing includes this file.
#pragma once

#include <QtGlobal>

inline constexpr const char *QtTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),
};
