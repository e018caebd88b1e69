#include "view/saving.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "view/qtext.h"

namespace quorvel {

namespace {

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Names under /dev and /proc stand for devices and for descriptors the
// process already holds (/dev/stdout, /proc/self/fd/1): they are written
// into, whatever kind of file lies behind them.
bool IsSystemName(const std::string& path) {
    std::error_code error;
    const std::string normal = std::filesystem::absolute(path, error).lexically_normal().string();
    return normal.rfind("/dev/", 0) == 0 || normal.rfind("/proc/", 0) == 0;
}

struct Target {
    std::string path;  // symbolic links followed
    bool system = false;
};

// Follows symbolic links by hand, so that a link to a file not yet there
// makes that file, and the last link before /dev or /proc is left to the
// kernel (the links of /proc/self/fd name no path).
Target Resolve(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        if (IsSystemName(path)) return {path, true};
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || std::size_t(n) >= link.size()) break;
        link.resize(std::size_t(n));
        path = link.front() == '/' ? link : Folder(path) + "/" + link;
    }
    return {path, false};
}

bool IsOutOfRoom(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

// Writes into the file itself. A regular file is given its room first, so
// that a full disk leaves the old contents as they were.
WriteResult WriteInPlace(const std::string& path, std::string_view bytes, bool create) {
    // Not blocking: a FIFO without a reader fails at once instead of
    // holding the program until one comes.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (create ? O_CREAT | O_EXCL : 0), 0666);
    if (fd < 0) return WriteResult::NotWritten;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const auto fail = [&](WriteResult result) {
        if (create) ::unlink(path.c_str());
        return create ? WriteResult::NotWritten : result;
    };
    if (regular && !bytes.empty() && ::fallocate(fd, 0, 0, off_t(bytes.size())) != 0 && IsOutOfRoom(errno)) {
        ::close(fd);
        return fail(WriteResult::NotWritten);
    }
    bool ok = WriteAll(fd, bytes);
    if (regular) ok = ok && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return WriteResult::Written;
    return fail(regular ? WriteResult::Damaged : WriteResult::NotWritten);
}

// A file of its own beside target, with the mode new files get (0666 less
// the umask). -1 if the folder takes none.
int MakeTemporary(const std::string& target, std::string& name) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", unsigned(random()));
        name = Folder(target) + "/." + BaseName(target) + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes a temporary file and renames it over target; existing describes
// the file it replaces, if any.
WriteResult Replace(const std::string& target, std::string_view bytes, const struct stat* existing) {
    std::string temporary;
    const int fd = MakeTemporary(target, temporary);
    if (fd < 0) return WriteInPlace(target, bytes, existing == nullptr);
    if (existing) {
        // Root keeps the owner and the owner the group; otherwise the file
        // becomes the writer's. The permissions come after, as a change of
        // owner may cut them.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) (void)!::fchown(fd, uid_t(-1), existing->st_gid);
        (void)!::fchmod(fd, existing->st_mode & 07777);
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) return WriteResult::Written;
    ::unlink(temporary.c_str());
    return WriteResult::NotWritten;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

WriteResult WriteFile(const QString& fileName, std::string_view bytes) {
    const Target target = Resolve(QFile::encodeName(fileName).toStdString());
    struct stat st {};
    if (::stat(target.path.c_str(), &st) != 0) {
        if (errno != ENOENT) return WriteResult::NotWritten;
        return Replace(target.path, bytes, nullptr);  // a new file
    }
    // A file the user may not write is not replaced either, though the
    // folder would allow it.
    if (::access(target.path.c_str(), W_OK) != 0) return WriteResult::NotWritten;
    if (target.system || !S_ISREG(st.st_mode) || st.st_nlink > 1) return WriteInPlace(target.path, bytes, false);
    return Replace(target.path, bytes, &st);
}

QString WriteFailure(WriteResult result, const QString& fileName) {
    const std::string words = WriteFailureWords(result);
    return words.empty() ? QString() : ToQString(words).arg(fileName);
}

}  // namespace quorvel
