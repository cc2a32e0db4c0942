// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/ExitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe from the handler to the event loop; a handler may only write to it.
int g_pipe[2] = {-1, -1};

void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal for the loop; nothing is lost that matters.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

// The signals whose handler this object set; a signal the program was started ignoring keeps
// being ignored ("nohup lekstar &" outlives its terminal).
std::array<bool, kSignals.size()> g_caught{};

} // namespace

CExitSignals::CExitSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), m_fnOnSignal(std::move(onSignal)) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction inherited {};
        ::sigaction(kSignals[i], nullptr, &inherited);
        // SIGTERM is how a session or a service manager ends the program: always caught.
        g_caught[i] = kSignals[i] == SIGTERM || inherited.sa_handler != SIG_IGN;
        if (g_caught[i])
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

CExitSignals::~CExitSignals() {
    if (m_pNotifier == nullptr)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (g_caught[i])
            ::sigaction(kSignals[i], &action, nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CExitSignals::Drain() {
    unsigned char byte = 0;
    int last = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        last = byte;
    if (last != 0 && m_fnOnSignal)
        m_fnOnSignal(last);
}
