// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader meets of the program's own widgets, chosen by their type: the window
// (a window, not a plain client area, so that a reader follows the events inside it), the
// network area with the hosts in chain order, each host, the selected host's identity boxes
// and the address box, the narration's status bar and its voices. Qt's own widgets keep
// Qt's interfaces.
namespace AccessibleFactory {

// Once per program, before the first window.
void install();

} // namespace AccessibleFactory
