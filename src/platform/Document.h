// Document base: path, title, serialisation hook and the new/open/save operations.
#pragma once

#include <iosfwd>
#include <string>
#include <system_error>

#include "platform/CommandTarget.h"

namespace morvale {

// The stream a document is written to or read from.
class CArchive {
public:
    enum Mode { store, load };
    CArchive(std::iostream& stream, Mode mode) : stream_(stream), mode_(mode) {}
    bool IsStoring() const { return mode_ == store; }
    bool IsLoading() const { return mode_ == load; }
    std::iostream& Stream() { return stream_; }

private:
    std::iostream& stream_;
    Mode mode_;
};

class CDocument : public CCmdTarget {
public:
    ~CDocument() override = default;

    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path);  // the title becomes the file name
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Empties path and title (an untitled document); overrides call this first.
    virtual bool OnNewDocument();
    // Checks that the file can be opened for reading and reads none of it (documents keep nothing
    // in their files; Serialize sees an empty archive). Never blocks, whatever the file is; on
    // failure the document and its path stay as they were.
    virtual std::error_code OnOpenDocument(const std::string& path);
    // Writes a new file next to the target and renames it over it, so a failed save leaves the
    // old file untouched.
    virtual std::error_code OnSaveDocument(const std::string& path);
    virtual void Serialize(CArchive& ar) = 0;

private:
    std::string pathName_;
    std::string title_;
};

}  // namespace morvale
