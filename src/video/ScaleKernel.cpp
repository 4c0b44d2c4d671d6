#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "video/ScaleKernel.cpp"
#include "video/ScaleKernel.h"

#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>

HWY_BEFORE_NAMESPACE();
namespace morvale {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;

void WeighRowsImpl(const std::uint8_t* const* rows, const std::uint16_t* weights, int taps,
                   int count, std::uint16_t* work, std::uint32_t* line) {
    const hn::ScalableTag<std::uint16_t> d;
    const hn::Rebind<std::uint8_t, decltype(d)> d8;
    const std::size_t n = hn::Lanes(d);
    const auto round = hn::Set(d, 32);
    for (std::size_t c = 0; c < std::size_t(count) + 2; c += n) {
        auto sum = hn::Mul(hn::PromoteTo(d, hn::LoadU(d8, rows[0] + c)), hn::Set(d, weights[0]));
        for (int t = 1; t < taps; ++t)
            sum = hn::Add(
                sum, hn::Mul(hn::PromoteTo(d, hn::LoadU(d8, rows[t] + c)), hn::Set(d, weights[t])));
        hn::StoreU(hn::ShiftRight<6>(hn::Add(sum, round)), d, work + c);
    }
    const hn::ScalableTag<std::uint32_t> d32;
    const hn::Rebind<std::uint16_t, decltype(d32)> d16;
    const std::size_t n32 = hn::Lanes(d32);
    for (std::size_t c = 0; c < std::size_t(count); c += n32) {
        const auto v0 = hn::PromoteTo(d32, hn::LoadU(d16, work + c));
        const auto v1 = hn::PromoteTo(d32, hn::LoadU(d16, work + c + 1));
        const auto v2 = hn::PromoteTo(d32, hn::LoadU(d16, work + c + 2));
        hn::StoreU(hn::Or(v0, hn::Or(hn::ShiftLeft<10>(v1), hn::ShiftLeft<20>(v2))), d32, line + c);
    }
}

// The words base[first[j + i]] of the lanes. The indices rise by at most two a sample (a level's
// pixels are under two samples wide), so they mostly fit in the two vectors from the first one,
// and two permutes stand in for a gather, which is slow.
template <class D>
HWY_INLINE hn::Vec<D> Fetch(D d, const std::int32_t* base, const std::int32_t* first,
                            std::size_t j) {
    const std::int32_t n = std::int32_t(hn::Lanes(d)), start = first[j];
    const auto index = hn::LoadU(d, first + j);
    if (first[j + std::size_t(n) - 1] - start >= 2 * n) return hn::GatherIndex(d, base, index);
    // Padding lanes (index 0) land anywhere in range; their weights are 0.
    const auto offset = hn::Sub(index, hn::Set(d, start));
    const auto lane = hn::IndicesFromVec(d, hn::And(offset, hn::Set(d, n - 1)));
    const auto low = hn::TableLookupLanes(hn::LoadU(d, base + start), lane);
    const auto high = hn::TableLookupLanes(hn::LoadU(d, base + start + n), lane);
    return hn::IfThenElse(offset < hn::Set(d, n), low, high);
}

// Sample values of the vector at j, 256 times the channel's value.
template <class D>
HWY_INLINE hn::Vec<D> Sample(D d, const std::int32_t* base, const ColumnTaps& taps, std::size_t j) {
    const auto mask = hn::Set(d, 0x3FF);
    const auto v = Fetch(d, base, taps.first, j);
    auto sum = hn::Mul(hn::And(v, mask), hn::LoadU(d, taps.weight[0] + j));
    sum = hn::Add(sum,
                  hn::Mul(hn::And(hn::ShiftRight<10>(v), mask), hn::LoadU(d, taps.weight[1] + j)));
    sum = hn::Add(sum, hn::Mul(hn::ShiftRight<20>(v), hn::LoadU(d, taps.weight[2] + j)));
    return hn::ShiftRight<2>(hn::Add(sum, hn::Set(d, 2)));  // sum is 1024 times the value
}

void LayColumnsImpl(const std::uint32_t* line, const ColumnTaps& taps, std::int32_t rowAlpha,
                    int count, std::int32_t* acc) {
    const hn::ScalableTag<std::int32_t> d;
    const std::size_t n = hn::Lanes(d), whole = std::size_t(count);
    const std::int32_t* base = reinterpret_cast<const std::int32_t*>(line);
    std::size_t j = 0;
    // Alpha 1 everywhere: the layer's values replace acc's, as the blend below would.
    if (taps.opaque && rowAlpha == 1 << 15)
        for (; j + n <= whole; j += n) hn::StoreU(Sample(d, base, taps, j), d, acc + j);
    const auto round15 = hn::Set(d, 1 << 14), alpha = hn::Set(d, rowAlpha);
    for (; j < whole; j += n) {
        const auto value = Sample(d, base, taps, j);
        const auto a =
            hn::ShiftRight<15>(hn::Add(hn::Mul(alpha, hn::LoadU(d, taps.ramp + j)), round15));
        const auto old = hn::LoadU(d, acc + j);
        const auto step = hn::ShiftRight<15>(hn::Add(hn::Mul(hn::Sub(value, old), a), round15));
        hn::StoreU(hn::Add(old, step), d, acc + j);
    }
}

void StoreChannelImpl(const std::int32_t* acc, int count, std::uint8_t* out) {
    const hn::ScalableTag<std::int32_t> d;
    const hn::Rebind<std::uint8_t, decltype(d)> d8;
    const std::size_t n = hn::Lanes(d);
    const auto half = hn::Set(d, 128);
    for (std::size_t j = 0; j < std::size_t(count); j += n)
        hn::StoreU(hn::DemoteTo(d8, hn::ShiftRight<8>(hn::Add(hn::LoadU(d, acc + j), half))), d8,
                   out + j);
}

std::uint8_t Quarter(int a, int b, int c) {
    return std::uint8_t((a + 2 * b + c + 2) >> 2);
}

void HalveRowImpl(const std::uint8_t* in, int width, std::uint8_t* out) {
    const hn::ScalableTag<std::int16_t> d;  // signed: Highway demotes only those to bytes
    const hn::Rebind<std::uint8_t, decltype(d)> d8;
    const int n = int(hn::Lanes(d)), count = (width + 1) / 2, inner = width / 2;
    const auto two = hn::Set(d, 2);
    auto value = [&](int i) { return int(in[std::clamp(i, 0, width - 1)]); };
    out[0] = Quarter(value(-1), value(0), value(1));
    int m = 1;
    // Inside, in[2m + 1] exists: (in[2m − 1], in[2m]) and (in[2m + 1], ·) as pairs.
    for (; m + n <= inner; m += n) {
        hn::Vec<decltype(d8)> left, centre, right, unused;
        hn::LoadInterleaved2(d8, in + 2 * m - 1, left, centre);
        hn::LoadInterleaved2(d8, in + 2 * m + 1, right, unused);
        const auto sum = hn::Add(hn::Add(hn::PromoteTo(d, left), hn::PromoteTo(d, right)),
                                 hn::ShiftLeft<1>(hn::PromoteTo(d, centre)));
        hn::StoreU(hn::DemoteTo(d8, hn::ShiftRight<2>(hn::Add(sum, two))), d8, out + m);
    }
    for (; m < count; ++m) out[m] = Quarter(value(2 * m - 1), value(2 * m), value(2 * m + 1));
}

void QuarterRowsImpl(const std::uint8_t* a, const std::uint8_t* b, const std::uint8_t* c, int count,
                     std::uint8_t* out) {
    const hn::ScalableTag<std::int16_t> d;
    const hn::Rebind<std::uint8_t, decltype(d)> d8;
    const int n = int(hn::Lanes(d));
    const auto two = hn::Set(d, 2);
    int i = 0;
    for (; i + n <= count; i += n) {
        const auto sum = hn::Add(
            hn::Add(hn::PromoteTo(d, hn::LoadU(d8, a + i)), hn::PromoteTo(d, hn::LoadU(d8, c + i))),
            hn::ShiftLeft<1>(hn::PromoteTo(d, hn::LoadU(d8, b + i))));
        hn::StoreU(hn::DemoteTo(d8, hn::ShiftRight<2>(hn::Add(sum, two))), d8, out + i);
    }
    for (; i < count; ++i) out[i] = Quarter(a[i], b[i], c[i]);
}

}  // namespace
}  // namespace HWY_NAMESPACE
}  // namespace morvale
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace morvale {

HWY_EXPORT(WeighRowsImpl);
HWY_EXPORT(LayColumnsImpl);
HWY_EXPORT(StoreChannelImpl);
HWY_EXPORT(HalveRowImpl);
HWY_EXPORT(QuarterRowsImpl);

void WeighRows(const std::uint8_t* const* rows, const std::uint16_t* weights, int taps, int count,
               std::uint16_t* work, std::uint32_t* line) {
    HWY_DYNAMIC_DISPATCH(WeighRowsImpl)(rows, weights, taps, count, work, line);
}

void LayColumns(const std::uint32_t* line, const ColumnTaps& taps, std::int32_t rowAlpha, int count,
                std::int32_t* acc) {
    HWY_DYNAMIC_DISPATCH(LayColumnsImpl)(line, taps, rowAlpha, count, acc);
}

void StoreChannel(const std::int32_t* acc, int count, std::uint8_t* out) {
    HWY_DYNAMIC_DISPATCH(StoreChannelImpl)(acc, count, out);
}

void HalveRow(const std::uint8_t* in, int width, std::uint8_t* out) {
    HWY_DYNAMIC_DISPATCH(HalveRowImpl)(in, width, out);
}

void QuarterRows(const std::uint8_t* a, const std::uint8_t* b, const std::uint8_t* c, int count,
                 std::uint8_t* out) {
    HWY_DYNAMIC_DISPATCH(QuarterRowsImpl)(a, b, c, count, out);
}

}  // namespace morvale
#endif
