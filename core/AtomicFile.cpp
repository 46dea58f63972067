#include "core/AtomicFile.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivarelo {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view TemporaryPrefix = ".mivarelo-save-";
constexpr std::string_view TemporarySuffix = ".tmp";

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A fresh file beside the target; -1 when none can be created.
int CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            FolderOf(target) / (std::string(TemporaryPrefix) + std::to_string(::getpid()) + "-" +
                                std::to_string(attempt) + std::string(TemporarySuffix));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolderOf(const fs::path& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The process has ended when signal 0 cannot reach it for want of a process;
// one of another user (EPERM) still runs.
bool ProcessGone(long pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

bool IsSaveTemporaryName(std::string_view name, long& pid) {
    if (!name.starts_with(TemporaryPrefix) || !name.ends_with(TemporarySuffix)) return false;
    name.remove_prefix(TemporaryPrefix.size());
    name.remove_suffix(TemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size()) return false;
    long attempt = 0;
    const char* end = name.data() + name.size();
    const auto first = std::from_chars(name.data(), name.data() + dash, pid);
    const auto second = std::from_chars(name.data() + dash + 1, end, attempt);
    return first.ec == std::errc() && first.ptr == name.data() + dash && second.ec == std::errc() &&
           second.ptr == end;
}

int RemoveStaleTemporaries(const fs::path& dir) {
    const int savedErrno = errno;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        long pid = 0;
        const std::string name = it->path().filename().string();
        if (!IsSaveTemporaryName(name, pid) || !ProcessGone(pid)) continue;
        if (it->is_regular_file(ec) && ::unlink(it->path().c_str()) == 0) ++removed;
    }
    errno = savedErrno;
    return removed;
}

bool WriteFileAtomically(const std::string& path, std::string_view data) {
    std::error_code ec;
    fs::path target(path);
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    if (fs::is_symlink(target, ec)) {
        target = fs::canonical(target, ec); // replace the file the link points to
        if (ec) {
            errno = ec.value();
            return false;
        }
    }
    // Only a regular file is replaced: renaming over a device or a folder
    // would take its place in the file system.
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        errno = EISDIR;
        return false;
    }
    RemoveStaleTemporaries(FolderOf(target));
    fs::path temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = failure;
        return false;
    }
    SyncFolderOf(target);
    return true;
}

} // namespace mivarelo
