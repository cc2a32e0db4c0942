// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Settings.h"
#include "app/RegKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>

#include <sys/resource.h>

// The expected records name only the members that differ from a first run's defaults; the
// comparison checks every member.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// A settings record as a failed comparison shows it.
void PrintTo(const SSettings& s, std::ostream* os) {
    *os << "{AOT " << s.bAlwaysOnTop << ", Eiga " << s.bShowHistory << ", Zymejimas " << s.bSelection
        << ", Formos " << s.bWordForms << ", Langelis " << s.bPopup << ", Kalba " << s.nDirection << ", rect "
        << s.nPosX << ' ' << s.nPosY << ' ' << s.nSizeX << ' ' << s.nSizeY << ", Zodis \"" << s.strLastWord
        << "\"}";
}

namespace {

// Each test gets its own user and machine keys in a temporary folder; the previous locations
// come back afterwards.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_strOldUser = RootOf(CRegKey::FileName(CRegKey::EScope::User));
        m_strOldMachine = RootOf(CRegKey::FileName(CRegKey::EScope::Machine));
        CRegKey::SetRoots(m_dir.filePath("user"), m_dir.filePath("machine"));
    }
    void TearDown() override { CRegKey::SetRoots(m_strOldUser, m_strOldMachine); }

    static QString RootOf(const QString& fileName) {
        // ".../<root>/Kvarsena/LEKSTAR.conf"
        return QFileInfo(QFileInfo(fileName).absolutePath()).absolutePath();
    }

    static QSettings::Scope Scope(CRegKey::EScope scope) {
        return scope == CRegKey::EScope::User ? QSettings::UserScope : QSettings::SystemScope;
    }

    static void Put(CRegKey::EScope scope, const char* name, const QVariant& value) {
        QSettings settings(QSettings::NativeFormat, Scope(scope), "Kvarsena", "LEKSTAR");
        settings.setFallbacksEnabled(false);
        settings.setValue(name, value);
        settings.sync();
        ASSERT_EQ(settings.status(), QSettings::NoError);
    }
    static QVariant Get(CRegKey::EScope scope, const char* name) {
        QSettings settings(QSettings::NativeFormat, Scope(scope), "Kvarsena", "LEKSTAR");
        settings.setFallbacksEnabled(false);
        return settings.value(name);
    }
    static QStringList Keys(CRegKey::EScope scope) {
        QSettings settings(QSettings::NativeFormat, Scope(scope), "Kvarsena", "LEKSTAR");
        settings.setFallbacksEnabled(false);
        QStringList keys = settings.allKeys();
        keys.sort();
        return keys;
    }
    static bool Exists(CRegKey::EScope scope) { return QFileInfo::exists(CRegKey::FileName(scope)); }
    static QString UserStr(const char* name) { return Get(CRegKey::EScope::User, name).toString(); }

    static void PutUser(const char* name, const QVariant& value) { Put(CRegKey::EScope::User, name, value); }
    static void PutMachine(const char* name, const QVariant& value) {
        Put(CRegKey::EScope::Machine, name, value);
    }

    // A loaded settings record whose members all differ from every default, so that each
    // member the loader sets shows.
    static SSettings Dirty() {
        SSettings s;
        s.bAlwaysOnTop = 9;
        s.bShowHistory = 9;
        s.bSelection = 9;
        s.bWordForms = 9;
        s.bPopup = 9;
        s.nDirection = 9;
        s.nPosX = s.nPosY = s.nSizeX = s.nSizeY = 9;
        s.strLastWord = "old";
        return s;
    }

    QTemporaryDir m_dir;
    QString m_strOldUser, m_strOldMachine;
};

using EScope = CRegKey::EScope;

TEST_F(SettingsStore, KeyExistsOnlyOnceItsFileDoes) {
    CRegKey key;
    bool bCreated = true;
    EXPECT_FALSE(key.Open(EScope::User, false, &bCreated));
    EXPECT_FALSE(bCreated);
    EXPECT_FALSE(Exists(EScope::User));
    EXPECT_FALSE(key.Open(EScope::Machine, false));
    EXPECT_FALSE(Exists(EScope::Machine));

    ASSERT_TRUE(key.Open(EScope::User, true, &bCreated));
    EXPECT_TRUE(bCreated);
    key.Close();
    QFile file(CRegKey::FileName(EScope::User));
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.size(), 0);

    ASSERT_TRUE(key.Open(EScope::User, true, &bCreated));
    EXPECT_FALSE(bCreated);
    ASSERT_TRUE(key.Open(EScope::User, false, &bCreated));
    EXPECT_FALSE(bCreated);
}

TEST_F(SettingsStore, ClosedKeyNeitherReadsNorWrites) {
    CRegKey key;
    std::uint32_t n = 5;
    std::string text = "keep";
    EXPECT_FALSE(key.SetDWORD("AOT", 1));
    EXPECT_FALSE(key.SetString("Zodis", "x"));
    EXPECT_FALSE(key.QueryDWORD("AOT", n));
    EXPECT_FALSE(key.QueryString("Zodis", text, 256));
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(text, "keep");
    EXPECT_FALSE(Exists(EScope::User));
}

TEST_F(SettingsStore, DwordIsAnyIntegerThatFitsInThirtyTwoBits) {
    PutUser("Max", "4294967295");
    PutUser("Min", "-2147483648");
    PutUser("Spaced", " 12 ");
    PutUser("TooBig", "4294967296");
    PutUser("TooSmall", "-2147483649");
    PutUser("Hex", "0x10");
    PutUser("Fraction", "1.5");
    PutUser("Word", "abc");
    PutUser("Empty", "");
    PutUser("List", QStringList{"1", "2"});

    CRegKey key;
    ASSERT_TRUE(key.Open(EScope::User, false));
    std::uint32_t n = 0;
    EXPECT_TRUE(key.QueryDWORD("Max", n));
    EXPECT_EQ(n, 0xFFFFFFFFu);
    EXPECT_TRUE(key.QueryDWORD("Min", n));
    EXPECT_EQ(n, 0x80000000u);
    EXPECT_TRUE(key.QueryDWORD("Spaced", n));
    EXPECT_EQ(n, 12u);
    n = 77;
    for (const char* name : {"TooBig", "TooSmall", "Hex", "Fraction", "Word", "Empty", "List", "Absent"})
        EXPECT_FALSE(key.QueryDWORD(name, n)) << name;
    EXPECT_EQ(n, 77u);

    ASSERT_TRUE(key.SetDWORD("Set", 0xFFFFFFF6u));
    key.Close();
    EXPECT_EQ(UserStr("Set"), "4294967286");
}

TEST_F(SettingsStore, StringIsCodePage1257WithinItsLimit) {
    PutUser("Word", QString::fromUtf8("\xC5\xBE"
                                      "odis")); // žodis
    PutUser("Commas", QStringList{"a", "b"});
    PutUser("Number", 42);

    CRegKey key;
    ASSERT_TRUE(key.Open(EScope::User, false));
    std::string text = "keep";
    EXPECT_FALSE(key.QueryString("Word", text, 4));
    EXPECT_EQ(text, "keep");
    EXPECT_TRUE(key.QueryString("Word", text, 5));
    EXPECT_EQ(text, "\xFEodis");
    EXPECT_TRUE(key.QueryString("Commas", text, 256));
    EXPECT_EQ(text, "a, b");
    EXPECT_TRUE(key.QueryString("Number", text, 256));
    EXPECT_EQ(text, "42");
    EXPECT_FALSE(key.QueryString("Absent", text, 256));

    ASSERT_TRUE(key.SetString("Stored", "\xE0\xE8\xE6 x")); // ąčę x
    key.Close();
    EXPECT_EQ(UserStr("Stored"), QString::fromUtf8("\xC4\x85\xC4\x8D\xC4\x99 x"));
}

TEST_F(SettingsStore, FirstRunCopiesTheMachineSwitches) {
    PutMachine("AOT", 7);
    PutMachine("Eiga", 1);
    PutMachine("Kalba", 1); // only the two switches come from the machine
    SSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, (SSettings{.bAlwaysOnTop = 1, .bShowHistory = 1}));
    EXPECT_EQ(Keys(EScope::User), QStringList({"AOT", "Eiga"}));
    EXPECT_EQ(UserStr("AOT"), "1");
    EXPECT_EQ(UserStr("Eiga"), "1");
}

TEST_F(SettingsStore, FirstRunWithoutMachineKeyKeepsEverythingOff) {
    SSettings s;
    LoadSettings(s);
    // A first run's defaults: the history is off, not on as for an existing key.
    EXPECT_EQ(s, SSettings{});
    EXPECT_TRUE(Exists(EScope::User));
    EXPECT_TRUE(Keys(EScope::User).isEmpty());
    EXPECT_FALSE(Exists(EScope::Machine)); // reading never makes the machine key
}

TEST_F(SettingsStore, MachineValueThatIsMissingIsNeitherTakenNorCopied) {
    PutMachine("Eiga", 0);
    PutMachine("AOT", "on"); // unreadable
    SSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, SSettings{});
    EXPECT_EQ(Keys(EScope::User), QStringList({"Eiga"}));
    EXPECT_EQ(UserStr("Eiga"), "0");
}

TEST_F(SettingsStore, ExistingUserKeyGivesDefaultsForAbsentValues) {
    { // an existing but empty user key
        CRegKey key;
        ASSERT_TRUE(key.Open(EScope::User, true));
    }
    SSettings s = Dirty();
    LoadSettings(s);
    EXPECT_EQ(s, (SSettings{.bShowHistory = 1}));
    EXPECT_TRUE(Keys(EScope::User).isEmpty());
}

TEST_F(SettingsStore, UnreadableValuesTakeTheirDefaults) {
    PutUser("AOT", "yes");
    PutUser("Eiga", "4294967296");
    PutUser("Kalba", "1.0");
    PutUser("PosX", "-20");
    PutUser("PosY", "x");
    PutUser("SizeX", "4294967295");
    PutUser("SizeY", "600");
    PutUser("Zodis", "namas");
    PutUser("Zymejimas", "on");
    PutUser("Formos", "-1");
    PutUser("Langelis", "x");
    SSettings s = Dirty();
    LoadSettings(s);
    EXPECT_EQ(
        s, (SSettings{.bShowHistory = 1, .nPosX = -20, .nSizeX = -1, .nSizeY = 600, .strLastWord = "namas"}));
}

TEST_F(SettingsStore, NonZeroSwitchesReadAsOneAndTheDirectionAsStored) {
    PutUser("AOT", 7);
    PutUser("Eiga", "4294967295");
    PutUser("Kalba", 2);
    PutUser("Zodis", "namas");
    PutUser("Zymejimas", 3);
    PutUser("Formos", 0);
    PutUser("Langelis", 2);
    SSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, (SSettings{.bAlwaysOnTop = 1,
                            .bShowHistory = 1,
                            .bSelection = 1,
                            .bWordForms = 0,
                            .bPopup = 1,
                            .nDirection = 2,
                            .strLastWord = "namas"}));
    // Everything was read, so nothing was rewritten.
    EXPECT_EQ(UserStr("AOT"), "7");
    EXPECT_EQ(UserStr("Eiga"), "4294967295");
}

TEST_F(SettingsStore, WithoutAWordTheMachineSwitchesWinOnEveryStart) {
    PutUser("AOT", 0);
    PutUser("Eiga", 1);
    PutUser("Kalba", 1);
    PutUser("PosX", 40);
    PutUser("PosY", 50);
    PutUser("SizeX", 900);
    PutUser("SizeY", 574);
    PutMachine("AOT", 1);
    PutMachine("Eiga", 0);
    for (int run = 0; run < 2; ++run) {
        SSettings s;
        LoadSettings(s);
        EXPECT_EQ(
            s,
            (SSettings{
                .bAlwaysOnTop = 1, .nDirection = 1, .nPosX = 40, .nPosY = 50, .nSizeX = 900, .nSizeY = 574}));
        EXPECT_EQ(UserStr("AOT"), "1");
        EXPECT_EQ(UserStr("Eiga"), "0");
        // The user switches them back and leaves without a word.
        s.bAlwaysOnTop = 0;
        s.bShowHistory = 1;
        SaveSettings(s, QRect(40, 50, 900, 574), "");
        EXPECT_EQ(UserStr("AOT"), "0");
    }
}

TEST_F(SettingsStore, WithAWordTheMachineIsNotConsulted) {
    PutUser("AOT", 0);
    PutUser("Eiga", 1);
    PutUser("Zodis", "namas");
    PutMachine("AOT", 1);
    PutMachine("Eiga", 0);
    SSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, (SSettings{.bShowHistory = 1, .strLastWord = "namas"}));
    EXPECT_EQ(UserStr("AOT"), "0");
    EXPECT_EQ(UserStr("Eiga"), "1");
}

TEST_F(SettingsStore, WordOfUpTo256BytesIsReadWhole) {
    // 256 letters ž: 512 bytes of UTF-8 in the file, 256 bytes of code page 1257.
    const QString longest = QString(256, QChar(0x17E));
    PutUser("AOT", 0);
    PutUser("Eiga", 1);
    PutUser("Zodis", longest);
    PutMachine("AOT", 1);
    SSettings s;
    LoadSettings(s);
    // bAlwaysOnTop: the word was read, so the machine was not asked
    EXPECT_EQ(s, (SSettings{.bShowHistory = 1, .strLastWord = std::string(256, '\xFE')}));

    PutUser("Zodis", longest + "s");
    LoadSettings(s);
    // strLastWord: too long counts as absent...
    // bAlwaysOnTop: ...and so the machine's switch is taken
    EXPECT_EQ(s, (SSettings{.bAlwaysOnTop = 1, .bShowHistory = 1}));
}

TEST_F(SettingsStore, SaveWritesEveryValueOfThisMoment) {
    SSettings s;
    s.bAlwaysOnTop = 7;
    s.bShowHistory = 2;
    s.nDirection = 1;
    s.bSelection = 5;
    s.bWordForms = 0;
    s.bPopup = 3;
    s.nZoom = 150;
    SaveSettings(s, QRect(-8, 12, 900, 574), "\xFEodis");
    EXPECT_EQ(Keys(EScope::User), QStringList({"AOT", "Eiga", "Formos", "Kalba", "Langelis", "Mastelis",
                                               "PosX", "PosY", "SizeX", "SizeY", "Zodis", "Zymejimas"}));
    EXPECT_EQ(UserStr("Langelis"), "1");
    EXPECT_EQ(UserStr("Mastelis"), "150");
    EXPECT_EQ(UserStr("AOT"), "1");
    EXPECT_EQ(UserStr("Zymejimas"), "1");
    EXPECT_EQ(UserStr("Formos"), "0");
    EXPECT_EQ(UserStr("Eiga"), "1");
    EXPECT_EQ(UserStr("Kalba"), "1");
    EXPECT_EQ(UserStr("PosX"), "4294967288");
    EXPECT_EQ(UserStr("PosY"), "12");
    EXPECT_EQ(UserStr("SizeX"), "900");
    EXPECT_EQ(UserStr("SizeY"), "574");
    EXPECT_EQ(UserStr("Zodis"), QString::fromUtf8("\xC5\xBE"
                                                  "odis"));
    EXPECT_EQ(s.strLastWord, "\xFEodis");

    // What was saved loads back, the negative edge included.
    SSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, (SSettings{.bAlwaysOnTop = 1,
                                 .bShowHistory = 1,
                                 .bSelection = 1,
                                 .bWordForms = 0,
                                 .bPopup = 1,
                                 .nDirection = 1,
                                 .nPosX = -8,
                                 .nPosY = 12,
                                 .nSizeX = 900,
                                 .nSizeY = 574,
                                 .strLastWord = "\xFEodis",
                                 .nZoom = 150}));
}

TEST_F(SettingsStore, TheTextSizeIsKeptWithinFiftyToThreeHundredPercent) {
    const std::pair<const char*, int> cases[] = {{"49", 100},   {"50", 50},   {"300", 300}, {"301", 100},
                                                 {"-100", 100}, {"abc", 100}, {"125", 125}};
    for (const auto& [stored, loaded] : cases) {
        PutUser("Mastelis", stored);
        SSettings s;
        s.nZoom = 7;
        LoadSettings(s);
        EXPECT_EQ(s.nZoom, loaded) << stored;
    }
}

TEST_F(SettingsStore, SavingWithAnEmptyEntryKeepsTheStoredWord) {
    PutUser("Zodis", "namas");
    SSettings s;
    s.strLastWord = "namas";
    SaveSettings(s, QRect(0, 0, 600, 410), "");
    EXPECT_EQ(UserStr("Zodis"), "namas");
    EXPECT_EQ(s.strLastWord, "");
    EXPECT_EQ(UserStr("SizeY"), "410");
    EXPECT_EQ(UserStr("AOT"), "0");
    EXPECT_EQ(UserStr("Eiga"), "0");
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Makes every write past a few bytes fail, as a full file system does, while it lives.
class CFullDisk {
public:
    CFullDisk() {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = 8;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~CFullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(SettingsStore, AFailedWriteLeavesThePreviousFileWhole) {
    PutUser("Zodis", "namas");
    PutUser("PosX", 100);
    PutUser("AOT", 1);
    PutUser("Eiga", 1);
    const QString path = CRegKey::FileName(EScope::User);
    const QByteArray before = FileBytes(path);
    ASSERT_GT(before.size(), 20);
    {
        const CFullDisk full;
        SSettings s;
        SaveSettings(s, QRect(7, 8, 900, 574), "house");
    }
    // What the next start reads is the file as it was.
    EXPECT_EQ(FileBytes(path), before);
    // With room again the next save goes through.
    SSettings s;
    SaveSettings(s, QRect(7, 8, 900, 574), "house");
    EXPECT_TRUE(FileBytes(path).contains("Zodis=house"));
    EXPECT_TRUE(FileBytes(path).contains("PosX=7"));
}

TEST_F(SettingsStore, ASettingsFileOfGarbageStartsFromDefaults) {
    const QString path = CRegKey::FileName(EScope::User);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    std::string garbage;
    for (int i = 0; i < 10 * 1024 * 1024; ++i)
        garbage += static_cast<char>((i * 7919 + (i >> 9)) & 0xFF);
    for (const std::string& bytes : {std::string("\xFF\xFE[[[=\n\0\0PosX=\x80\n"), garbage}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        SSettings loaded;
        LoadSettings(loaded);
        EXPECT_EQ(loaded.bAlwaysOnTop, 0);
        EXPECT_EQ(loaded.nPosX, 0);
        EXPECT_EQ(loaded.strLastWord, "");
    }
    // The 10 MB of garbage were kept aside whole, and a clean file is written in its place.
    EXPECT_EQ(QFileInfo(path + ".bad").size(), static_cast<qint64>(garbage.size()));
    {
        SSettings loaded;
        LoadSettings(loaded);
        SaveSettings(loaded, QRect(1, 2, 3, 4), "namas");
    }
    EXPECT_LT(QFileInfo(path).size(), 1024);
    EXPECT_EQ(Get(EScope::User, "Zodis").toString(), "namas");
    // A file of settings just under the limit is taken; one byte more is set aside.
    for (const qint64 size : {static_cast<qint64>(CRegKey::kMaxSettingsBytes),
                              static_cast<qint64>(CRegKey::kMaxSettingsBytes) + 1}) {
        QFile::remove(path + ".bad");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const std::string head = "[General]\nZodis=house\n";
        file.write(head.data(), static_cast<qint64>(head.size()));
        file.write(std::string(static_cast<std::size_t>(size) - head.size(), '\n').data(),
                   size - static_cast<qint64>(head.size()));
        file.close();
        SSettings loaded;
        LoadSettings(loaded);
        EXPECT_EQ(loaded.strLastWord, size > static_cast<qint64>(CRegKey::kMaxSettingsBytes) ? "" : "house")
            << size;
        EXPECT_EQ(QFileInfo::exists(path + ".bad"), size > static_cast<qint64>(CRegKey::kMaxSettingsBytes))
            << size;
    }
    // A folder where the file should be cannot be read: defaults again, and no crash on saving.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    SSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, SSettings{});
    SaveSettings(loaded, QRect(1, 2, 3, 4), "namas");
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsStore, NothingIsSavedWhenTheUserKeyCannotBeMade) {
    // A plain file where the key's folder should be.
    QFile blocker(m_dir.filePath("user"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SSettings s;
    s.strLastWord = "old";
    SaveSettings(s, QRect(1, 2, 3, 4), "namas");
    EXPECT_EQ(s.strLastWord, "old");
    EXPECT_FALSE(Exists(EScope::User));

    // Loading goes on with the machine's switches, quietly.
    PutMachine("AOT", 1);
    SSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, (SSettings{.bAlwaysOnTop = 1}));
}

} // namespace
