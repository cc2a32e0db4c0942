// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/TempFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file descriptor closed on every way out.
class CFd {
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchFrom(const std::string& name, const std::string& pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    // Where the last '*' stood and how much of the name it had taken when we last backtracked.
    std::size_t starP = std::string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// Opens the folder itself, refusing a link in its place.
int OpenFolder(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Whether the folder at path is ours alone: a directory, not a link, owned by us, closed to
// others (closed off here when it is open). Checked through a descriptor of the folder itself,
// so that what we check is what we use: O_NOFOLLOW refuses a link, O_DIRECTORY anything else.
bool IsPrivateFolder(const std::string& path) {
    CFd folder(OpenFolder(path));
    if (folder.Get() < 0)
        return false;
    struct stat st {};
    if (::fstat(folder.Get(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::fchmod(folder.Get(), 0700) == 0;
}

// The folder at path, made when missing; empty when what stands there is not ours alone.
std::string MadePrivate(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    return IsPrivateFolder(path) ? path : std::string();
}

// The user's runtime folder, when the system made one as it should: absolute, ours, closed.
std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] != '/')
        return {};
    struct stat st {};
    if (::stat(runtime, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return runtime;
}

} // namespace

std::string CTempFolder::Path() {
    const std::string runtime = RuntimeFolder();
    if (!runtime.empty()) {
        std::string path = MadePrivate(runtime + (runtime.back() == '/' ? "lekstar" : "/lekstar"));
        if (!path.empty())
            return path;
    }
    const std::string base = QFile::encodeName(QDir::tempPath()).toStdString();
    if (base.empty())
        return {};
    const std::string stem =
        (base.back() == '/' ? base : base + "/") + "lekstar-" + std::to_string(::getuid());
    // When the predictable name was taken (another user made it first, or something else stands
    // there), a fresh folder of a name nobody can foresee serves instead, and keeps serving for
    // the rest of the run, so that the pages and the sweeps stay in one place.
    static std::string s_strFallbackStem;
    static std::string s_strFallback;
    if (s_strFallbackStem == stem && IsPrivateFolder(s_strFallback))
        return s_strFallback;
    std::string path = MadePrivate(stem);
    if (!path.empty())
        return path;
    std::string pattern = stem + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    s_strFallbackStem = stem;
    s_strFallback = pattern;
    return s_strFallback;
}

std::string CTempFolder::CreateUniqueFile(const std::string& prefix) {
    const std::string stem = prefix.substr(0, 3);
    if (stem.find('/') != std::string::npos)
        return {};
    const std::string folder = Path();
    if (folder.empty())
        return {};
    // Like the platform's service with unique value 0: start from the clock and count up through
    // the 65,535 four-digit numbers until a name is free. The counter keeps two calls within
    // one clock tick apart.
    static unsigned s_nCalls = 0;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const unsigned start = static_cast<unsigned>(ms.count()) + s_nCalls++;
    for (unsigned k = 0; k < 0xFFFF; ++k) {
        const unsigned number = (start + k) % 0xFFFF + 1;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%X", number);
        const std::string path = folder + "/" + stem + hex + ".TMP";
        // A page file keeps its number after it is renamed to ".htm"; handing the number out
        // again would let the next page's rename replace a page the history still shows.
        struct stat st {};
        if (::lstat((path + ".htm").c_str(), &st) == 0)
            continue;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

int CTempFolder::DeleteMatching(const std::string& pattern) {
    if (pattern.empty() || pattern.find('/') != std::string::npos)
        return 0;
    const std::string folder = Path();
    if (folder.empty())
        return 0;
    CFd folderFd(OpenFolder(folder));
    if (folderFd.Get() < 0)
        return 0;
    // The listing gets its own descriptor; ours stays open for the deletes below.
    const int listFd = ::dup(folderFd.Get());
    if (listFd < 0)
        return 0;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return 0;
    }
    // The names first, the deletes after: removing entries while listing may skip some.
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && MatchesWildcard(name, pattern))
            names.push_back(name);
    }
    ::closedir(dir);

    int count = 0;
    for (const std::string& name : names) {
        struct stat st {};
        if (::fstatat(folderFd.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlinkat(folderFd.Get(), name.c_str(), 0) == 0)
            ++count;
    }
    return count;
}

bool CTempFolder::MatchesWildcard(const std::string& name, const std::string& pattern) {
    if (MatchFrom(name, pattern))
        return true;
    // "NAME.*" also matches "NAME" alone, as the platform's listing does: "*.*" is every file.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0)
        return MatchFrom(name, pattern.substr(0, pattern.size() - 2));
    return false;
}
