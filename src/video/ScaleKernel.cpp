#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "video/ScaleKernel.cpp"
#include "video/ScaleKernel.h"

#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

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

// Sample values of the vector at j, 256 times the channel's value.
template <class D>
HWY_INLINE hn::Vec<D> Sample(D d, const std::int32_t* base, const ColumnTaps& taps, std::size_t j) {
    const auto mask = hn::Set(d, 0x3FF);
    const auto v = hn::GatherIndex(d, base, hn::LoadU(d, taps.first + j));
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

}  // namespace
}  // namespace HWY_NAMESPACE
}  // namespace morvale
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace morvale {

HWY_EXPORT(WeighRowsImpl);
HWY_EXPORT(LayColumnsImpl);
HWY_EXPORT(StoreChannelImpl);

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

}  // namespace morvale
#endif
