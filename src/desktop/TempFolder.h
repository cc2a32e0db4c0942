// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

// The program's private temporary folder, mode 0700, owned by the user and not a link: "lekstar"
// in the user's runtime folder ($XDG_RUNTIME_DIR, which the system keeps private to the user),
// else "lekstar-<uid>" under the system temporary folder (QDir::tempPath, which honours TMPDIR),
// else, when that name is taken by someone else or by something that is no folder of ours, a
// fresh "lekstar-<uid>-XXXXXX" folder (mkdtemp) kept for the rest of the run. Page files and the
// splash picture's copy are created in it, and the sweeps delete only inside it, so no other user
// can plant, read or redirect them, nor stop them by taking the name first.
//
// Paths are the file system's own bytes. Every operation fails quietly: an empty string or a
// count of 0.
class CTempFolder {
public:
    // The folder, created when missing; empty only when no folder can be made at all (the system
    // temporary folder is missing or not writable).
    static std::string Path();

    // A new empty file "<prefix>" + hexadecimal number + ".TMP" in the folder (only the first
    // three characters of the prefix count, as with the platform's unique-name service), created
    // exclusively with mode 0600 so that it never reuses someone's file. The full path, or empty.
    static std::string CreateUniqueFile(const std::string& prefix);

    // Deletes the regular files directly in the folder whose names match the wildcard ('*' any
    // run, '?' one character, case-insensitive, a trailing ".*" also matching a name without a
    // dot). Links and subfolders are left alone. Returns how many files went.
    static int DeleteMatching(const std::string& pattern);

    // The wildcard rule of DeleteMatching.
    static bool MatchesWildcard(const std::string& name, const std::string& pattern);
};
