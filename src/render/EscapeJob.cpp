#include "render/EscapeJob.h"

#include <new>

namespace morvale {

EscapeJob::EscapeJob(EscapeScene scene, const EscapeColouring& colours, PixelSurface surface,
                     std::function<void()> ended)
    : progress_(scene.rows), scene_(scene), colours_(colours) {
    scene_.stop = progress_.StopFlag();
    std::promise<void> done;
    ended_ = done.get_future().share();
    thread_ =
        std::thread([this, surface, ended = std::move(ended), done = std::move(done)]() mutable {
            // References and tables grow with the depth and the limit; running out of memory
            // for them ends this drawing, not the program.
            try {
                tally_ = RenderEscapeTime(scene_, colours_, surface, EscapeStrategy::Automatic,
                                          &progress_);
            } catch (const std::bad_alloc&) {
                failure_ = "nicht genug Arbeitsspeicher für dieses Bild";
            }
            done.set_value();
            if (ended) ended();
        });
}

EscapeJob::~EscapeJob() {
    Cancel();
    thread_.join();
}

bool EscapeJob::WaitFor(std::chrono::milliseconds time) const {
    return ended_.wait_for(time) == std::future_status::ready;
}

}  // namespace morvale
