// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Settings.h"

#include "app/RegKey.h"

#include <QRect>

#include <cstdint>

namespace {

// Switches read as 0 or 1 whatever number is stored.
bool QuerySwitch(const CRegKey& key, const char* name, int& value) {
    std::uint32_t stored = 0;
    if (!key.QueryDWORD(name, stored))
        return false;
    value = stored != 0 ? 1 : 0;
    return true;
}

// Coordinates and the direction are taken as stored; a negative left edge is stored as its 32-bit
// two's complement.
void QueryInt(const CRegKey& key, const char* name, int& value, int defaultValue) {
    std::uint32_t stored = 0;
    value = key.QueryDWORD(name, stored) ? static_cast<int>(static_cast<std::int32_t>(stored)) : defaultValue;
}

void SetInt(CRegKey& key, const char* name, int value) {
    key.SetDWORD(name, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
}

} // namespace

void LoadSettings(SSettings& s) {
    bool bAotRead = false;
    bool bEigaRead = false;
    bool bWordRead = false;

    CRegKey user;
    bool bCreated = false;
    if (user.Open(CRegKey::EScope::User, true, &bCreated) && !bCreated) {
        bAotRead = QuerySwitch(user, "AOT", s.bAlwaysOnTop);
        if (!bAotRead)
            s.bAlwaysOnTop = 0;
        bEigaRead = QuerySwitch(user, "Eiga", s.bShowHistory);
        if (!bEigaRead)
            s.bShowHistory = 1;
        if (!QuerySwitch(user, "Zymejimas", s.bSelection))
            s.bSelection = 0;
        if (!QuerySwitch(user, "Formos", s.bWordForms))
            s.bWordForms = 1;
        if (!QuerySwitch(user, "Langelis", s.bPopup))
            s.bPopup = 0;
        QueryInt(user, "Kalba", s.nDirection, 0);
        QueryInt(user, "PosX", s.nPosX, 0);
        QueryInt(user, "PosY", s.nPosY, 0);
        QueryInt(user, "SizeX", s.nSizeX, 0);
        QueryInt(user, "SizeY", s.nSizeY, 0);
        QueryInt(user, "Mastelis", s.nZoom, 100);
        if (s.nZoom < kMinZoom || s.nZoom > kMaxZoom)
            s.nZoom = 100;
        bWordRead = user.QueryString("Zodis", s.strLastWord, kMaxLastWordBytes);
        if (!bWordRead)
            s.strLastWord.clear();
    }
    user.Close();
    if (bAotRead && bEigaRead && bWordRead)
        return;

    // Until the user has once left with a word, the machine's switches are the user's starting
    // point on every run. Only the machine values that exist are taken and copied; a missing one
    // leaves what was read so far.
    CRegKey machine;
    bool bMachineAot = false;
    bool bMachineEiga = false;
    if (machine.Open(CRegKey::EScope::Machine, false)) {
        bMachineAot = QuerySwitch(machine, "AOT", s.bAlwaysOnTop);
        bMachineEiga = QuerySwitch(machine, "Eiga", s.bShowHistory);
    }
    machine.Close();
    if (!bMachineAot && !bMachineEiga)
        return;

    if (user.Open(CRegKey::EScope::User, true)) {
        if (bMachineAot)
            user.SetDWORD("AOT", static_cast<std::uint32_t>(s.bAlwaysOnTop));
        if (bMachineEiga)
            user.SetDWORD("Eiga", static_cast<std::uint32_t>(s.bShowHistory));
    }
    user.Close();
}

void SaveSettings(SSettings& s, const QRect& frameGeometry, const std::string& entryText) {
    CRegKey user;
    if (!user.Open(CRegKey::EScope::User, true))
        return;
    user.SetDWORD("AOT", s.bAlwaysOnTop != 0 ? 1u : 0u);
    user.SetDWORD("Eiga", s.bShowHistory != 0 ? 1u : 0u);
    user.SetDWORD("Zymejimas", s.bSelection != 0 ? 1u : 0u);
    user.SetDWORD("Formos", s.bWordForms != 0 ? 1u : 0u);
    user.SetDWORD("Langelis", s.bPopup != 0 ? 1u : 0u);
    SetInt(user, "Kalba", s.nDirection);
    // Whatever the window's state (minimised, maximised), the rectangle of this moment is kept.
    SetInt(user, "PosX", frameGeometry.left());
    SetInt(user, "PosY", frameGeometry.top());
    SetInt(user, "SizeX", frameGeometry.width());
    SetInt(user, "SizeY", frameGeometry.height());
    SetInt(user, "Mastelis", s.nZoom);
    s.strLastWord = entryText;
    if (!entryText.empty())
        user.SetString("Zodis", entryText);
    user.Close();
}
