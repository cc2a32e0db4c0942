// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Waiting for the event loop inside GoogleTest: QtTest's QTRY_ macros report their failures to
// QtTest's own log, which a GoogleTest program never reads, so a timed-out wait would pass.
// These fail the test instead.

#include <QTest>

#include <gtest/gtest.h>

// Processes events until the condition holds (at most five seconds); fails the test otherwise.
#define LEKSTAR_WAIT_TRUE(condition)                                                                         \
    EXPECT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 5000))                         \
        << "waited for: " #condition

// Waits until the two sides compare equal, then compares them as EXPECT_EQ would, so a failure
// shows both values.
#define LEKSTAR_WAIT_EQ(actual, expected)                                                                    \
    do {                                                                                                     \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }, 5000));                    \
        EXPECT_EQ(actual, expected);                                                                         \
    } while (false)
