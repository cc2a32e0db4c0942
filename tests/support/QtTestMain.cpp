// SPDX-License-Identifier: GPL-2.0-or-later
// GoogleTest main for tests that need a QApplication: widgets are created on the offscreen
// platform unless the environment names another.
#include "desktop/Resources.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Each test gives the program a temporary folder of its own through TMPDIR; the user's runtime
    // folder, which the program prefers, stays out of the tests (and out of a running program's).
    ::unsetenv("XDG_RUNTIME_DIR");
    QApplication app(argc, argv);
    InitResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
