// Golden runs: every tests/replays/NAME.txt is replayed by the real program headless, and its
// trace must match NAME.expected (record count, a hash of the whole trace, and the last record
// in full, so that a change shows up as a readable diff). After a deliberate change of the game,
// rewrite the expected files with KX_UPDATE_GOLDENS=1 and review the diff.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kx {
namespace {

namespace fs = std::filesystem;

std::string summary_of_trace(const std::string& path) {
    std::ifstream in(path);
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
    std::size_t records = 0;
    std::string line, last;
    while (std::getline(in, line)) {
        for (unsigned char c : line + "\n") hash = (hash ^ c) * 0x100000001b3ull;
        ++records;
        last = line;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "records " + std::to_string(records) + "\nfnv1a64 " + hex + "\nlast " + last + "\n";
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(GoldenReplays, TracesMatchTheRecordedOnes) {
    const fs::path dir = fs::path(KX_SOURCE_DIR) / "tests" / "replays";
    const bool update = std::getenv("KX_UPDATE_GOLDENS") != nullptr;
    int replays = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".txt") continue;
        ++replays;
        const std::string trace = ::testing::TempDir() + "kx_golden_" + entry.path().stem().string() + ".jsonl";
        const std::string cmd =
            std::string(KX_BINARY) + " --headless --input " + entry.path().string() + " --trace " + trace;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const std::string summary = summary_of_trace(trace);
        std::remove(trace.c_str());
        fs::path expected = entry.path();
        expected.replace_extension(".expected");
        if (update) std::ofstream(expected) << summary;
        EXPECT_EQ(summary, read_file(expected)) << entry.path().filename();
    }
    EXPECT_GE(replays, 2);
}

}  // namespace
}  // namespace kx
