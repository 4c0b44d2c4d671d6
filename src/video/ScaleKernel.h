// The vector loops of the frame composer, compiled once per instruction set and chosen at run
// time. Integer arithmetic throughout, so every instruction set gives the same bytes.
#pragma once

#include <cstdint>

namespace morvale {

// One row of a layer's horizontal taps, one entry per frame sample, padded with entries of
// weight 0 and ramp 0 to a whole number of vectors.
struct ColumnTaps {
    const std::int32_t* first;      // index into the line of the sample's first of three values
    const std::int32_t* weight[3];  // of the three values, summing to 256
    const std::int32_t* ramp;       // 0 .. 2^15
    bool opaque;                    // ramp is 2^15 for every sample up to the padding
};

// A line of a layer's level, filtered down its columns: for c < count (rounded up to whole
// vectors: rows may be read and line written that far), with v[c] = sum of weights[t] ·
// rows[t][c] over t < taps (weights summing to 256) rounded to quarters of a channel step,
// line[c] holds v[c], v[c + 1] and v[c + 2] in bits 0, 10 and 20, so one load brings the three
// values a sample takes. work holds count + 2 values, rounded up to whole vectors.
void WeighRows(const std::uint8_t* const* rows, const std::uint16_t* weights, int taps, int count,
               std::uint16_t* work, std::uint32_t* line);
// For sample j < count: v = sum of weight[t][j] · (value t at line[first[j]]) / 4, laid over
// acc[j] by alpha = rowAlpha · ramp[j] / 2^15 (rowAlpha ≤ 2^15): acc[j] += (v − acc[j]) ·
// alpha / 2^15. acc holds 256 times the channel's value.
void LayColumns(const std::uint32_t* line, const ColumnTaps& taps, std::int32_t rowAlpha, int count,
                std::int32_t* acc);
// out[j] = acc[j] / 256, rounded and within 0 .. 255, for j < count rounded up to whole vectors.
void StoreChannel(const std::int32_t* acc, int count, std::uint8_t* out);

// The pyramid's halving, (1/4, 1/2, 1/4) then every second value, each rounded: out[m] = (in[2m −
// 1] + 2 in[2m] + in[2m + 1] + 2) / 4 for m < (width + 1) / 2, with in[−1] = in[0] and
// in[width] = in[width − 1]. in may be read a vector past width; out is written only up to its end.
void HalveRow(const std::uint8_t* in, int width, std::uint8_t* out);
// out[i] = (a[i] + 2 b[i] + c[i] + 2) / 4 for i < count; the rows may be read a vector past it.
void QuarterRows(const std::uint8_t* a, const std::uint8_t* b, const std::uint8_t* c, int count,
                 std::uint8_t* out);

}  // namespace morvale
