#include "cli/ProgressLine.h"

#include <cstdio>
#include <string>

namespace morvale {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kInterval = std::chrono::milliseconds(250);
constexpr const char* kClearLine = "\r\033[K";

std::string Minutes(double seconds) {
    const long whole = long(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

std::string Text(const std::string& unit, int rows, int totalRows, double elapsed) {
    const double done = totalRows > 0 ? double(rows) / totalRows : 1.0;
    std::string text = unit + " " + std::to_string(rows) + " von " + std::to_string(totalRows) +
                       " (" + std::to_string(int(done * 100)) + " %), " + Minutes(elapsed) +
                       " vergangen";
    if (done > 0) text += ", noch etwa " + Minutes(elapsed / done - elapsed);
    return text;
}

}  // namespace

ProgressLine::ProgressLine(int totalRows, bool shown, std::string unit)
    : totalRows_(totalRows),
      unit_(std::move(unit)),
      shown_(shown),
      nextShow_(start_ + kQuietStart) {}

ProgressLine::~ProgressLine() {
    Finish();
}

void ProgressLine::Finish() {
    if (printed_) std::fputs(kClearLine, stderr);
    printed_ = false;
    shown_ = false;
}

void ProgressLine::Update(int rows) {
    const Clock::time_point now = Clock::now();
    if (!shown_ || now < nextShow_) return;
    nextShow_ = now + kInterval;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    std::fputs((kClearLine + Text(unit_, rows, totalRows_, elapsed)).c_str(), stderr);
    std::fflush(stderr);
    printed_ = true;
}

}  // namespace morvale
