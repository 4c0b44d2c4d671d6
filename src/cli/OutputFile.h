// Where the picture goes. A regular file or a new name is written to a temporary file in the same
// folder, flushed to disk and renamed over the name, so that the name never holds half a picture;
// a symlink is followed and stays. Anything else (a FIFO, a device) is written directly and never
// replaced, and "-" is standard output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace morvale {

class OutputFile {
public:
    OutputFile() = default;
    // Removes the temporary file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empty, or the German reason the path cannot be written. Until Commit, SIGINT, SIGTERM and
    // SIGHUP remove the temporary file before they end the program. A FIFO no one reads yet
    // calls waiting, then waits for its reader.
    std::string Open(const std::string& path, const std::function<void()>& waiting = {});
    // False on a failed write; Failure() tells why.
    bool Write(const std::uint8_t* data, std::size_t size);
    // Flushes and puts the file in place; empty, or the German reason it failed (and nothing is
    // left under the name).
    std::string Commit();
    // Bytes the file may still take where it is written (unbounded for FIFOs and devices).
    std::uint64_t FreeBytes() const;
    const std::string& Failure() const { return failure_; }

private:
    std::string Fail(int error);
    std::string OpenFifo(const std::function<void()>& waiting);
    void Discard();

    int fd_ = -1;
    bool replaces_ = false;  // written to temporary_ and renamed over target_
    std::string target_;
    std::string temporary_;
    unsigned mode_ = 0;  // permissions the finished file gets
    std::string failure_;
};

}  // namespace morvale
