#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "doc/Morvale1Doc.h"

namespace morvale {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("morvale-doc-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string Read(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    fs::path dir;
    CMorvale1Doc doc;
};

TEST_F(DocumentFileTest, SaveWritesAnEmptyFileAndTakesItsName) {
    const fs::path file = dir / "bild.mv1";
    { std::ofstream(file) << "old contents"; }
    EXPECT_FALSE(doc.OnSaveDocument(file.string()));
    EXPECT_EQ(Read(file), "");
    EXPECT_EQ(doc.GetPathName(), file.string());
    EXPECT_EQ(doc.GetTitle(), "bild.mv1");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no temporary file left";
}

TEST_F(DocumentFileTest, FailedSaveLeavesTheOldFileAndReportsIt) {
    const fs::path target = dir / "verzeichnis.mv1";
    fs::create_directory(target);  // rename over a directory fails
    { std::ofstream(target / "inside") << "keep"; }
    EXPECT_TRUE(doc.OnSaveDocument(target.string()));
    EXPECT_EQ(Read(target / "inside"), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "temporary file removed";
    EXPECT_TRUE(doc.OnSaveDocument((dir / "fehlt" / "x.mv1").string()));
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DocumentFileTest, OpenReadsNothingAndFailsForMissingFiles) {
    const fs::path file = dir / "a.mv1";
    { std::ofstream(file) << "anything at all"; }
    doc.OnMandelbrot();
    doc.MandelTexts[0] = "-2.25";
    EXPECT_FALSE(doc.OnOpenDocument(file.string()));
    EXPECT_EQ(doc.FractalKind, Fractal::Mandelbrot);
    EXPECT_EQ(doc.MandelTexts[0], "-2.25");
    EXPECT_EQ(doc.GetTitle(), "a.mv1");

    EXPECT_TRUE(doc.OnOpenDocument((dir / "missing.mv1").string()));
    EXPECT_TRUE(doc.OnOpenDocument(dir.string()));
    EXPECT_EQ(doc.GetTitle(), "a.mv1") << "a failed open keeps the document as it was";
}

// A FIFO without a writer, a device and a folder: each answers at once. Should an open block
// after all, the watchdog opens the FIFO's other end after a minute: the test fails, not hangs.
TEST_F(DocumentFileTest, OpenOfAFifoADeviceOrAFolderAnswersAtOnce) {
    const fs::path fifo = dir / "fifo.mv1";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> done = false, rescued = false;
    std::thread watchdog([&] {
        for (int i = 0; i < 600 && !done; ++i) std::this_thread::sleep_for(100ms);
        if (!done) {
            rescued = true;
            ::close(::open(fifo.c_str(), O_WRONLY));
        }
    });
    EXPECT_FALSE(doc.OnOpenDocument(fifo.string()));
    EXPECT_FALSE(rescued) << "the open waited for a writer";
    EXPECT_EQ(doc.GetTitle(), "fifo.mv1");
    EXPECT_FALSE(doc.OnOpenDocument("/dev/zero"));
    EXPECT_EQ(doc.OnOpenDocument(dir.string()), std::errc::is_a_directory);
    done = true;
    watchdog.join();
    EXPECT_EQ(doc.GetTitle(), "zero");
}

TEST_F(DocumentFileTest, NewDocumentKeepsThePictureState) {
    doc.OnJulia();
    doc.JuliaTexts[4] = "0.31";
    doc.SetDepth(99, 1);
    doc.SetPathName("/tmp/x.mv1");
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.FractalKind, Fractal::Julia);
    EXPECT_EQ(doc.JuliaTexts[4], "0.31");
    EXPECT_EQ(doc.Depth, 99);
}

}  // namespace
}  // namespace morvale
