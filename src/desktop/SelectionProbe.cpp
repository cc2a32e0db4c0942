// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/SelectionProbe.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include <poll.h>

namespace {

std::uint32_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const std::uint32_t atom = reply != nullptr ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

CSelectionProbe::CSelectionProbe() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return;
    xcb_connection_t* c = xcb_connect(display, nullptr);
    const xcb_setup_t* setup = xcb_connection_has_error(c) != 0 ? nullptr : xcb_get_setup(c);
    const xcb_screen_t* screen = setup != nullptr ? xcb_setup_roots_iterator(setup).data : nullptr;
    if (screen == nullptr) {
        xcb_disconnect(c);
        return;
    }
    // An unmapped input-only window receives the answers.
    m_window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    m_clipboard = Atom(c, "CLIPBOARD");
    m_targets = Atom(c, "TARGETS");
    m_property = Atom(c, "LEKSTAR_SELECTION_PROBE");
    m_connection = c;
}

CSelectionProbe::~CSelectionProbe() {
    if (m_connection != nullptr)
        xcb_disconnect(m_connection);
}

bool CSelectionProbe::OwnerAnswers(bool bClipboard, int timeoutMs) {
    xcb_connection_t* c = m_connection;
    if (c == nullptr || xcb_connection_has_error(c) != 0)
        return true;
    const std::uint32_t selection = bClipboard ? m_clipboard : static_cast<std::uint32_t>(XCB_ATOM_PRIMARY);
    // The server answers this, not the owner.
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool bOwned = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    if (!bOwned)
        return true;
    xcb_convert_selection(c, m_window, selection, m_targets, m_property, XCB_CURRENT_TIME);
    xcb_flush(c);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        // Any answer to our window will do: a late one to an earlier question also shows that the
        // owner answers.
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const bool bAnswer =
                (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY &&
                reinterpret_cast<xcb_selection_notify_event_t*>(event)->requestor == m_window;
            std::free(event);
            if (bAnswer) {
                xcb_delete_property(c, m_window, m_property);
                xcb_flush(c);
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(c) != 0)
            return false;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
}
