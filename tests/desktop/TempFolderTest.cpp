// SPDX-License-Identifier: GPL-2.0-or-later
// The private temporary folder: where it is, when it is refused, unique page file names and the
// wildcard sweeps.

#include "desktop/TempFolder.h"
#include "support/TestDict.h"

#include <QDir>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Points the system temporary folder (TMPDIR) at a fresh folder for one test.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        m_bHadTmpDir = old != nullptr;
        if (m_bHadTmpDir)
            m_strOldTmpDir = old;
        ::setenv("TMPDIR", m_root.File("").c_str(), 1);
        m_strExpected = m_root.File("lekstar-" + std::to_string(::getuid()));
    }
    void TearDown() override {
        ::unsetenv("XDG_RUNTIME_DIR");
        if (m_bHadTmpDir)
            ::setenv("TMPDIR", m_strOldTmpDir.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    static mode_t ModeOf(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
        return st.st_mode;
    }

    CTempDir m_root;
    std::string m_strExpected;
    bool m_bHadTmpDir = false;
    std::string m_strOldTmpDir;
};

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST_F(TempFolderTest, PathIsCreatedPrivateUnderTmpDir) {
    ASSERT_EQ(QDir::tempPath().toStdString() + "/", m_root.File(""));
    EXPECT_FALSE(std::filesystem::exists(m_strExpected));
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
    const mode_t mode = ModeOf(m_strExpected);
    EXPECT_TRUE(S_ISDIR(mode));
    EXPECT_EQ(mode & 0777, 0700u);
    // A second call finds the folder it made.
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
}

TEST_F(TempFolderTest, OpenFolderOfOursIsClosedOff) {
    ASSERT_EQ(::mkdir(m_strExpected.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(m_strExpected.c_str(), 0777), 0);
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
    EXPECT_EQ(ModeOf(m_strExpected) & 0777, 0700u);
}

// What a fallback folder must be: fresh, beside the predictable name, private, and kept.
void ExpectFallback(const std::string& expected, std::string& fallback) {
    fallback = CTempFolder::Path();
    EXPECT_EQ(fallback.rfind(expected + "-", 0), 0u) << fallback;
    EXPECT_EQ(fallback.size(), expected.size() + 7);
    struct stat st {};
    ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_EQ(CTempFolder::Path(), fallback);
    const std::string page = CTempFolder::CreateUniqueFile("ZOD");
    EXPECT_EQ(page.rfind(fallback + "/ZOD", 0), 0u) << page;
}

TEST_F(TempFolderTest, ForeignThingsInItsPlaceAreNeverUsedAFreshFolderServesInstead) {
    // A link to a folder of ours.
    const std::string elsewhere = m_root.File("elsewhere");
    ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
    ASSERT_EQ(::symlink(elsewhere.c_str(), m_strExpected.c_str()), 0);
    std::string fallback;
    ExpectFallback(m_strExpected, fallback);
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    // The fallback stays for the run even when the name is free again, so the sweeps find the
    // pages made there.
    ASSERT_EQ(::unlink(m_strExpected.c_str()), 0);
    EXPECT_EQ(CTempFolder::Path(), fallback);
    EXPECT_EQ(CTempFolder::DeleteMatching("ZOD*.*"), 1);
    EXPECT_FALSE(std::filesystem::exists(m_strExpected));

    // A plain file in the name's place, and the fallback gone: another fresh folder.
    WriteBytes(m_strExpected, "x");
    ASSERT_EQ(::rmdir(fallback.c_str()), 0);
    std::string second;
    ExpectFallback(m_strExpected, second);
    EXPECT_NE(second, fallback);
    EXPECT_EQ(std::filesystem::file_size(m_strExpected), 1u);

    // A folder of someone else (only root can give one away) is not ours either.
    if (::geteuid() == 0) {
        ASSERT_EQ(::unlink(m_strExpected.c_str()), 0);
        ASSERT_EQ(::mkdir(m_strExpected.c_str(), 0700), 0);
        ASSERT_EQ(::chown(m_strExpected.c_str(), 4242, 4242), 0);
        EXPECT_EQ(CTempFolder::Path(), second);
        EXPECT_TRUE(std::filesystem::is_empty(m_strExpected));
    }
}

TEST_F(TempFolderTest, TheUsersRuntimeFolderComesFirstWhenItIsPrivate) {
    const std::string runtime = m_root.File("run");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(CTempFolder::Path(), runtime + "/lekstar");
    EXPECT_EQ(ModeOf(runtime + "/lekstar") & 0777, 0700u);
    EXPECT_EQ(CTempFolder::CreateUniqueFile("ZOD").rfind(runtime + "/lekstar/ZOD", 0), 0u);
    // A runtime folder open to others, or a relative one, is passed over for TMPDIR.
    ASSERT_EQ(::chmod(runtime.c_str(), 0755), 0);
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
    ASSERT_EQ(::chmod(runtime.c_str(), 0700), 0);
    ::setenv("XDG_RUNTIME_DIR", "run", 1);
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
    ::setenv("XDG_RUNTIME_DIR", m_root.File("missing").c_str(), 1);
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(CTempFolder::Path(), m_strExpected);
}

TEST_F(TempFolderTest, NoFolderAtAllWhenTheTemporaryFolderIsGone) {
    ::setenv("TMPDIR", m_root.File("gone").c_str(), 1);
    EXPECT_EQ(CTempFolder::Path(), "");
    EXPECT_EQ(CTempFolder::CreateUniqueFile("ZOD"), "");
    EXPECT_EQ(CTempFolder::DeleteMatching("*.*"), 0);
}

TEST_F(TempFolderTest, UniqueFilesAreNewPrivateAndNamedLikeTheirPlatform) {
    const std::regex shape("ZOD[0-9A-F]{1,4}\\.TMP");
    std::set<std::string> made;
    for (int i = 0; i < 20; ++i) {
        const std::string path = CTempFolder::CreateUniqueFile("ZOD");
        ASSERT_FALSE(path.empty());
        const std::string name = std::filesystem::path(path).filename().string();
        EXPECT_EQ(std::filesystem::path(path).parent_path().string(), m_strExpected);
        EXPECT_TRUE(std::regex_match(name, shape)) << name;
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        EXPECT_EQ(ModeOf(path) & 0777, 0600u);
        made.insert(name);
    }
    EXPECT_EQ(made.size(), 20u);
    EXPECT_EQ(NamesIn(m_strExpected), made);
    // Only three characters of a prefix count; a prefix that leaves the folder is refused.
    EXPECT_TRUE(std::regex_match(
        std::filesystem::path(CTempFolder::CreateUniqueFile("ZODIAC")).filename().string(), shape));
    EXPECT_EQ(CTempFolder::CreateUniqueFile("../"), "");
    EXPECT_EQ(CTempFolder::CreateUniqueFile("a/b"), "");
}

TEST_F(TempFolderTest, NumbersOfPagesAndFilesInUseAreSkippedUntilNoneIsLeft) {
    const std::string folder = CTempFolder::Path();
    ASSERT_FALSE(folder.empty());
    // Every number but 0x1234 belongs to a page that was renamed to ".htm", except 0x2345 whose
    // ".TMP" is still there: the only free name is ZOD1234.TMP, wherever the search starts.
    for (unsigned n = 1; n <= 0xFFFF; ++n) {
        if (n == 0x1234)
            continue;
        char name[32];
        std::snprintf(name, sizeof name, n == 0x2345 ? "/ZOD%X.TMP" : "/ZOD%X.TMP.htm", n);
        std::FILE* f = std::fopen((folder + name).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    EXPECT_EQ(CTempFolder::CreateUniqueFile("ZOD"), folder + "/ZOD1234.TMP");
    EXPECT_EQ(CTempFolder::CreateUniqueFile("ZOD"), "");
}

TEST_F(TempFolderTest, SweepsDeleteOnlyMatchingRegularFilesInTheFolder) {
    const std::string folder = CTempFolder::Path();
    ASSERT_FALSE(folder.empty());
    for (const char* name :
         {"ZOD1.TMP", "zod2.tmp", "ZOD3.TMP.htm", "ZODX", "ABC.TMP", "ZOD4.TMPX", "XZOD5.TMP"})
        WriteBytes(folder + "/" + name, "page");
    ASSERT_EQ(::mkdir((folder + "/ZOD6.TMP").c_str(), 0700), 0);
    const std::string outside = m_root.File("ZOD7.TMP");
    WriteBytes(outside, "not ours");
    ASSERT_EQ(::symlink(outside.c_str(), (folder + "/ZOD7.TMP").c_str()), 0);

    EXPECT_EQ(CTempFolder::DeleteMatching("ZOD*.TMP"), 2);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"ZOD3.TMP.htm", "ZODX", "ABC.TMP", "ZOD4.TMPX",
                                                      "XZOD5.TMP", "ZOD6.TMP", "ZOD7.TMP"}));
    EXPECT_EQ(CTempFolder::DeleteMatching("ZOD*.*"), 3);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"ABC.TMP", "XZOD5.TMP", "ZOD6.TMP", "ZOD7.TMP"}));
    // Nothing outside the folder: neither the link's target nor a pattern with a path.
    EXPECT_TRUE(std::filesystem::exists(outside));
    EXPECT_EQ(CTempFolder::DeleteMatching("../ZOD7.TMP"), 0);
    EXPECT_EQ(CTempFolder::DeleteMatching(""), 0);
    EXPECT_TRUE(std::filesystem::exists(outside));
    EXPECT_EQ(CTempFolder::DeleteMatching("*.*"), 2);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"ZOD6.TMP", "ZOD7.TMP"}));
}

TEST(TempFolderWildcard, MatchesAsThePlatformListingDoes) {
    struct SCase {
        const char* name;
        const char* pattern;
        bool bMatch;
    };
    const SCase cases[] = {
        {"ZOD1A.TMP", "ZOD*.TMP", true},
        {"zod1a.tmp", "ZOD*.TMP", true},
        {"ZOD.TMP", "ZOD*.TMP", true},
        {"ZOD1A.TMP.htm", "ZOD*.TMP", false},
        {"ZOD1A.TMP.htm", "ZOD*.*", true},
        {"ZOD1A", "ZOD*.*", true},
        {"ZOD", "ZOD*.*", true},
        {"ZO", "ZOD*.*", false},
        {"AZOD1.TMP", "ZOD*.*", false},
        {"noext", "*.*", true},
        {".hidden", "*.*", true},
        {"a.b", "?.?", true},
        {"ab.b", "?.?", false},
        {"a.b.c", "*.c", true},
        {"abcabd", "*abd", true},
        {"abcab", "*abd", false},
        {"x", "", false},
        {"", "*", true},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CTempFolder::MatchesWildcard(c.name, c.pattern), c.bMatch) << c.name << " ~ " << c.pattern;
}
