// SPDX-License-Identifier: GPL-2.0-or-later
// The compose table read at the window's first activation, on an X display of the test's own (run
// under xvfb-run), and the press that has it read kept from every widget.
#include "desktop/ComposeWarmup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

int g_nTablesRead = 0;

// Qt's compose context says, on its debug channel, which locale it reads the table of.
void CountTableReads(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QLatin1String(context.category) == QLatin1String("qt.xkb.compose") && message.contains("locale"))
        ++g_nTablesRead;
}

class CKeyCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
            ++m_nKeys;
        return false;
    }
    int m_nKeys = 0;
};

template <class F> bool WaitFor(F done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(ComposeWarmup, TheTableIsReadBeforeTheFirstKeyAndItsPressReachesNoWidget) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("QT_IM_MODULE");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.xkb.compose.debug=true"));
    qInstallMessageHandler(CountTableReads);
    int argc = 1;
    char name[] = "compose_warmup_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    CKeyCounter keys;
    edit->installEventFilter(&keys);
    window.installEventFilter(&keys);
    ReadComposeTableEarly(&window);
    window.show();
    window.activateWindow();
    edit->setFocus();
    ASSERT_TRUE(WaitFor([] { return g_nTablesRead > 0; }));
    QApplication::processEvents();
    EXPECT_EQ(keys.m_nKeys, 0);

    // A key the user types is typed, and the table is not read again.
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_key_press_event_t press{};
    press.response_type = XCB_KEY_PRESS;
    press.detail = 38; // "a" on the X server's default keyboard
    press.event = static_cast<xcb_window_t>(window.winId());
    press.same_screen = 1;
    xcb_send_event(x11->connection(), 0, press.event, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&press));
    xcb_flush(x11->connection());
    EXPECT_TRUE(WaitFor([edit] { return edit->text() == QLatin1String("a"); }));
    EXPECT_GT(keys.m_nKeys, 0);
    EXPECT_EQ(g_nTablesRead, 1);
    qInstallMessageHandler(nullptr);
}

} // namespace
