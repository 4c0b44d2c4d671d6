// morvale-render: its command line, and the program run as a user runs it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PngFile.h"
#include "RenderProgram.h"
#include "RoadScript.h"
#include "cli/OutputFile.h"
#include "cli/RenderOptions.h"

namespace morvale::testing {
namespace {

namespace fs = std::filesystem;

ParsedOptions Parse(std::vector<std::string> args) {
    return ParseRenderOptions(args);
}

TEST(RenderOptions, DefaultsAndEveryOption) {
    const ParsedOptions plain = Parse({"-o", "a.png"});
    ASSERT_EQ(plain.error, "");
    EXPECT_EQ(plain.options.kind, Fractal::Mandelbrot);
    EXPECT_EQ(plain.options.screen.width, 1920);
    EXPECT_EQ(plain.options.screen.height, 1080);
    EXPECT_FALSE(plain.options.window);
    EXPECT_TRUE(ChosenTexts(plain.options).empty());

    const ParsedOptions all =
        Parse({"--kind", "julia", "--preset", "17", "--depth", "-4", "--series", "3", "--screen",
               "800x600", "--window=640x480", "--zoom", "1,2,3,4", "--zoom", "-5,6,7,-8", "--stats",
               "-o", "b.png"});
    ASSERT_EQ(all.error, "");
    const RenderOptions& o = all.options;
    EXPECT_EQ(o.kind, Fractal::Julia);
    EXPECT_EQ(ChosenTexts(o), JuliaRow(17));
    EXPECT_EQ(*o.depth, -4);
    EXPECT_EQ(o.series, 3);
    EXPECT_EQ(o.screen.width, 800);
    EXPECT_EQ(o.window->height, 480);
    ASSERT_EQ(o.zooms.size(), 2u);
    EXPECT_EQ(o.zooms[1].from, (CPoint{-5, 6}));
    EXPECT_EQ(o.zooms[1].to, (CPoint{7, -8}));
    EXPECT_TRUE(o.stats);
    EXPECT_EQ(o.output, "b.png");

    const ParsedOptions texts = Parse({"--texts", "-2,1,,1.5,99", "-o", "c.png"});
    ASSERT_EQ(texts.error, "");
    EXPECT_EQ(ChosenTexts(texts.options), (std::vector<std::string>{"-2", "1", "", "1.5", "99"}));

    // --text keeps commas, one text each time.
    const ParsedOptions text = Parse({"--text", "-2,5", "--text", "1", "--texts", "0,1", "--text",
                                      "", "--quiet", "-o", "d.png"});
    ASSERT_EQ(text.error, "");
    EXPECT_EQ(ChosenTexts(text.options), (std::vector<std::string>{"-2,5", "1", "0", "1", ""}));
    EXPECT_TRUE(text.options.quiet);
}

TEST(RenderOptions, BadArgumentsGetOneGermanLineNamingThem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--kind", "newton", "-o", "x.png"}, "--kind: unbekannte Fraktalart \u201enewton\u201c"},
        {{"--preset", "16", "-o", "x.png"}, "--preset: Zeile 16 gibt es nicht"},
        {{"--kind", "julia", "--preset", "18", "-o", "x.png"}, "Julia-Tabelle"},
        {{"--preset", "-1", "-o", "x.png"}, "--preset: Zeile -1"},
        {{"--preset", "zwei", "-o", "x.png"}, "--preset: \u201ezwei\u201c"},
        {{"--texts", "1,2,3", "-o", "x.png"}, "--texts: 3 Texte angegeben, Mandelbrot braucht 5"},
        {{"--kind", "julia", "--texts", "1,2,3,4,5", "-o", "x.png"}, "Julia braucht 7"},
        {{"--preset", "1", "--texts", "1,2,3,4,5", "-o", "x.png"}, "--preset und --texts"},
        {{"--screen", "1920x", "-o", "x.png"}, "--screen: \u201e1920x\u201c"},
        {{"--screen", "0x100", "-o", "x.png"}, "--screen"},
        {{"--window", "100x0", "-o", "x.png"}, "--window"},
        {{"--window", "1000001x10", "-o", "x.png"}, "zu groß"},
        {{"--screen", "10x99999999999", "-o", "x.png"},
         "--screen: \u201e10x99999999999\u201c ist zu groß"},
        {{"--depth", "99999999999", "-o", "x.png"},
         "--depth: \u201e99999999999\u201c ist zu groß (höchstens 2147483647)"},
        {{"--texts", "1", "-o", "x.png"}, "1 Text angegeben, Mandelbrot braucht 5"},
        {{"--depth", "tief", "-o", "x.png"}, "--depth"},
        {{"--series", "8", "-o", "x.png"}, "--series"},
        {{"--zoom", "1,2,3", "-o", "x.png"}, "--zoom"},
        {{"--frobnicate", "-o", "x.png"}, "unbekannte Option \u201e--frobnicate\u201c"},
        {{"--kind"}, "--kind: Wert fehlt"},
        {{"--kind", "julia"}, "-o: keine Ausgabedatei"},
    };
    for (const auto& [args, expected] : cases) {
        const ParsedOptions parsed = ParseRenderOptions(args);
        EXPECT_NE(parsed.error.find(expected), std::string::npos)
            << args[0] << " gave: " << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

// Arguments with line breaks or terminal controls are quoted visibly, so the error stays one line.
TEST(RenderOptions, ControlCharactersInArgumentsStayOnOneLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--zo\nom", "-o", "x.png"}, "unbekannte Option \u201e--zo\\nom\u201c"},
        {{"--kind", "ju\tlia", "-o", "x.png"}, "\u201eju\\tlia\u201c"},
        {{"--depth", "\x1b[2J", "-o", "x.png"}, "--depth: \u201e\\x1B[2J\u201c"},
        {{"--branches", "7\r", "--tree", "-o", "x.png"}, "--branches: \u201e7\\x0D\u201c"},
    };
    for (const auto& [args, expected] : cases) {
        const ParsedOptions parsed = ParseRenderOptions(args);
        EXPECT_NE(parsed.error.find(expected), std::string::npos) << parsed.error;
        EXPECT_FALSE(std::any_of(parsed.error.begin(), parsed.error.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20;
        })) << parsed.error;
    }
}

TEST(RenderOptions, HelpNamesEveryOption) {
    EXPECT_TRUE(Parse({"--help"}).options.help);
    const std::string help = RenderHelpText();
    for (const char* name :
         {"--kind", "--preset", "--texts", "--text", "--depth", "--series", "--screen", "--window",
          "--size", "--zoom", "--stats", "--quiet", "-o", "--help"})
        EXPECT_NE(help.find(name), std::string::npos) << name;
    EXPECT_NE(help.find("Aufruf"), std::string::npos);
}

TEST_F(RenderProgram, PresetToPngAndBack) {
    const Outcome run =
        Run("--kind julia --preset 14 --series 2 --screen 192x108 --window 150x40 "
            "--zoom 10,5,120,35 -o " +
            Out("j14.png"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    PixelImage written;
    ASSERT_TRUE(ReadPng(Out("j14.png"), written));
    RoadScript script = Script(Fractal::Julia, JuliaRow(14));
    script.series = 2;
    script.window = {150, 40};
    script.zooms = {{{10, 5}, {120, 35}}};
    EXPECT_TRUE(SamePixels(Draw(script, Painter::Reference), written));
    // No temporary file is left beside the picture.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"j14.png", "stderr.txt"}));
}

// A poster is picture to its edge: the device has the hidden rows on top of the window.
TEST_F(RenderProgram, SizeWritesExactlyThePictureWithNoBackground) {
    const std::string preset = "--preset 0 --size 192x108 -o " + Out("preset.png");
    const std::string centre = "--centre -0.75,0.1 --height 0.5 --size 150x90 -o " + Out("c.png");
    for (const std::string& args : {preset, centre}) {
        const Outcome run = Run(args);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    PixelImage poster, centred;
    ASSERT_TRUE(ReadPng(Out("preset.png"), poster));
    ASSERT_TRUE(ReadPng(Out("c.png"), centred));
    EXPECT_EQ(centred.Width(), 150);
    EXPECT_EQ(centred.Height(), 90);
    for (const PixelImage* image : {&poster, &centred})
        EXPECT_EQ(std::count(image->Pixels().begin(), image->Pixels().end(), kBackground), 0);
    RoadScript script = Script(Fractal::Mandelbrot, MandelRow(0));
    script.screen = {192, 108 + kHiddenRows};
    script.window = {192, 108};
    EXPECT_TRUE(SamePixels(Draw(script, Painter::Reference), poster));
    // A saved view drawn again as a poster keeps the size asked for.
    ASSERT_EQ(Run("--view " + Out("preset.png") + " --size 64x30 -o " + Out("v.png")).status, 0);
    PixelImage again;
    ASSERT_TRUE(ReadPng(Out("v.png"), again));
    EXPECT_EQ(again.Width(), 64);
    EXPECT_EQ(again.Height(), 30);
    EXPECT_EQ(std::count(again.Pixels().begin(), again.Pixels().end(), kBackground), 0);
}

TEST_F(RenderProgram, StatsGoToStderr) {
    const Outcome run =
        Run("--preset 13 --screen 192x108 --window 192x58 --stats -o " + Out("m13.png"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Bereich: x -0.7451093"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Schritte: "), std::string::npos);
    EXPECT_NE(run.err.find("Iterationsgrenze: 1250"), std::string::npos);
    EXPECT_NE(run.err.find("Bildpunkte: 11136"), std::string::npos);
    EXPECT_NE(run.err.find("Iterationen: "), std::string::npos);
    EXPECT_NE(run.err.find("Zeit: "), std::string::npos);
}

TEST_F(RenderProgram, BadArgumentsExitWithTwoAndWriteNothing) {
    const std::string out = Out("never.png");
    const std::string cases[] = {
        "--kind fraktal -o " + out,
        "--preset 99 -o " + out,
        "--texts 1,2 -o " + out,
        "--screen 12y4 -o " + out,
        "--window 0x0 -o " + out,
        "--preset 0 -o " + (folder / "missing" / "x.png").string(),
        "--preset 0 -o " + folder.string(),
        "--window 1000001x5 -o " + out,
        "--tree --window 900000x900000 -o " + out,
        "--size 100x50 --window 100x50 -o " + out,
        "--screen 100x100 --size 100x50 -o " + out,
    };
    for (const std::string& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.err.starts_with("morvale-render: ")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(fs::exists(out));
    std::size_t left = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        left += entry.path() != folder / "stderr.txt";
    EXPECT_EQ(left, 0u);
}

// The small Mandelbrot picture the output-path cases write.
PixelImage SmallPicture() {
    RoadScript script = Script(Fractal::Mandelbrot, MandelRow(0));
    script.window = {192, 108};
    return Draw(script, Painter::Reference);
}
const std::string kSmall = "--preset 0 --screen 192x108 ";

::testing::AssertionResult HoldsSmallPicture(const fs::path& path) {
    PixelImage written;
    if (!ReadPng(path.string(), written)) return ::testing::AssertionFailure() << "unreadable";
    return SamePixels(SmallPicture(), written);
}

TEST_F(RenderProgram, OutputPathsKeepWhatIsNotARegularFile) {
    // A symlink stays; its target gets the picture.
    std::ofstream(folder / "real.png") << "old";
    fs::create_symlink("real.png", folder / "link.png");
    ASSERT_EQ(Run(kSmall + "-o " + Out("link.png")).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder / "link.png"));
    EXPECT_TRUE(HoldsSmallPicture(folder / "real.png"));

    // A FIFO is written to, not replaced: its reader gets the picture.
    ASSERT_EQ(mkfifo(Out("pipe").c_str(), 0600), 0);
    const Outcome fifo =
        Run(kSmall + "-o " + Out("pipe"), "/dev/null",
            "cat " + Out("pipe") + " >" + Out("read.png") + " & ", "; s=$?; wait; exit $s");
    ASSERT_EQ(fifo.status, 0) << fifo.err;
    EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
    EXPECT_TRUE(HoldsSmallPicture(folder / "read.png"));

    // "-" is standard output.
    ASSERT_EQ(Run(kSmall + "-o -", Out("stdout.png")).status, 0);
    EXPECT_TRUE(HoldsSmallPicture(folder / "stdout.png"));

    // An unwritable folder (root writes anywhere, so only without it).
    if (geteuid() != 0) {
        fs::create_directory(folder / "locked");
        fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        const Outcome locked = Run(kSmall + "-o " + (folder / "locked" / "x.png").string());
        EXPECT_EQ(locked.status, 2);
        EXPECT_NE(locked.err.find("keine Schreibberechtigung"), std::string::npos) << locked.err;
        fs::permissions(folder / "locked", fs::perms::owner_all);
    }

    // A character device (a private copy of /dev/null where devices may be made) stays one.
    if (mknod(Out("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const Outcome device = Run(kSmall + "-o " + Out("null"));
        if (device.err.find("Berechtigung") == std::string::npos) {  // nodev mounts refuse
            EXPECT_EQ(device.status, 0) << device.err;
            EXPECT_TRUE(fs::is_character_file(folder / "null"));
        }
    }
}

TEST_F(RenderProgram, ModesReadOnlyFilesLinkChainsAndAReaderThatLeaves) {
    auto mode = [&](const char* name) {
        return unsigned(fs::status(folder / name).permissions()) & 0777u;
    };
    // A replaced file keeps its mode; a new one gets 0666 less the umask (not mkstemp's 0600).
    std::ofstream(folder / "shared.png") << "old";
    fs::permissions(folder / "shared.png", fs::perms(0664));
    ASSERT_EQ(Run(kSmall + "-o " + Out("shared.png"), "/dev/null", "umask 077; ").status, 0);
    EXPECT_EQ(mode("shared.png"), 0664u);
    ASSERT_EQ(Run(kSmall + "-o " + Out("new.png"), "/dev/null", "umask 027; ").status, 0);
    EXPECT_EQ(mode("new.png"), 0640u);

    // A read-only file is refused and stays as it was, also for root.
    std::ofstream(folder / "locked.png") << "old";
    fs::permissions(folder / "locked.png", fs::perms(0444));
    const Outcome locked = Run(kSmall + "-o " + Out("locked.png"));
    EXPECT_EQ(locked.status, 2);
    EXPECT_NE(locked.err.find("keine Schreibberechtigung"), std::string::npos) << locked.err;
    EXPECT_EQ(fs::file_size(folder / "locked.png"), 3u);

    // Links to links, and one to nothing yet: the end of the chain gets the picture.
    fs::create_symlink("middle", folder / "first");
    fs::create_symlink("sub/end.png", folder / "middle");
    fs::create_directory(folder / "sub");
    ASSERT_EQ(Run(kSmall + "-o " + Out("first")).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder / "first") && fs::is_symlink(folder / "middle"));
    EXPECT_TRUE(HoldsSmallPicture(folder / "sub" / "end.png"));
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    const Outcome loop = Run(kSmall + "-o " + Out("loop-a"));
    EXPECT_EQ(loop.status, 2);
    EXPECT_NE(loop.err.find("zu viele symbolische Verknüpfungen"), std::string::npos) << loop.err;

    // A reader that stops after ten bytes: a message and status 2, not death by SIGPIPE.
    ASSERT_EQ(mkfifo(Out("pipe").c_str(), 0600), 0);
    const Outcome left =
        Run("--preset 0 --quiet -o " + Out("pipe"), "/dev/null",
            "head -c 10 " + Out("pipe") + " >/dev/null & ", "; s=$?; wait; exit $s");
    EXPECT_EQ(left.status, 2);
    EXPECT_NE(left.err.find("der Leser hat die Verbindung beendet"), std::string::npos) << left.err;
}

TEST_F(RenderProgram, AFifoWithoutAReaderSaysSoAndWaitsForOne) {
    ASSERT_EQ(mkfifo(Out("pipe").c_str(), 0600), 0);
    int reader = -1, waits = 0;
    OutputFile out;
    // The reader comes only when told that the writer waits; a silent wait would never end.
    EXPECT_EQ(out.Open(Out("pipe"),
                       [&] {
                           ++waits;
                           reader = open(Out("pipe").c_str(), O_RDONLY | O_NONBLOCK);
                       }),
              "");
    EXPECT_EQ(waits, 1);
    const std::uint8_t bytes[] = {1, 2, 3};
    EXPECT_TRUE(out.Write(bytes, sizeof bytes));
    EXPECT_EQ(out.Commit(), "");
    std::uint8_t read[4] = {};
    EXPECT_EQ(::read(reader, read, sizeof read), 3);
    close(reader);

    // With a reader there already, nothing is said.
    reader = open(Out("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    OutputFile again;
    EXPECT_EQ(again.Open(Out("pipe"), [&] { ++waits; }), "");
    EXPECT_EQ(waits, 1);
    close(reader);
}

TEST_F(RenderProgram, AFailedOrInterruptedRunLeavesNoHalfPicture) {
    auto onlyKeep = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename() != "stderr.txt")
                names.push_back(entry.path().filename().string());
        return names == std::vector<std::string>{"keep.png"};
    };
    std::ofstream(folder / "keep.png") << "old";
    // A file size limit makes the write fail half way.
    const Outcome limited = Run("--preset 0 -o " + Out("keep.png"), "/dev/null", "ulimit -f 20; ");
    EXPECT_EQ(limited.status, 2);
    EXPECT_TRUE(limited.err.starts_with("morvale-render: -o: ")) << limited.err;
    EXPECT_TRUE(onlyKeep());

    // Too little memory for the whole tree is one line, not an abort. AddressSanitizer cannot
    // even start under an address-space limit, so sanitized builds leave this case out.
#ifndef __SANITIZE_ADDRESS__
    const Outcome memory =
        Run("--tree --screen 20000x20000 -o " + Out("keep.png"), "/dev/null", "ulimit -v 400000; ");
    EXPECT_EQ(memory.status, 2);
    EXPECT_NE(memory.err.find("nicht genug Arbeitsspeicher"), std::string::npos) << memory.err;
    EXPECT_TRUE(onlyKeep());
#endif

    // SIGTERM while the picture is written removes the temporary file: sent once the picture's
    // first rows are in it, well past the signature and header.
    const pid_t child = fork();
    if (child == 0) {
        execl(MORVALE_RENDER_PROGRAM, MORVALE_RENDER_PROGRAM, "--preset", "13", "--quiet",
              "--screen", "8000x8000", "-o", Out("keep.png").c_str(), nullptr);
        _exit(127);
    }
    auto writtenBytes = [&] {
        std::uintmax_t most = 0;
        std::error_code gone;  // the program may remove it meanwhile
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().starts_with(".keep.png."))
                most = std::max(most, entry.file_size(gone) * !gone);
        return most;
    };
    bool writing = false;
    for (int i = 0; i < 12000 && !writing; ++i) {
        usleep(5000);
        writing = writtenBytes() > 4096;
    }
    EXPECT_TRUE(writing);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(onlyKeep());
    std::ifstream kept(folder / "keep.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
}

// A full disk: a small file system where one can be mounted (as root).
TEST_F(RenderProgram, AFullDiskLeavesNothing) {
    const fs::path small = folder / "small";
    fs::create_directory(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    // Too big for the free space even packed at its best: refused before it is drawn.
    const Outcome refused = Run("--screen 20000x20000 -o " + (small / "a.png").string());
    // Fits in principle, fills the disk when written.
    const Outcome full = Run("--preset 0 -o " + (small / "b.png").string());
    const bool empty = fs::is_empty(small);
    umount2(small.c_str(), MNT_DETACH);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("frei"), std::string::npos) << refused.err;
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("kein Platz mehr"), std::string::npos) << full.err;
    EXPECT_TRUE(empty);
}

TEST_F(RenderProgram, HelpExitsCleanly) {
    EXPECT_EQ(Run("--help").status, 0);
}

}  // namespace
}  // namespace morvale::testing
