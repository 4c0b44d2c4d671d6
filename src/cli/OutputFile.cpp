#include "cli/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

namespace morvale {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as the kernel follows them
constexpr std::size_t kNameKept = 200;
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file a signal handler removes; empty when there is none.
char pendingTemporary[4096];

void RemovePendingAndDie(int signal) {
    if (pendingTemporary[0] != '\0') unlink(pendingTemporary);
    std::signal(signal, SIG_DFL);
    raise(signal);
}

void Arm(const std::string& temporary) {
    if (temporary.size() >= sizeof pendingTemporary) return;
    std::memcpy(pendingTemporary, temporary.c_str(), temporary.size() + 1);
    for (const int signal : kCleanupSignals) std::signal(signal, RemovePendingAndDie);
}

void Disarm() {
    pendingTemporary[0] = '\0';
}

const std::pair<int, const char*> kReasons[] = {
    {ENOENT, "den Ordner gibt es nicht"},
    {ENOTDIR, "den Ordner gibt es nicht"},
    {EACCES, "keine Schreibberechtigung"},
    {EPERM, "keine Schreibberechtigung"},
    {EROFS, "schreibgeschütztes Dateisystem"},
    {ENOSPC, "kein Platz mehr auf dem Datenträger"},
    {EDQUOT, "Speicherkontingent erschöpft"},
    {EFBIG, "die Datei überschreitet die erlaubte Größe"},
    {EPIPE, "der Leser hat die Verbindung beendet"},
    {EISDIR, "das ist ein Ordner"},
    {ELOOP, "zu viele symbolische Verknüpfungen"},
    {ENAMETOOLONG, "Name zu lang"},
    {EIO, "Ein-/Ausgabefehler"},
};

std::string Reason(int error) {
    for (const auto& [code, text] : kReasons)
        if (code == error) return text;
    return "Fehler " + std::to_string(error) + ": " + std::strerror(error);
}

// The path a chain of symlinks ends at (which need not exist).
fs::path FollowLinks(fs::path path, std::error_code& ec) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

unsigned NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666u & ~unsigned(mask);
}

}  // namespace

OutputFile::~OutputFile() {
    Discard();
}

std::string OutputFile::Fail(int error) {
    failure_ = Reason(error);
    return failure_;
}

std::string OutputFile::Open(const std::string& path, const std::function<void()>& waiting) {
    // A reader that goes away and the file size limit fail the write, which is reported and
    // cleaned up, instead of ending the program on the spot.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    if (path == "-") {
        if (isatty(STDOUT_FILENO)) return failure_ = "die Standardausgabe ist ein Terminal";
        fd_ = STDOUT_FILENO;
        return {};
    }
    std::error_code ec;
    target_ = FollowLinks(path, ec).string();
    if (ec) return Fail(ec.value());
    struct stat info {};
    const bool exists = stat(target_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return Fail(EISDIR);
    if (exists && S_ISFIFO(info.st_mode)) return OpenFifo(waiting);
    if (exists && !S_ISREG(info.st_mode)) {
        fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) return Fail(errno);
        return {};
    }
    if (exists && access(target_.c_str(), W_OK) != 0) return Fail(errno);
    // Root may write anything; a file no one may write is still not replaced.
    if (exists && (info.st_mode & 0222) == 0) return Fail(EACCES);
    mode_ = exists ? unsigned(info.st_mode & 07777) : NewFileMode();
    fs::path folder = fs::path(target_).parent_path();
    if (folder.empty()) folder = ".";
    // A hidden name beside the target: "." + name + six random letters, short enough for any
    // name the folder takes.
    std::string hidden(".");
    hidden += fs::path(target_).filename().string().substr(0, kNameKept);
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return Fail(errno);
    temporary_ = pattern;
    replaces_ = true;
    Arm(temporary_);
    return {};
}

// Without a reader, opening a FIFO for writing blocks; ENXIO from the non-blocking try tells so.
std::string OutputFile::OpenFifo(const std::function<void()>& waiting) {
    fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0 && errno == ENXIO) {
        if (waiting) waiting();
        do fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        while (fd_ < 0 && errno == EINTR);
    }
    if (fd_ < 0) return Fail(errno);
    // Writes wait for the reader as to any FIFO.
    const int flags = fcntl(fd_, F_GETFL);
    if (flags < 0 || fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) return Fail(errno);
    return {};
}

bool OutputFile::Write(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd_, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            Fail(written < 0 ? errno : EIO);
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

std::string OutputFile::Commit() {
    if (!replaces_) {
        const int fd = std::exchange(fd_, -1);
        if (fd != STDOUT_FILENO && close(fd) != 0) return Fail(errno);
        return {};
    }
    if (fchmod(fd_, mode_) != 0 || fsync(fd_) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    const int fd = std::exchange(fd_, -1);
    if (close(fd) != 0 || rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    Disarm();
    replaces_ = false;
    // The rename itself reaches the disk with the folder.
    const fs::path folder = fs::path(target_).parent_path();
    const int folderFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return {};
}

std::uint64_t OutputFile::FreeBytes() const {
    struct statvfs info {};
    if (!replaces_ || fstatvfs(fd_, &info) != 0) return std::numeric_limits<std::uint64_t>::max();
    return std::uint64_t(info.f_bavail) * info.f_frsize;
}

void OutputFile::Discard() {
    if (fd_ >= 0 && fd_ != STDOUT_FILENO) close(fd_);
    fd_ = -1;
    if (replaces_) {
        unlink(temporary_.c_str());
        Disarm();
        replaces_ = false;
    }
}

}  // namespace morvale
