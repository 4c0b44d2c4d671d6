// A picture's region (and Julia constant) at full precision, and the exact point every pixel
// samples: c = xMin + column · (xMax − xMin) / width, yMin + row · (yMax − yMin) / height, each
// operation rounded at the working precision. The brute-force check evaluates the same points.
#pragma once

#include <array>
#include <string>

#include "plane/BigFloat.h"

namespace morvale {

struct DeepPoint {
    BigFloat re, im;
};

class DeepRegion {
public:
    // Fewer than 2^48 steps per magnitude: double no longer resolves neighbouring pixels.
    static constexpr int kThresholdBits = 48;
    static constexpr long kMarginBits = 64;
    // The most bits a region's values and pixel steps are computed with.
    static constexpr long kMaxBits = 1L << 20;

    explicit DeepRegion(bool julia = false) : julia_(julia) {}
    // texts: xMin, xMax, yMin, yMax, then for Julia p and q; each parsed with the atof prefix
    // rule at the precision its digits need.
    static DeepRegion FromTexts(bool julia, const std::array<std::string, 6>& texts);
    // The region whose visible rows (sample rows hiddenRows .. height) of a width × height
    // device are centred on the point and span planeHeight, pixels square; p, q as above.
    static DeepRegion FromCentre(bool julia, const std::string& centreRe,
                                 const std::string& centreIm, const std::string& planeHeight,
                                 const std::string& p, const std::string& q, int width, int height,
                                 int hiddenRows);
    // The exact values of doubles.
    static DeepRegion FromDoubles(bool julia, const std::array<double, 6>& values);

    bool Julia() const { return julia_; }
    const BigFloat& Value(int i) const { return v_[std::size_t(i)]; }
    // The Julia constant's part (4 or 5) at bits. A constant read from a decimal text is read
    // again at every precision a picture needs: -0.8 at the text's own precision would move a
    // Julia set by 1e-35, which every picture deeper than that shows.
    BigFloat Constant(int i, long bits) const;

    // The largest precision among the four bounds.
    long BoundBits() const;
    // Bits that resolve the pixel step of a width × height device, plus the margin.
    long WorkingBits(int width, int height) const;
    // The precision pixels are sampled and iterated at: the working bits, and every bit the
    // bounds hold. Points on a repelling cycle leave it after a count their last bits decide.
    long SampleBits(int width, int height) const;
    // Whether the device's pixel steps need more than a double: both steps are non-zero and
    // finite, and one is below 2^-48 of its own axis's largest coordinate magnitude.
    bool NeedsDeep(int width, int height) const;
    // The plane units per pixel of a width-pixel row and a height-row column, at bits.
    BigFloat StepX(int width, long bits) const;
    BigFloat StepY(int height, long bits) const;
    // The smaller of the two pixel steps' magnitudes, with its whole exponent.
    FloatExp PixelStep(int width, int height) const;
    // The region a zoom selects: each bound the old minimum plus a corner (in pixels, rows as
    // sample rows) times the step, at bits.
    DeepRegion Zoomed(double startX, double endX, double startY, double endY, const BigFloat& stepX,
                      const BigFloat& stepY, long bits) const;
    // The point a pixel samples (row counts sample rows, hidden ones included).
    DeepPoint Sample(int width, int height, long column, long row, long bits) const;
    // Significant digits that tell neighbouring pixels of a width × height device apart.
    int PixelDigits(int width, int height) const;
    // Shortest decimal text that tells apart the pixels of a width × height device; the Julia
    // constant's own text when it was read from one.
    std::string Text(int i, int width, int height) const;

private:
    bool julia_ = false;
    std::array<BigFloat, 6> v_;
    std::array<std::string, 2> constantTexts_;  // numeric prefixes; empty when exact as held
};

}  // namespace morvale
