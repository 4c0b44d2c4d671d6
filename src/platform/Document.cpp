#include "platform/Document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <vector>

namespace morvale {
namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        done += std::size_t(n);
    }
    return {};
}

}  // namespace

void CDocument::SetPathName(const std::string& path) {
    pathName_ = path;
    title_ = std::filesystem::path(path).filename().string();
}

bool CDocument::OnNewDocument() {
    pathName_.clear();
    title_.clear();
    return true;
}

std::error_code CDocument::OnOpenDocument(const std::string& path) {
    // Non-blocking, so that a FIFO without a writer or a device cannot stall the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return LastError();
    struct stat info {};
    const std::error_code statError = ::fstat(fd, &info) == 0 ? std::error_code() : LastError();
    ::close(fd);
    if (statError) return statError;
    if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    std::stringstream nothing;
    CArchive ar(nothing, CArchive::load);
    Serialize(ar);
    std::error_code ec;
    SetPathName(std::filesystem::absolute(path, ec).string());
    return {};
}

std::error_code CDocument::OnSaveDocument(const std::string& path) {
    std::stringstream contents;
    CArchive ar(contents, CArchive::store);
    Serialize(ar);

    const std::filesystem::path target(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp = (folder / target.filename()).string();
    temp.append(".XXXXXX");
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return LastError();
    temp.assign(name.data());

    std::error_code ec = WriteAll(fd, contents.str());
    if (!ec && ::fsync(fd) != 0) ec = LastError();
    // mkstemp makes the file private; keep the old file's permissions, or the usual ones.
    std::error_code statError;
    const std::filesystem::file_status old = std::filesystem::status(target, statError);
    const bool hadFile = !statError && std::filesystem::is_regular_file(old);
    ::fchmod(fd, hadFile ? mode_t(old.permissions()) & 07777 : 0644);
    if (::close(fd) != 0 && !ec) ec = LastError();
    if (!ec && ::rename(temp.c_str(), path.c_str()) != 0) ec = LastError();
    if (ec) {
        ::unlink(temp.c_str());
        return ec;
    }
    std::error_code ignored;
    SetPathName(std::filesystem::absolute(path, ignored).string());
    return {};
}

}  // namespace morvale
