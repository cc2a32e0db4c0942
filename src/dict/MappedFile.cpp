// SPDX-License-Identifier: GPL-2.0-or-later
#include "MappedFile.h"

#include "LittleEndian.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <mutex>

namespace {

// The mappings the SIGBUS handler may mend. Written by Open and Close, read by the handler, so
// only lock-free atomics; a slot is free while its end is 0.
struct SSlot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::atomic<bool>*> vanished{nullptr};
};
constexpr int kSlots = 64;
std::array<SSlot, kSlots> g_slots;
std::mutex g_slotsMutex; // between threads that open and close; never taken by the handler
struct sigaction g_previous {};
int g_notify[2] = {-1, -1};

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (SSlot& slot : g_slots) {
        const std::uintptr_t begin = slot.begin.load();
        const std::uintptr_t end = slot.end.load();
        if (end == 0 || address < begin || address >= end)
            continue;
        // Zero pages where the file's were; the read that faulted is retried on them.
        void* p = ::mmap(reinterpret_cast<void*>(begin), end - begin, PROT_READ,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (p == MAP_FAILED)
            break;
        if (std::atomic<bool>* flag = slot.vanished.load())
            flag->store(true);
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(g_notify[1], &byte, 1);
        return;
    }
    // Not a mapping of ours: what would have happened without us.
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    ::signal(SIGBUS, SIG_DFL);
}

void InstallHandler() {
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        if (::pipe2(g_notify, O_CLOEXEC | O_NONBLOCK) != 0)
            g_notify[0] = g_notify[1] = -1;
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        ::sigaction(SIGBUS, &action, &g_previous);
    });
}

} // namespace

int CMappedFile::VanishedFd() {
    return g_notify[0];
}

CMappedFile::~CMappedFile() {
    Close();
}

CMappedFile::EResult CMappedFile::Open(const std::string& path) {
    Close();
    // O_NONBLOCK: a FIFO named as the file must not wait for a writer; it is refused below.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        return EResult::OpenFailed;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return EResult::NotMappable;
    }
    m_nSize = static_cast<std::uint64_t>(st.st_size);
    if (m_nSize == 0)
        return EResult::Ok; // nothing to map; callers see a file of no bytes
    void* p = ::mmap(nullptr, m_nSize, PROT_READ, MAP_SHARED, m_fd, 0);
    if (p == MAP_FAILED) {
        Close();
        return EResult::MapFailed;
    }
    m_pData = static_cast<const char*>(p);
    m_bVanished.store(false);
    InstallHandler();
    const std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (int i = 0; i < kSlots; ++i) {
        SSlot& slot = g_slots[static_cast<std::size_t>(i)];
        if (slot.end.load() != 0)
            continue;
        slot.vanished.store(&m_bVanished);
        slot.begin.store(reinterpret_cast<std::uintptr_t>(p));
        slot.end.store(reinterpret_cast<std::uintptr_t>(p) + m_nSize);
        m_nSlot = i;
        break;
    }
    return EResult::Ok;
}

void CMappedFile::Close() {
    if (m_nSlot >= 0) {
        const std::lock_guard<std::mutex> lock(g_slotsMutex);
        SSlot& slot = g_slots[static_cast<std::size_t>(m_nSlot)];
        slot.end.store(0);
        slot.begin.store(0);
        slot.vanished.store(nullptr);
        m_nSlot = -1;
    }
    if (m_pData != nullptr) {
        ::munmap(const_cast<char*>(m_pData), m_nSize);
        m_pData = nullptr;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_nSize = 0;
}

std::string_view CMappedFile::View(std::uint64_t offset, std::uint64_t length) const {
    if (offset > m_nSize || length > m_nSize - offset || m_pData == nullptr)
        return {};
    return {m_pData + offset, static_cast<std::size_t>(length)};
}

bool CMappedFile::ReadU32(std::uint64_t offset, std::uint32_t& value) const {
    const std::string_view v = View(offset, 4);
    if (v.size() != 4)
        return false;
    value = LittleEndian::LoadU32(v.data());
    return true;
}
