// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "dict/DictWriter.h"
#include "render/DictFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

// A temporary folder that disappears with the test.
class CTempDir {
public:
    CTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lekstar-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~CTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The whole file; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An article "headword TAB <P>body</P>" with the given homonym number.
inline SDictArticle Article(const std::string& headword, const std::string& body, std::int32_t homonym = 0) {
    return {headword, homonym, CDictWriter::ArticleText(headword, body)};
}

// A dictionary written to a temporary file and opened.
class CTestDict {
public:
    explicit CTestDict(const SDictContent& content, CDictWriter::EOrder order = CDictWriter::EOrder::Sort)
        : CTestDict(CDictWriter::Build(content, order)) {}
    explicit CTestDict(const std::string& image) {
        const std::string path = m_dir.File("LEKSTAR.dic");
        WriteBytes(path, image);
        m_dict.SetPath(path);
        m_nOpenResult = m_dict.Open();
    }

    CDictFile& operator*() { return m_dict; }
    CDictFile* operator->() { return &m_dict; }
    int OpenResult() const { return m_nOpenResult; }

private:
    CTempDir m_dir;
    CDictFile m_dict;
    int m_nOpenResult = -1;
};

// Little-endian word access to a file image, for tests that inspect or damage one.
inline std::uint32_t WordAt(const std::string& image, std::size_t offset) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(image[offset + static_cast<std::size_t>(k)]);
    return v;
}

inline void SetWordAt(std::string& image, std::size_t offset, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        image[offset + static_cast<std::size_t>(k)] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

// File offset of section n (0-based: 0 main table ... 15 reverse data) of an image.
inline std::size_t SectionStart(const std::string& image, std::size_t n) {
    std::size_t at = WordAt(image, 8);
    for (std::size_t k = 0; k < n; ++k)
        at += WordAt(image, 12 + 4 * k);
    return at;
}
