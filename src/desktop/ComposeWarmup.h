// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QWidget;

// Qt's compose input context (dead keys, Multi_key sequences) reads the locale's compose table at
// the first key press the X server sends it: some 3 ms, paid by the first key the user types.
// Once the window is first active, this sends it one press of keycode 0, which no keyboard sends
// and which maps to no key and no text, so that the table is read while the window waits for the
// user; the press itself reaches no widget. On a platform other than X11 it does nothing.
void ReadComposeTableEarly(QWidget* window);
