// The full-precision part of an escape-time scene, present when its pixel steps are too fine for
// double. The picture (references, tables, offsets) is prepared once for the whole visible
// picture and shared by every band and thread that computes part of it.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "render/deep/DeepPicture.h"

namespace morvale {

class DeepScene {
public:
    // frame: the whole visible picture, the device it spans and the iteration limit.
    DeepScene(DeepRegion region, const DeepFrame& frame)
        : region_(std::move(region)), frame_(frame) {}

    const DeepRegion& Region() const { return region_; }
    const DeepFrame& Frame() const { return frame_; }
    // The most its orbits and tables can take.
    std::int64_t MemoryNeed() const { return DeepPicture::MemoryNeed(frame_, region_.Julia()); }

    // Reports the reference's iterations while it is computed.
    void SetOrbitProgress(OrbitProgress progress);

    // The prepared picture; null when stop was set before it was ready (a later call tries
    // again).
    std::shared_ptr<const DeepPicture> Prepared(const std::atomic<bool>* stop);
    // Where the time of the prepared picture went (the pixels' share as last rendered).
    DeepTimings Timings() const;
    void AddPixelSeconds(double seconds);

private:
    DeepRegion region_;
    DeepFrame frame_;
    OrbitProgress orbitProgress_;
    mutable std::mutex mutex_;
    std::shared_ptr<DeepPicture> picture_;
    double pixelSeconds_ = 0.0;
};

}  // namespace morvale
