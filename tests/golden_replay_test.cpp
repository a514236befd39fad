// Golden runs: every tests/replays/NAME.txt is replayed by the real program headless, and its
// trace must equal NAME.trace.gz, the whole recorded trace, and its last frame must hash as in
// NAME.expected. NAME.txt says what its run must reach ("# reaches: the ending, 5 bosses beaten,
// 0 game overs"), and the run must reach it: an update that would make a golden reach less is
// refused unless KX_ACCEPT_LESS is set (tools/update_goldens.sh --accept-less), which then writes
// the new reach into NAME.txt. NAME.expected is the readable side of a golden: the record count, an FNV-1a 64
// hash of the trace, the hash of the last frame's pixels and the last record in full. A failure
// names the first record that differs and the fields inside it.
//
// After a deliberate change of the game, rewrite the goldens and review the diff:
//   tools/update_goldens.sh        (or: KX_UPDATE_GOLDENS=1 ctest --preset default -R Golden -V)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "golden_reach.h"
#include "gzip_file.h"
#include "png_read.h"
#include "trace_diff.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// FNV-1a 64 of the frame's pixels, each as its red, green and blue bytes, row by row.
std::string frame_hash(const test::Image& image) {
    std::string rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (std::uint32_t p : image.pixels) {
        rgb += char(p >> 16 & 0xFF);
        rgb += char(p >> 8 & 0xFF);
        rgb += char(p & 0xFF);
    }
    return std::to_string(image.width) + "x" + std::to_string(image.height) + " " + test::hex64(test::fnv1a64(rgb));
}

std::size_t records_in(const std::string& trace) {
    std::size_t n = 0;
    for (char c : trace) n += c == '\n';
    return n;
}

std::string last_record(const std::string& trace) {
    if (trace.size() < 2) return {};
    const std::size_t newline = trace.rfind('\n', trace.size() - 2);
    const std::size_t from = newline == std::string::npos ? 0 : newline + 1;
    return trace.substr(from, trace.size() - 1 - from);
}

// NAME.expected: the figures of the trace, then the frame's.
std::string summary(const std::string& trace, const std::string& frame) {
    return "records " + std::to_string(records_in(trace)) + "\nfnv1a64 " + test::hex64(test::fnv1a64(trace)) +
           "\nframe_rgb_fnv1a64 " + frame + "\nlast " + last_record(trace) + "\n";
}

// The line of `text` that starts with `key` and a space, without them.
std::string line_of(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + " ", 0) == 0) return line.substr(key.size() + 1);
    return "(none)";
}

struct Golden {
    fs::path input, trace_gz, expected;
    std::string name() const { return input.stem().string(); }
};

// Runs the program on the golden's input (with more options, if any); gives the trace and the
// last frame's hash.
std::pair<std::string, std::string> run(const Golden& g, const std::string& options = "") {
    const std::string base = ::testing::TempDir() + "kx_golden_" + g.name();
    const std::string cmd = std::string(KX_BINARY) + " --headless --input " + g.input.string() + " --trace " + base +
                            ".jsonl --screenshot " + base + ".png" + options;
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string trace = read_file(base + ".jsonl");
    const auto image = test::read_png(base + ".png");
    EXPECT_TRUE(image.has_value()) << "no screenshot from " << cmd;
    std::remove((base + ".jsonl").c_str());
    std::remove((base + ".png").c_str());
    return {trace, image ? frame_hash(*image) : "(no frame)"};
}

// What the golden's input says its run reaches; a failure when it says nothing.
std::optional<test::Reach> stated(const Golden& g) {
    const auto reach = test::stated_reach(read_file(g.input));
    if (!reach)
        ADD_FAILURE() << g.input.filename().string() << " does not say what its run reaches: add a line such as \"# "
                      << "reaches: " << test::describe(test::Reach{true, 5, 0}) << "\"";
    return reach;
}

void update(const Golden& g, const std::string& trace, const std::string& frame) {
    const test::Reach reach = test::reach_of(trace);
    const auto before = stated(g);
    if (before && !test::reaches(reach, *before)) {
        if (std::getenv("KX_ACCEPT_LESS") == nullptr) {
            ADD_FAILURE() << g.name() << ": refused: the run now reaches " << test::describe(reach)
                          << ", less than its input says it must (" << test::describe(*before)
                          << "); the golden is left as it was (tools/update_goldens.sh --accept-less if that is meant)";
            return;
        }
        std::ofstream(g.input, std::ios::binary) << test::with_stated_reach(read_file(g.input), reach);
        std::cout << g.name() << ": reaches less, accepted: " << test::describe(reach) << "\n";
    }
    const auto old = test::read_gzip(g.trace_gz.string());
    const std::string change = old ? test::first_difference(*old, trace) : "new golden";
    const std::string old_frame = line_of(read_file(g.expected), "frame_rgb_fnv1a64");
    test::write_gzip(g.trace_gz.string(), trace);
    std::ofstream(g.expected, std::ios::binary) << summary(trace, frame);
    std::cout << g.name() << ": " << (change.empty() ? "trace unchanged" : "trace changed: " + change) << "\n"
              << g.name() << ": last frame " << (old_frame == frame ? "unchanged" : old_frame + " -> " + frame) << "\n"
              << g.name() << ": " << fs::file_size(g.trace_gz) << " bytes compressed\n";
}

void check(const Golden& g, const std::string& trace, const std::string& frame) {
    const auto golden = test::read_gzip(g.trace_gz.string());
    ASSERT_TRUE(golden.has_value()) << g.trace_gz << " is missing or not gzip; make it with KX_UPDATE_GOLDENS=1";
    const std::string expected = read_file(g.expected);
    // The two files of a golden are written together; one edited alone is caught here.
    EXPECT_EQ(summary(*golden, line_of(expected, "frame_rgb_fnv1a64")), expected)
        << g.expected << " does not describe " << g.trace_gz;
    const std::string change = test::first_difference(*golden, trace);
    if (!change.empty())
        ADD_FAILURE() << g.name() << " against " << g.trace_gz.filename().string() << ": " << change
                      << "\n  (the whole expected trace: zcat " << g.trace_gz.string()
                      << "; if the change is meant: tools/update_goldens.sh)";
    const std::string golden_frame = line_of(expected, "frame_rgb_fnv1a64");
    if (frame != golden_frame)
        ADD_FAILURE() << g.name() << ": the last frame differs (size and FNV-1a 64 of its RGB bytes): expected "
                      << golden_frame << ", got " << frame;
    const test::Reach reach = test::reach_of(trace);
    if (const auto must = stated(g); must && !test::reaches(reach, *must))
        ADD_FAILURE() << g.name() << ": the run reaches " << test::describe(reach)
                      << ", less than its input says: " << test::describe(*must);
}

TEST(GoldenReplays, TracesAndLastFramesMatchTheRecordedOnes) {
    const fs::path dir = fs::path(KX_SOURCE_DIR) / "tests" / "replays";
    const bool updating = std::getenv("KX_UPDATE_GOLDENS") != nullptr;
    int goldens = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".txt") continue;
        ++goldens;
        Golden g{entry.path(), entry.path(), entry.path()};
        g.trace_gz.replace_extension(".trace.gz");
        g.expected.replace_extension(".expected");
        const auto [trace, frame] = run(g);
        if (updating)
            update(g, trace, frame);
        else
            check(g, trace, frame);
    }
    EXPECT_GE(goldens, 2);
}

// The check that keeps a golden from shrinking: the full game cut after its first bosses no
// longer reaches what its input says (the ending, five bosses), and the statement is read back.
TEST(GoldenReplays, AGoldenCutShortReachesLessThanItsInputSays) {
    const fs::path dir = fs::path(KX_SOURCE_DIR) / "tests" / "replays";
    const std::string whole = read_file(dir / "full_game.txt");
    const auto must = test::stated_reach(whole);
    ASSERT_TRUE(must.has_value());
    const fs::path cut = fs::path(::testing::TempDir()) / "cut_game.txt";
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 3);
    Golden g{cut, cut, cut};
    // Cut in the middle of play, the chick may dodge forever: the run needs an end of its own.
    const test::Reach reach = test::reach_of(run(g, " --ticks 20000").first);
    EXPECT_FALSE(test::reaches(reach, *must)) << test::describe(reach);
    EXPECT_GE(reach.bosses, 1);
    EXPECT_EQ(test::stated_reach(test::with_stated_reach(whole, reach))->bosses, reach.bosses);
    fs::remove(cut);
}

}  // namespace
}  // namespace kx
