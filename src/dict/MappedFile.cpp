// SPDX-License-Identifier: GPL-2.0-or-later
#include "MappedFile.h"

#include "LittleEndian.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

CMappedFile::~CMappedFile() {
    Close();
}

CMappedFile::EResult CMappedFile::Open(const std::string& path) {
    Close();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    return EResult::Ok;
}

void CMappedFile::Close() {
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
