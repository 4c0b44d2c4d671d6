#include "cli/TreeRequest.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "cli/WholeNumber.h"
#include "platform/QuotedText.h"
#include "view/HeadlessWindow.h"
#include "view/tree/TreeGeometry.h"
#include "view/tree/TreeOutcome.h"
#include "view/tree/TreeStatus.h"

namespace morvale {
namespace {

constexpr int kMaxPaints = 1000000;
// Every segment is a line walked pixel by pixel, also off the picture; longer ones would take
// minutes, and no screen is this wide.
constexpr double kMaxLength = 10000.0;
// Pixels walked by all segments of all paints; about ten minutes of drawing.
constexpr double kMaxTreeSteps = 4e9;

// The pixels the requested paints walk: every segment at least one, a long one its length.
double TreeSteps(const TreeRequest& r) {
    TreeParams params;
    params.branches = r.branches.value_or(params.branches);
    params.redux = r.redux.value_or(params.redux);
    const double length = r.length.value_or(params.segmentLength);
    const TreeOutcome tree = PredictTree(params, kSegmentBase + r.segmentOffset.value_or(0));
    return tree.segments * std::max(1.0, std::ceil(std::fabs(length))) * r.paints.value_or(1);
}

// Whole numbers as they are, beyond that with an exponent.
std::string Amount(double value) {
    char text[32];
    std::snprintf(text, sizeof text, value < 1e15 ? "%.0f" : "%.1e", value);
    return text;
}

}  // namespace

std::string ParseTreeInt(const char* option, const std::string& text, std::optional<int>& value) {
    int parsed = 0;
    if (std::string error = ParseWholeNumber(text, parsed); !error.empty())
        return std::string(option) + ": " + error;
    value = parsed;
    return {};
}

std::string ParseTreeDouble(const char* option, const std::string& text,
                            std::optional<double>& value) {
    double parsed = 0.0;
    if (!ParseNumber(text, parsed) || !std::isfinite(parsed))
        return std::string(option) + ": " + QuotedText(text) +
               " ist keine Zahl (mit Punkt, z. B. 3.5)";
    value = parsed;
    return {};
}

std::string ParseTreeLength(const std::string& text, std::optional<double>& value) {
    std::string error = ParseTreeDouble("--length", text, value);
    if (error.empty() && std::fabs(*value) > kMaxLength)
        error = "--length: " + QuotedText(text) + " ist zu lang (höchstens " +
                FormatOneDecimal("", kMaxLength) + " Pixel)";
    return error;
}

std::string ParseTreeSwitch(const char* option, const std::string& text,
                            std::optional<bool>& value) {
    if (text != "on" && text != "off")
        return std::string(option) + ": " + QuotedText(text) + ", erlaubt sind on und off";
    value = text == "on";
    return {};
}

std::string CheckTreeRequest(const TreeRequest& r) {
    const bool anyParameter =
        r.branches || r.segmentOffset || r.length || r.turn || r.redux || r.colour || r.paints;
    if (!r.on && anyParameter) return "Baumoptionen gelten nur zusammen mit --tree";
    if (r.segmentOffset && *r.segmentOffset > INT_MAX - kSegmentBase)
        return "--segment-offset: " + std::to_string(*r.segmentOffset) +
               " ist zu groß (höchstens " + std::to_string(INT_MAX - kSegmentBase) + ")";
    if (r.paints && (*r.paints < 1 || *r.paints > kMaxPaints))
        return "--paints: " + std::to_string(*r.paints) + " liegt nicht zwischen 1 und " +
               std::to_string(kMaxPaints);
    if (const double steps = TreeSteps(r); r.on && steps > kMaxTreeSteps)
        return "--tree: der Baum wäre zu groß (etwa " + Amount(steps) +
               " Pixel zu ziehen, höchstens " + Amount(kMaxTreeSteps) +
               "); das Zeichnen dauerte zu lange";
    return {};
}

void ReplayTree(const TreeRequest& r, int series, HeadlessWindow& road) {
    CFractalView& view = road.View();
    if (r.branches) view.Branches = *r.branches;
    if (r.segmentOffset) view.SegmentOffset = *r.segmentOffset;
    view.Segments = kSegmentBase + view.SegmentOffset;
    if (r.length) view.SegmentLength = *r.length;
    if (r.turn) view.TurnAngle = *r.turn;
    if (r.redux) view.Redux = *r.redux;
    // Switching colouring off clears the pen, as the toolbar's switch does.
    if (r.colour && view.TreeColour != int(*r.colour)) view.ExecuteCommand(ID_TREE_COLOUR);
    road.ChooseSeries(series);
    road.PressTreeCommand(ID_TREE_MODE);
    for (int paint = 1; paint < r.paints.value_or(1); ++paint) road.Repaint();
}

std::string TreeStatusLines(HeadlessWindow& road) {
    const CFractalView& v = road.View();
    std::string lines;
    for (const PaneSetting& pane :
         TreePaneSettings({v.Branches, v.SegmentOffset, v.SegmentLength, v.TurnAngle, v.Redux}))
        lines += pane.text + "\n";
    return lines;
}

}  // namespace morvale
