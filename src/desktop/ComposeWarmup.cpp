// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/ComposeWarmup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

std::optional<std::uint32_t> Property32(xcb_connection_t* c, xcb_window_t window, const char* name) {
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    if (atom == nullptr)
        return std::nullopt;
    const xcb_atom_t id = atom->atom;
    std::free(atom);
    if (id == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, id, XCB_ATOM_ANY, 0, 1), nullptr);
    std::optional<std::uint32_t> value;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        std::uint32_t v = 0;
        std::memcpy(&v, xcb_get_property_value(reply), sizeof v);
        value = v;
    }
    std::free(reply);
    return value;
}

// Swallows the press of keycode 0 before any widget or shortcut sees it, then goes.
class CNoKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->nativeScanCode() != 0 || key->key() != 0 || !key->text().isEmpty())
            return false;
        if (type == QEvent::KeyPress)
            deleteLater();
        return true;
    }
};

void SendNoKey(QWidget* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
    if (c == nullptr)
        return;
    const auto target = static_cast<xcb_window_t>(window->winId());
    // A press updates the window's last user time to its own; it carries the time the window
    // already has, so that a window manager's view of the user's last action does not move.
    const xcb_window_t timeWindow = Property32(c, target, "_NET_WM_USER_TIME_WINDOW").value_or(target);
    const std::optional<std::uint32_t> time = Property32(c, timeWindow, "_NET_WM_USER_TIME");
    if (!time)
        return;
    qApp->installEventFilter(new CNoKeyFilter(qApp));
    xcb_key_press_event_t press{};
    press.response_type = XCB_KEY_PRESS;
    press.detail = 0;
    press.time = *time;
    press.event = target;
    press.same_screen = 1;
    // With no event mask the server sends it to the window's own client, this program.
    xcb_send_event(c, 0, target, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&press));
    xcb_flush(c);
}

// Waits for the window's first activation: the input context reads its table only for a press
// that reaches a focused entry box.
class CFirstActivation : public QObject {
public:
    explicit CFirstActivation(QWidget* window) : QObject(window), m_window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::WindowActivate) {
            m_window->removeEventFilter(this);
            SendNoKey(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
};

} // namespace

void ReadComposeTableEarly(QWidget* window) {
    if (qGuiApp->nativeInterface<QNativeInterface::QX11Application>() == nullptr)
        return;
    window->installEventFilter(new CFirstActivation(window));
}
