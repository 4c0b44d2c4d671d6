// Views kept in PNG text chunks: exact texts, the chunk reader, and morvale-render --view.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "RenderProgram.h"
#include "keep/ViewFile.h"
#include "platform/TextConversion.h"
#include "png/PngTexts.h"
#include "view/KeptViews.h"

namespace morvale::testing {
namespace {

namespace fs = std::filesystem;

TEST(KeptView, ExactTextsGiveBackTheSameDoubles) {
    std::mt19937_64 random(19);
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        const std::string text = ExactText(value);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(Atof(text)), std::bit_cast<std::uint64_t>(value))
            << text;
    }
    // Decimal fractions need all 17 digits; 15 would lose them.
    EXPECT_EQ(Atof(ExactText(0.1 + 0.2)), 0.1 + 0.2);
    EXPECT_NE(0.1 + 0.2, 0.3);
}

ViewRecord SmallJulia() {
    ViewRecord view;
    view.kind = ViewKind::Julia;
    view.region = {ExactText(-1.2), ExactText(1.2), ExactText(-1.2), ExactText(1.2)};
    view.p = ExactText(0.31);
    view.q = ExactText(0.025);
    view.limit = 40;
    view.series = 3;
    view.device = {64, 90};
    view.client = {48, 30};
    return view;
}

std::string WrittenPng(const ViewRecord& view) {
    std::string bytes;
    EXPECT_TRUE(WriteViewPng(view, [&bytes](const std::uint8_t* data, std::size_t size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }));
    return bytes;
}

ViewReading Read(const std::string& bytes) {
    std::istringstream in(bytes);
    return ReadView(in);
}

TEST(KeptView, WrittenViewsReadBackAndDamagedOnesAreRefused) {
    const ViewRecord view = SmallJulia();
    const std::string png = WrittenPng(view);
    const ViewReading read = Read(png);
    ASSERT_EQ(read.outcome, ViewOutcome::Read);
    EXPECT_EQ(ViewTexts(read.record), ViewTexts(view));

    std::string flipped = png;
    flipped[png.find("morvale:p") + 11] ^= 1;  // in the text: its CRC no longer matches
    EXPECT_EQ(Read(flipped).outcome, ViewOutcome::Broken);
    EXPECT_NE(Read(flipped).detail.find("Prüfsumme"), std::string::npos);
    EXPECT_EQ(Read(png.substr(0, png.size() - 20)).outcome, ViewOutcome::Broken);
    EXPECT_EQ(Read("GIF89a and more").outcome, ViewOutcome::NotPng);
    EXPECT_EQ(Read(png.substr(0, 8) + png.substr(png.find("IDAT") - 4)).outcome,
              ViewOutcome::NoView);

    // Texts that are there but say nothing usable.
    for (const auto& [key, text] : {std::pair{"morvale:p", "0,31"},
                                    {"morvale:series", "8"},
                                    {"morvale:client", "48x0"},
                                    {"morvale:kind", "newton"}}) {
        std::vector<PngText> texts = ViewTexts(view);
        for (PngText& t : texts)
            if (t.keyword == key) t.text = text;
        EXPECT_FALSE(ParseViewTexts(texts).record) << key;
    }
    // Texts of full precision, thousands of digits long, pass unchanged.
    ViewRecord precise = view;
    precise.region[1] = "0." + std::string(3000, '3');
    const ViewReading preciseRead = Read(WrittenPng(precise));
    ASSERT_EQ(preciseRead.outcome, ViewOutcome::Read);
    EXPECT_EQ(preciseRead.record.region[1], precise.region[1]);

    std::vector<PngText> twice = ViewTexts(view);
    twice.push_back(twice.back());
    EXPECT_NE(ParseViewTexts(twice).problem.find("mehrfach"), std::string::npos);

    ViewRecord tree;
    tree.kind = ViewKind::Tree;
    tree.device = tree.client = {8, 8};
    PixelImage pixels(8, 8);
    std::string treePng;
    WritePictureWithView(pixels.Surface(), tree, [&treePng](const std::uint8_t* d, std::size_t n) {
        treePng.append(reinterpret_cast<const char*>(d), n);
        return true;
    });
    const ViewReading treeRead = Read(treePng);
    EXPECT_EQ(treeRead.outcome, ViewOutcome::Tree);
    EXPECT_NE(ViewReadingMessage(treeRead, "b.png").find("Zweigbaum"), std::string::npos);
}

std::string PictureWithTexts(const ViewRecord& view, std::vector<PngText> extra = {}) {
    PixelImage pixels(view.client.width, view.client.height);
    PngBands png = SurfaceBands(pixels.Surface());
    png.texts = ViewTexts(view);
    png.texts.insert(png.texts.end(), extra.begin(), extra.end());
    std::string bytes;
    EXPECT_TRUE(WritePngBands(png, [&bytes](const std::uint8_t* data, std::size_t size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }));
    return bytes;
}

// Texts as long as the deepest view's come back whole; longer ones, keys beyond the format's
// bound and clients larger than their device are refused, and the message shows no raw byte.
TEST(KeptView, LongTextsReadBackAndOversizedOnesAreRefused) {
    ViewRecord deep = SmallJulia();
    deep.region[2] = "-1.5" + std::string(70000, '7') + "e-70000";
    deep.region[3] = "4.9e-400";
    const ViewReading read = Read(PictureWithTexts(deep));
    ASSERT_EQ(read.outcome, ViewOutcome::Read) << read.detail;
    EXPECT_EQ(read.record.region, deep.region);

    ViewRecord tooLong = SmallJulia();
    tooLong.region[0] = "0." + std::string(kMaxPngTextBytes, '1');
    const ViewReading refused = Read(PictureWithTexts(tooLong));
    EXPECT_EQ(refused.outcome, ViewOutcome::Broken);
    EXPECT_NE(refused.detail.find("morvale:xmin"), std::string::npos) << refused.detail;

    const std::string key = "morvale:\x1b]0;hi\x07\x1b[2J" + std::string(65000, 'k');
    const ViewReading keyed = Read(PictureWithTexts(SmallJulia(), {{key, "1"}}));
    EXPECT_EQ(keyed.outcome, ViewOutcome::Broken);
    const std::string message = ViewReadingMessage(keyed, "a\x1b[2J.png");
    EXPECT_EQ(message.find('\x1b'), std::string::npos) << message;
    EXPECT_LT(message.size(), 400u);

    ViewRecord wide = SmallJulia();
    wide.device = {200, 150};
    wide.client = {1000000, 1000000};
    EXPECT_NE(ParseViewTexts(ViewTexts(wide)).problem.find("morvale:client"), std::string::npos);
}

using ViewProgram = RenderProgram;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(ViewProgram, ViewDrawsTheSavedPictureAgainAndPostersKeepTheRegion) {
    ASSERT_EQ(Run("--quiet --kind julia --preset 14 --series 2 --screen 192x108 --window 150x40 "
                  "--zoom 10,5,120,35 --zoom 3,4,100,30 -o " +
                  Out("a.png"))
                  .status,
              0);
    ASSERT_EQ(Run("--quiet --view " + Out("a.png") + " -o " + Out("b.png")).status, 0);
    EXPECT_EQ(Contents(Out("a.png")), Contents(Out("b.png")));

    ASSERT_EQ(
        Run("--quiet --view " + Out("a.png") + " --screen 384x216 -o " + Out("poster.png")).status,
        0);
    const ViewReading saved = ReadViewFile(Out("a.png"));
    const ViewReading poster = ReadViewFile(Out("poster.png"));
    ASSERT_EQ(poster.outcome, ViewOutcome::Read);
    EXPECT_EQ(poster.record.region, saved.record.region);
    EXPECT_EQ(poster.record.client.width, 384);
}

// Whatever --centre and --height produce, --view draws again byte for byte, also where the
// bounds underflow a double.
TEST_F(ViewProgram, DeepViewsOnTheRealAxisDrawAgain) {
    ASSERT_EQ(
        Run("--quiet --centre -1.5,0 --height 1e-400 --depth 60 --screen 96x80 -o " + Out("a.png"))
            .status,
        0);
    const Outcome again = Run("--quiet --view " + Out("a.png") + " -o " + Out("b.png"));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Contents(Out("a.png")), Contents(Out("b.png")));
}

TEST_F(ViewProgram, ForeignFilesEndWithAMessageAndWriteNothing) {
    std::ofstream(Out("foreign.png")) << "\x89PNG\r\n\x1a\n";
    for (const char* name : {"foreign.png", "missing.png"}) {
        const Outcome run =
            Run(std::string("--quiet --view ") + Out(name) + " -o " + Out("out.png"));
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("--view"), std::string::npos);
        EXPECT_FALSE(fs::exists(Out("out.png")));
    }
    EXPECT_EQ(
        Run("--quiet --view " + Out("foreign.png") + " --preset 3 -o " + Out("out.png")).status, 2);
}

}  // namespace
}  // namespace morvale::testing
