#include "render/deep/DeepScene.h"

namespace morvale {

std::shared_ptr<const DeepPicture> DeepScene::Prepared(const std::atomic<bool>* stop) {
    std::lock_guard lock(mutex_);
    if (picture_) return picture_;
    auto picture = std::make_shared<DeepPicture>();
    if (!picture->Prepare(region_, frame_, stop, orbitProgress_)) return nullptr;
    picture_ = std::move(picture);
    return picture_;
}

void DeepScene::SetOrbitProgress(OrbitProgress progress) {
    std::lock_guard lock(mutex_);
    orbitProgress_ = std::move(progress);
}

DeepTimings DeepScene::Timings() const {
    std::lock_guard lock(mutex_);
    DeepTimings timings = picture_ ? picture_->Timings() : DeepTimings{};
    timings.pixels = pixelSeconds_;
    return timings;
}

void DeepScene::AddPixelSeconds(double seconds) {
    std::lock_guard lock(mutex_);
    pixelSeconds_ += seconds;
}

}  // namespace morvale
