// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

struct xcb_connection_t;

// Whether the X client that owns the clipboard or the primary selection answers at all. Qt asks
// an owner for its data and waits up to five seconds on the window's thread; an owner that never
// answers would freeze the window that long at every change. The probe asks for the owner's list
// of formats on an X connection of its own and waits at most a bound; an owner that does not
// answer in that time is not read. Without an X display (Wayland, offscreen) every owner counts
// as answering: there is nothing to ask.
class CSelectionProbe {
public:
    CSelectionProbe();
    ~CSelectionProbe();
    CSelectionProbe(const CSelectionProbe&) = delete;
    CSelectionProbe& operator=(const CSelectionProbe&) = delete;

    // Whether the connection to the X display could be made.
    bool IsConnected() const { return m_connection != nullptr; }
    // True when the selection (the clipboard, else the primary selection) has no owner or its
    // owner answers within timeoutMs milliseconds; false when it does not.
    bool OwnerAnswers(bool bClipboard, int timeoutMs);

private:
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_window = 0;
    std::uint32_t m_clipboard = 0;
    std::uint32_t m_targets = 0;
    std::uint32_t m_property = 0;
};
