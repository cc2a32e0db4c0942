// SPDX-License-Identifier: GPL-2.0-or-later
// The probe against owners of the test's own on a display of its own (run under xvfb-run): one
// that never answers, one that answers every request.
#include "desktop/SelectionProbe.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// An X client that owns the clipboard; it answers requests (with "no data") only when asked to.
class COwner {
public:
    explicit COwner(bool bAnswers) {
        m_c = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
        const char* name = "CLIPBOARD";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        xcb_set_selection_owner(m_c, m_window, atom->atom, XCB_CURRENT_TIME);
        // A round trip: the server has made it the owner before the probe asks who is.
        std::free(xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, atom->atom), nullptr));
        std::free(atom);
        if (bAnswers)
            m_thread = std::thread([this] { Answer(); });
    }
    ~COwner() {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
        xcb_disconnect(m_c);
    }

private:
    void Answer() {
        while (!m_bStop) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_c);
            if (event == nullptr) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
                xcb_selection_notify_event_t notify{};
                notify.response_type = XCB_SELECTION_NOTIFY;
                notify.time = request->time;
                notify.requestor = request->requestor;
                notify.selection = request->selection;
                notify.target = request->target;
                notify.property = XCB_NONE;
                xcb_send_event(m_c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char*>(&notify));
                xcb_flush(m_c);
            }
            std::free(event);
        }
    }

    xcb_connection_t* m_c = nullptr;
    std::uint32_t m_window = 0;
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
};

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(SelectionProbe, AnOwnerThatNeverAnswersIsGivenUpAtTheBound) {
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    CSelectionProbe probe;
    ASSERT_TRUE(probe.IsConnected());
    // Nobody owns anything yet on this display: nothing to wait for.
    EXPECT_TRUE(probe.OwnerAnswers(true, 100));
    EXPECT_TRUE(probe.OwnerAnswers(false, 100));
    {
        COwner silent(false);
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(probe.OwnerAnswers(true, 100));
        const long long waited = MillisecondsSince(start);
        EXPECT_GE(waited, 90); // milliseconds cut short
        EXPECT_LT(waited, 300);
        // The primary selection has another owner (none).
        EXPECT_TRUE(probe.OwnerAnswers(false, 100));
    }
    COwner answering(true);
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(probe.OwnerAnswers(true, 2000));
    EXPECT_LT(MillisecondsSince(start), 1000);
    // Without a display nothing is asked and every owner counts as answering.
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display;
    ::unsetenv("DISPLAY");
    CSelectionProbe none;
    ::setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_FALSE(none.IsConnected());
    EXPECT_TRUE(none.OwnerAnswers(true, 100));
}

} // namespace
