// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class QSettings;
class QString;

// One key of the program's settings store, read and written the way registry code reads a key:
// open, query or set named values, close. Underneath it is QSettings in the native format under
// organisation "Kvarsena" and application "LEKSTAR"; the user key is the user scope, the machine
// key the system scope. Fallbacks between the two scopes are off: each key sees only its own
// values.
//
// A key exists when its settings file exists. Opening with bCreate makes the file (empty) when
// it is absent; without it an absent key does not open and nothing is written. Values set go to
// disk on Close (or destruction). Every operation on a key that is not open fails quietly.
class CRegKey {
public:
    enum class EScope { User, Machine };

    CRegKey();
    ~CRegKey();
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Points both scopes at folders of the caller's choice (tests); keys opened afterwards live
    // there as "<dir>/Kvarsena/LEKSTAR.conf".
    static void SetRoots(const QString& userDir, const QString& machineDir);
    // The file that holds the key of a scope.
    static QString FileName(EScope scope);

    // Opens the key; a key already open is closed first. *pbCreated tells whether this call made
    // the key. False when the key is absent and bCreate is not given, when it cannot be made, or
    // when its file cannot be read.
    bool Open(EScope scope, bool bCreate, bool* pbCreated = nullptr);
    bool IsOpen() const { return m_pSettings != nullptr; }

    // A stored integer that fits in 32 bits, signed or unsigned (a negative one comes back as its
    // two's complement). False when the value is absent or is anything else.
    bool QueryDWORD(const char* name, std::uint32_t& value) const;
    // The stored text in code page 1257. False when absent or longer than maxBytes bytes; value
    // is then left as it was.
    bool QueryString(const char* name, std::string& value, std::size_t maxBytes) const;

    // False when the key is not open or cannot be written.
    bool SetDWORD(const char* name, std::uint32_t value);
    // The code page 1257 text is stored as Unicode text.
    bool SetString(const char* name, const std::string& cp1257);

    // Writes what was set and releases the key; harmless when nothing is open.
    void Close();

    // The largest user settings file taken for settings; see SetAsideIfNoSettings.
    static constexpr std::size_t kMaxSettingsBytes = 1u << 20;

private:
    // Renames a user settings file that is no settings file (too large, or unparsable) to
    // "<file>.bad", replacing an earlier one.
    static void SetAsideIfNoSettings(const QString& path);

    std::unique_ptr<QSettings> m_pSettings;
};
