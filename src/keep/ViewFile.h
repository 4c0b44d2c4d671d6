// Saved views on disk: reading the view a PNG carries, with a German word for every way it can
// fail, and writing a picture with the texts of its view.
#pragma once

#include <istream>
#include <string>
#include <system_error>

#include "keep/ViewRecord.h"
#include "png/PngBands.h"

namespace morvale {

enum class ViewOutcome { Read, Unreadable, NotPng, NoView, Broken, Tree };

struct ViewReading {
    ViewOutcome outcome = ViewOutcome::Unreadable;
    std::error_code error;  // Unreadable
    std::string detail;     // Broken: what is wrong
    ViewRecord record;      // Read and Tree
};

ViewReading ReadView(std::istream& in);
ViewReading ReadViewFile(const std::string& path);

// Why the view in the file called name cannot be opened, in German; empty when it was read.
std::string ViewReadingMessage(const ViewReading& reading, const std::string& name);

// A picture already drawn (the tree) with the texts of its view.
bool WritePictureWithView(const PixelSurface& picture, const ViewRecord& record,
                          const ByteSink& sink);

}  // namespace morvale
