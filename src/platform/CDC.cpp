#include "platform/CDC.h"

#include <algorithm>
#include <cstdlib>

namespace morvale {

CDC::CDC(PixelSurface surface, int deviceWidth, int deviceHeight)
    : surface_(surface), deviceWidth_(deviceWidth), deviceHeight_(deviceHeight) {}

int CDC::GetDeviceCaps(DeviceCapability index) const {
    return index == HORZRES ? deviceWidth_ : deviceHeight_;
}

CPalette* CDC::SelectPalette(CPalette* palette, bool /*forceBackground*/) {
    CPalette* previous = selectedPalette_;
    selectedPalette_ = palette;
    return previous;
}

unsigned CDC::RealizePalette() {
    realisedPalette_ = selectedPalette_;
    return realisedPalette_ ? unsigned(realisedPalette_->GetEntryCount()) : 0u;
}

Pixel CDC::ResolveColour(COLORREF colour) const {
    if (!IsPaletteIndex(colour)) return PixelFromColorref(colour);
    // Without a realised palette an index falls back to the first system colour, black.
    if (!realisedPalette_) return PixelFromRgb(0, 0, 0);
    return realisedPalette_->EntryPixel(PaletteIndexOf(colour));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    const Pixel pixel = ResolveColour(colour);
    if (!surface_.Contains(x, y)) return COLORREF(-1);
    surface_.At(x, y) = pixel;
    MarkDirty({x, y, x + 1, y + 1});
    return ColorrefFromPixel(pixel);
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* previous = pen_;
    pen_ = pen ? pen : &defaultPen_;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* previous = brush_;
    brush_ = brush ? brush : &whiteBrush_;
    return previous;
}

CBrush* CDC::SelectStockBrush(StockBrush stockBrush) {
    return SelectObject(stockBrush == NULL_BRUSH ? &hollowBrush_ : &whiteBrush_);
}

RasterOperation CDC::SetROP2(RasterOperation mode) {
    const RasterOperation previous = rop2_;
    rop2_ = mode;
    return previous;
}

CPoint CDC::MoveTo(int x, int y) {
    const CPoint previous = position_;
    position_ = {x, y};
    return previous;
}

Pixel CDC::PenPixel() const {
    return ResolveColour(pen_->Colour());
}

void CDC::Plot(int x, int y, Pixel pixel) {
    if (!surface_.Contains(x, y)) return;
    Pixel& target = surface_.At(x, y);
    target = rop2_ == R2_NOT ? (~target | 0xff000000u) : pixel;
    MarkDirty({x, y, x + 1, y + 1});
}

bool CDC::LineTo(int x, int y) {
    // Bresenham from the current position; the last pixel belongs to the next segment.
    const Pixel pixel = PenPixel();
    int x0 = position_.x;
    int y0 = position_.y;
    const long dx = std::labs(long(x) - x0);
    const long dy = -std::labs(long(y) - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    long err = dx + dy;
    while (x0 != x || y0 != y) {
        Plot(x0, y0, pixel);
        const long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    position_ = {x, y};
    return true;
}

void CDC::HorizontalSpan(int x0, int x1, int y, Pixel pixel) {
    // Only the part on the surface: a frame may reach far beyond it.
    if (y < 0 || y >= surface_.height) return;
    const int last = std::min(x1, surface_.width - 1);
    for (int x = std::max(x0, 0); x <= last; ++x) Plot(x, y, pixel);
}

bool CDC::Rectangle(int left, int top, int right, int bottom) {
    // Corners in any order; the right and bottom edges are outside the rectangle.
    if (left == right || top == bottom) return true;
    const int l = std::min(left, right), r = std::max(left, right) - 1;
    const int t = std::min(top, bottom), b = std::max(top, bottom) - 1;
    if (!brush_->IsHollow() && long(r) - l >= 2 && long(b) - t >= 2) {
        const RasterOperation saved = rop2_;
        rop2_ = R2_COPYPEN;
        const Pixel fill = ResolveColour(brush_->Colour());
        for (int y = std::max(t + 1, 0); y < std::min(b, surface_.height); ++y)
            HorizontalSpan(l + 1, r - 1, y, fill);
        rop2_ = saved;
    }
    const Pixel pixel = PenPixel();
    // Each outline pixel exactly once, so that an inverting outline drawn twice cancels out.
    HorizontalSpan(l, r, t, pixel);
    if (b != t) HorizontalSpan(l, r, b, pixel);
    for (int y = std::max(t + 1, 0); y < std::min(b, surface_.height); ++y) {
        Plot(l, y, pixel);
        if (r != l) Plot(r, y, pixel);
    }
    return true;
}

void CDC::MarkDirty(const CRect& rect) {
    if (rect.IsEmpty()) return;
    if (dirty_.IsEmpty()) {
        dirty_ = rect;
        return;
    }
    dirty_.left = std::min(dirty_.left, rect.left);
    dirty_.top = std::min(dirty_.top, rect.top);
    dirty_.right = std::max(dirty_.right, rect.right);
    dirty_.bottom = std::max(dirty_.bottom, rect.bottom);
}

CRect CDC::TakeDirtyRect() {
    const CRect result = dirty_;
    dirty_ = {};
    return result;
}

}  // namespace morvale
