// Device context over a pixel surface: the drawing operations the program uses.
#pragma once

#include "platform/Colour.h"
#include "platform/Palette.h"
#include "platform/PixelSurface.h"

namespace morvale {

// What GetDeviceCaps reports: the device's width or height in pixels.
enum DeviceCapability { HORZRES, VERTRES };

// How a drawn pixel combines with the one beneath: inverts it, or replaces it with the pen's.
enum RasterOperation { R2_NOT, R2_COPYPEN };

enum PenStyle { PS_SOLID };

enum StockBrush { WHITE_BRUSH, NULL_BRUSH };

struct CPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const CRect&, const CRect&) = default;
};

class CPen {
public:
    CPen(PenStyle style, int width, COLORREF colour)
        : style_(style), width_(width), colour_(colour) {}
    COLORREF Colour() const { return colour_; }
    // Every pen draws solid and one pixel wide, whatever its width.
    PenStyle Style() const { return style_; }
    int Width() const { return width_; }

private:
    PenStyle style_;
    int width_;
    COLORREF colour_;
};

class CBrush {
public:
    explicit CBrush(bool hollow, COLORREF colour = RGB(255, 255, 255))
        : hollow_(hollow), colour_(colour) {}
    bool IsHollow() const { return hollow_; }
    COLORREF Colour() const { return colour_; }

private:
    bool hollow_;
    COLORREF colour_;
};

class CDC {
public:
    // deviceWidth/deviceHeight are what GetDeviceCaps reports (the screen or the page), which may
    // exceed the surface: drawing outside the surface is clipped.
    CDC(PixelSurface surface, int deviceWidth, int deviceHeight);
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    int GetDeviceCaps(DeviceCapability index) const;
    const PixelSurface& Surface() const { return surface_; }

    // Palette: the previous one is returned; realising makes palette-index colours resolve to it.
    CPalette* SelectPalette(CPalette* palette, bool forceBackground);
    unsigned RealizePalette();
    // The surface pixel a colour (RGB or palette index) is drawn with.
    Pixel ResolveColour(COLORREF colour) const;

    COLORREF SetPixel(int x, int y, COLORREF colour);

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CBrush* SelectStockBrush(StockBrush stockBrush);
    RasterOperation SetROP2(RasterOperation mode);
    RasterOperation GetROP2() const { return rop2_; }

    CPoint MoveTo(int x, int y);
    CPoint GetCurrentPosition() const { return position_; }
    bool LineTo(int x, int y);  // the end pixel is not drawn
    bool Rectangle(int left, int top, int right, int bottom);

    // Bounding box of every pixel touched since the last call, then cleared (for partial updates).
    CRect TakeDirtyRect();
    // Marks a region written directly into the surface.
    void MarkDirty(const CRect& rect);

private:
    void Plot(int x, int y, Pixel pixel);
    Pixel PenPixel() const;
    void HorizontalSpan(int x0, int x1, int y, Pixel pixel);

    PixelSurface surface_;
    int deviceWidth_;
    int deviceHeight_;
    CPalette* selectedPalette_ = nullptr;
    const CPalette* realisedPalette_ = nullptr;
    CPen defaultPen_{PS_SOLID, 1, RGB(0, 0, 0)};
    CBrush whiteBrush_{false};
    CBrush hollowBrush_{true};
    CPen* pen_ = &defaultPen_;
    CBrush* brush_ = &whiteBrush_;
    RasterOperation rop2_ = R2_COPYPEN;
    CPoint position_;
    CRect dirty_;
};

}  // namespace morvale
