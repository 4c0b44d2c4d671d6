// The progress of a long run on a terminal: rows done, percentage, time taken and time left, on
// one line of stderr that is rewritten in place and cleared at the end.
#pragma once

#include <chrono>
#include <string>

namespace morvale {

class ProgressLine {
public:
    // shown: whether a line may appear at all (stderr a terminal, no --quiet).
    // unit: what is counted ("Zeile", "Bild").
    ProgressLine(int totalRows, bool shown, std::string unit = "Zeile");
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Rows done so far; shows the line from about a second on, a few times a second.
    void Update(int rows);
    // Clears the line, so that what follows starts on a clean one.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    int totalRows_;
    std::string unit_;
    bool shown_;
    bool printed_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point nextShow_;
};

}  // namespace morvale
