// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/DataFolder.h"
#include "support/TestDict.h"

#include <filesystem>

namespace {

TEST(DataFolder, BesideTheProgramFirstThenTheInstallationsShare) {
    CTempDir root;
    const std::string bin = root.File("bin");
    const std::string share = root.File("share/lekstar");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    // Nothing anywhere: the program's own folder, where the message then names the file.
    EXPECT_EQ(DataFolder::For(bin), bin);
    EXPECT_FALSE(DataFolder::IsInstalled(bin));

    WriteBytes(share + "/LEKSTAR.dic", "x");
    EXPECT_EQ(DataFolder::For(bin),
              (std::filesystem::path(root.File("")).parent_path() / "share" / "lekstar").string());
    EXPECT_TRUE(DataFolder::IsInstalled(bin));

    // A dictionary beside the program wins (a build tree, a folder of its own).
    WriteBytes(bin + "/LEKSTAR.dic", "x");
    EXPECT_EQ(DataFolder::For(bin), bin);
    EXPECT_FALSE(DataFolder::IsInstalled(bin));

    // Only a regular file counts.
    std::filesystem::remove(bin + "/LEKSTAR.dic");
    std::filesystem::create_directory(bin + "/LEKSTAR.dic");
    EXPECT_TRUE(DataFolder::IsInstalled(bin));
}

} // namespace
