// A view whose client area is a pixel image and whose mouse capture is a flag, with a document
// holding a Julia and a Mandelbrot preset whose steps are exact binary fractions.
#pragma once

#include <memory>
#include <vector>

#include "FakeFrame.h"
#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"

namespace morvale::testing {

// Closing a client context records what it touched, as the window's partial update does.
class RecordingDC : public CDC {
public:
    RecordingDC(PixelSurface surface, std::vector<CRect>& updates)
        : CDC(surface, surface.width, surface.height), updates_(updates) {}
    ~RecordingDC() override { updates_.push_back(TakeDirtyRect()); }

private:
    std::vector<CRect>& updates_;
};

class ZoomTestView : public CFractalView {
public:
    static constexpr int kDeviceWidth = 1024;  // the "screen" every picture is computed for
    static constexpr int kDeviceHeight = 512;

    ZoomTestView(CMorvale1Doc* doc, int width, int height)
        : CFractalView(doc), client(width, height) {
        // A pattern, so that an inverted or stray pixel cannot match by chance.
        const PixelSurface s = client.Surface();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                s.At(x, y) = PixelFromRgb(std::uint8_t(x * 7), std::uint8_t(y * 5), 90);
    }

    void Paint() {
        CDC dc(client.Surface(), kDeviceWidth, kDeviceHeight);
        OnDraw(&dc);
    }

    PixelImage client;
    bool clientDCAvailable = true;
    bool capture = false;
    int captureCalls = 0;
    int releaseCalls = 0;
    int invalidations = 0;
    std::vector<CRect> updates;  // touched area of every client context, in order

protected:
    void Invalidate() override { ++invalidations; }
    std::unique_ptr<CDC> GetClientDC() override {
        if (!clientDCAvailable) return nullptr;
        return std::make_unique<RecordingDC>(client.Surface(), updates);
    }
    void SetCapture() override {
        capture = true;
        ++captureCalls;
    }
    bool HasCapture() const override { return capture; }
    void ReleaseCapture() override {
        capture = false;
        ++releaseCalls;
    }
};

// Mandelbrot -2..2 x -1..1 and Julia -1..1 x -0.5..0.5 on the 1024 x 512 device: 1/256 and
// 1/512 plane units per pixel.
class ZoomFixture {
protected:
    ZoomFixture() {
        doc.SetMainFrame(&frame);
        view.SetMainFrame(&frame);
        doc.JuliaTexts = {"-1", "1", "-0.5", "0.5", "0.3", "0.5", "40"};
        doc.MandelTexts = {"-2", "2", "-1", "1", "50"};
    }

    // Draws Julia, then Mandelbrot, so that both regions stand at their presets.
    void DrawBothPresets() {
        doc.OnJulia();
        doc.PresetChosen = 1;
        view.OnDrawCommand();
        view.Paint();
        doc.OnMandelbrot();
        doc.PresetChosen = 1;
        view.OnDrawCommand();
        view.Paint();
    }

    // Pixels of the client area that differ from before.
    std::vector<CPoint> ChangedPixels(const PixelImage& before) const {
        std::vector<CPoint> changed;
        for (int y = 0; y < before.Height(); ++y)
            for (int x = 0; x < before.Width(); ++x)
                if (before.At(x, y) != view.client.At(x, y)) changed.push_back({x, y});
        return changed;
    }

    FakeFrame frame;
    CMorvale1Doc doc;
    ZoomTestView view{&doc, 320, 200};
};

}  // namespace morvale::testing
