// The tree part of the command line: the tree toolbar's parameters and how many paints to run.
#pragma once

#include <optional>
#include <string>

namespace morvale {

class HeadlessWindow;

struct TreeRequest {
    bool on = false;  // draw the tree instead of an escape-time picture
    std::optional<int> branches;
    std::optional<int> segmentOffset;  // added to 60 segments per root arm
    std::optional<double> length;      // pixels per segment
    std::optional<double> turn;        // radians per segment
    std::optional<int> redux;
    std::optional<bool> colour;
    std::optional<int> paints;  // the picture of the N-th paint; every paint draws a new tree
};

// Option values; each returns an empty string or one German line naming the option.
std::string ParseTreeInt(const char* option, const std::string& text, std::optional<int>& value);
std::string ParseTreeDouble(const char* option, const std::string& text,
                            std::optional<double>& value);
// At most 10000 pixels either way.
std::string ParseTreeLength(const std::string& text, std::optional<double>& value);
std::string ParseTreeSwitch(const char* option, const std::string& text,
                            std::optional<bool>& value);
std::string CheckTreeRequest(const TreeRequest& request);

// Sets the parameters, chooses the series, presses the tree-mode button and paints.
void ReplayTree(const TreeRequest& request, int series, HeadlessWindow& road);

// Status panes 1 to 5 as the window shows them after the tree, one per line.
std::string TreeStatusLines(HeadlessWindow& road);

}  // namespace morvale
