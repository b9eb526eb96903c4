// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <exception>

// A run-time error ends the member in which it occurs and every caller up to the event
// handler that started the chain; there it is shown to the user and the program ends.
class RuntimeError : public std::exception
{
public:
    enum class Kind
    {
        SubscriptOutOfRange,
        Overflow,
        TypeMismatch
    };

    explicit RuntimeError(Kind kind);

    Kind kind() const { return m_kind; }
    // The error's name as the user reads it, e.g. "Subscript out of range", in the user's
    // language; what() gives it in English.
    QString name() const;
    const char *what() const noexcept override;

private:
    Kind m_kind;
};

// Thrown out of a host's pause once the program is ending, so that an exchange caught in
// the middle unwinds without touching anything else.
struct Unwind
{
};

// Thrown out of a host's pause when the user goes back to an earlier word: the exchange stops
// where it is, to be run again from its start up to that word.
struct Rewound
{
};
