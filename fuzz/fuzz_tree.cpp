// The tree with arbitrary parameters ends and draws exactly the segments and nodes its
// parameters ask for. Work per case is capped by a budget of moves and segments.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "view/tree/TreeWalker.h"

using namespace morvale;

namespace {

constexpr std::int64_t kWorkBudget = 50000;  // moves and segments

void Check(bool ok) {
    if (!ok) std::abort();
}

struct OutOfBudget {};

class CountingCanvas : public TreeCanvas {
public:
    // Arms without segments cost work too.
    void MoveTo(TreePoint) override { Spend(); }
    void LineTo(TreePoint, COLORREF) override {
        ++segments;
        Spend();
    }
    void NodeDone() override { ++nodes; }
    std::int64_t segments = 0;
    std::int64_t nodes = 0;

private:
    void Spend() {
        if (++work_ > kWorkBudget) throw OutOfBudget{};
    }
    std::int64_t work_ = 0;
};

// Segments and nodes of a full tree: arms times count per node, then a sub-tree per arm while
// the count still shrinks.
struct Size {
    std::int64_t segments = 0;
    std::int64_t nodes = 0;
};

Size Expected(const TreeParams& p, int segments) {
    Size size{0, 1};
    if (p.branches <= 0) return size;
    const std::int64_t arms = p.branches;
    size.segments = arms * std::max(segments, 0);
    if (segments <= p.minSegments || p.redux == 0) return size;
    if (p.redux == -1 && segments == INT32_MIN) return size;
    const int next = segments / p.redux;
    if (next >= segments) return size;
    const Size child = Expected(p, next);
    size.segments += arms * child.segments;
    size.nodes += arms * child.nodes;
    return size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    TreeParams p;
    p.branches = in.TakeInt(-4, 1 << 20);
    if (in.TakeInt(0, 7) == 0) p.branches = in.Take<int>();
    p.redux = in.Take<int>();
    p.minSegments = in.TakeInt(0, 3) == 0 ? in.Take<int>() : 1;
    p.turnRange = in.Take<int>();
    p.turnThreshold = in.Take<int>();
    p.colourSeries = in.TakeInt(-1, 9);
    p.colour = in.TakeInt(0, 1);
    p.turnAngle = in.Take<double>();
    p.segmentLength = in.Take<double>();
    const int segments = in.TakeInt(0, 1) ? in.Take<int>() : in.TakeInt(-3, 200);

    TreeRandom random;
    COLORREF pen = 0;
    CountingCanvas canvas;
    TreeWalker walker(p, random, pen, canvas);
    try {
        walker.Grow(segments, {100, 100});
    } catch (const OutOfBudget&) {
        return 0;
    }
    const Size expected = Expected(p, segments);
    Check(canvas.segments == expected.segments);
    Check(canvas.nodes == expected.nodes);
    return 0;
}
