// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

// The program's own texts in the user's language: the first of the user's languages
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that Tolvane speaks. English is the language of the
// source, so it needs no translator, and a user who puts it first gets no other.
namespace Translation {

void install(QCoreApplication &application);

} // namespace Translation
