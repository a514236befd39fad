// The real program run headless: replays, traces, screenshots, and its one-line errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "draw/overlays.h"
#include "draw/renderer.h"
#include "platform/font_files.h"
#include "platform/ttf_text.h"
#include "png_read.h"
#include "run/seeded_random.h"
#include "run/session.h"

namespace kx {
namespace {

struct Result {
    int status;
    std::string out;
};

Result run_with_env(const std::string& env, const std::string& args) {
    const std::string cmd = env + " " + std::string(KX_BINARY) + " " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    const int status = pclose(p);
    return {WEXITSTATUS(status), out};
}

Result run(const std::string& args) { return run_with_env("", args); }

std::string temp_file(const std::string& name, const std::string& content = "") {
    const std::string path = ::testing::TempDir() + "kx_" + name;
    std::ofstream(path) << content;
    return path;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

std::string field(const std::string& record, const std::string& key) {
    const auto at = record.find("\"" + key + "\":");
    if (at == std::string::npos) return "";
    const auto start = at + key.size() + 3;
    return record.substr(start, record.find_first_of(",}]", start) - start);
}

TEST(HeadlessRun, TraceRecordsTheStartEveryTickAndEveryKey) {
    const std::string input = temp_file("start.txt", "seed 7\n0 down 65\n0 up 65\n40 down 39\n");
    const Result r = run("--headless --input " + input + " --ticks 45 --trace -");
    ASSERT_EQ(r.status, 0) << r.out;
    const auto lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 1u + 2 + 45 + 1);
    EXPECT_EQ(lines[0].rfind("{\"ev\":\"start\",\"ticks\":0,\"state\":{\"i\":3,\"jikix\":-100,", 0), 0u);
    EXPECT_EQ(lines[1].rfind("{\"ev\":\"keydown\",\"code\":65,\"ticks\":0,", 0), 0u);
    EXPECT_EQ(lines[2].rfind("{\"ev\":\"keyup\",\"code\":65,", 0), 0u);
    // The transition's 31st tick hands over with the craft at 55.
    EXPECT_EQ(field(lines[2 + 30], "timer"), "2");
    EXPECT_EQ(field(lines[2 + 30], "jikix"), "50");
    EXPECT_EQ(field(lines[2 + 31], "jikix"), "55");
    EXPECT_NE(lines[2 + 31].find("\"timers\":[1,0,0]"), std::string::npos);
    EXPECT_EQ(field(lines[2 + 32], "timer"), "1");
    // The key stamped 40 comes after exactly 40 ticks.
    EXPECT_EQ(lines[2 + 41].rfind("{\"ev\":\"keydown\",\"code\":39,\"ticks\":40,", 0), 0u);
    EXPECT_EQ(field(lines[2 + 41], "jikidx"), "7");
    EXPECT_NE(lines[0].find(
                  "\"laser\":{\"x\":-1,\"y\":-1,\"w\":393,\"h\":297,\"shown\":true,\"bg\":[0,0,0],\"picture\":null}"),
              std::string::npos);
    EXPECT_NE(lines[0].find("\"boss\":{\"x\":216,\"y\":304,\"w\":150,\"h\":143.1818181818182,"), std::string::npos);
}

TEST(HeadlessRun, SameSeedAndInputGiveTheSameTrace) {
    const std::string input = temp_file("same.txt", "0 down 32\n100 down 90\n150 down 38\n");
    const Result a = run("--headless --seed 3 --input " + input + " --ticks 700 --trace -");
    const Result b = run("--headless --seed 3 --input " + input + " --ticks 700 --trace -");
    const Result c = run("--headless --seed 4 --input " + input + " --ticks 700 --trace -");
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out, c.out);
}

TEST(HeadlessRun, EndsOnTheTitleScreenWhenNoInputIsLeft) {
    const Result r = run("--headless --trace -");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines_of(r.out).size(), 1u);
    // An event stamped at or after the tick limit is never handled.
    const std::string late = temp_file("late.txt", "5 down 32\n");
    EXPECT_EQ(lines_of(run("--headless --ticks 5 --input " + late + " --trace -").out).size(), 1u);
}

TEST(HeadlessRun, ScreenshotIsTheRenderedFrame) {
    const std::string input = temp_file("shot.txt", "0 down 32\n");
    const std::string png = temp_file("shot.png");
    ASSERT_EQ(run("--headless --seed 9 --input " + input + " --ticks 60 --screenshot " + png).status, 0);
    const auto image = test::read_png(png);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 392);
    ASSERT_EQ(image->height, 286);

    TtfText text(find_font_files());
    Session session(9, &text, nullptr);
    session.start();
    session.key(true, 32);
    while (session.ticks() < 60) session.run_period(60);
    auto frame = std::make_unique<Frame>();
    Renderer(text).draw(session.game().form1, *frame);
    for (int y = 0; y < Frame::kHeight; ++y)
        for (int x = 0; x < Frame::kWidth; ++x)
            ASSERT_EQ(image->pixels[std::size_t(y * 392 + x)], frame->at(x, y)) << x << "," << y;
}

TEST(HeadlessRun, BadInputGivesOneLineAndStatus2) {
    const std::string bad = temp_file("bad.txt", "0 down 32\n7 down\n");
    Result r = run("--headless --input " + bad);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: " + bad + ":2: expected: TICKS down CODE, TICKS up CODE or seed N\n");
    r = run("--headless --bogus");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: unknown option --bogus (see --help)\n");
    r = run("--headless --seed x");
    EXPECT_EQ(r.status, 2);
    r = run("--headless --input /nonexistent/file.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: /nonexistent/file.txt: cannot open the input file: No such file or directory\n");
    r = run("--headless --input " + ::testing::TempDir());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: " + ::testing::TempDir() + ": is a folder, not an input file\n");
    // What a run cannot write says why.
    const std::string game = temp_file("short.txt", "0 down 32\n");
    r = run("--headless --input " + game + " --ticks 5 --screenshot /nonexistent/end.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "kippura-x: /nonexistent/end.png: cannot write the screenshot: No such file or directory\n");
    r = run("--headless --input " + game + " --ticks 5 --trace " + ::testing::TempDir());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "kippura-x: " + ::testing::TempDir() + ": cannot write the trace file: Is a directory\n");
    r = run("--scale 0");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: --scale takes a whole number from 1 to 16, for example --scale 2\n");
    r = run("--keys jump=Space");  // the key rule's refusal, naming the option
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: --keys: unknown role \"jump\" (the roles: up, down, left, right, fire, start)\n");
    EXPECT_EQ(run("--headless --tick-rate 50").status, 2);
    EXPECT_EQ(run("--tick-rate 1001").status, 2);
    EXPECT_EQ(run("--help").status, 0);
    EXPECT_NE(run("--help").out.find("--screenshot"), std::string::npos);
    for (const std::string& line : lines_of(run("--help").out))
        EXPECT_LE(line.size(), 80u) << line;  // a terminal's width
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

TEST(HeadlessRun, MissingDisplayAndFontsAreSaidInOneLine) {
    Result r = run_with_env("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "--seed 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("kippura-x: cannot open a window: no display ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("run with --headless"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);

    const std::string no_fonts = temp_file("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    r = run_with_env("FONTCONFIG_FILE=" + no_fonts, "--headless");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("kippura-x: no Japanese font found; install one: fonts-ipafont-gothic (Debian, Ubuntu), ", 0),
              0u)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST(HeadlessRun, AGameChecksToTheSameLineFromItsFileAndItsLinkAndABadLinkSaysWhy) {
    const std::string game = std::string(KX_SOURCE_DIR) + "/tests/replays/game_over_and_again.txt";
    const Result link = run("--link " + game + " --site https://example.org/kx/");
    ASSERT_EQ(link.status, 0) << link.out;
    ASSERT_EQ(link.out.rfind("https://example.org/kx/#play=", 0), 0u) << link.out;
    const std::string url = link.out.substr(0, link.out.size() - 1);
    const Result from_file = run("--verify " + game), from_link = run("--verify '" + url + "'");
    EXPECT_EQ(from_file.status, 0);
    EXPECT_EQ(from_file.out, from_link.out);
    // The box's score and tick, as the trace has them.
    EXPECT_NE(from_file.out.find(", score 1, 0 bosses beaten, game over at tick 450, state "), std::string::npos)
        << from_file.out;
    Result r = run("--verify '" + url.substr(0, url.size() - 6) + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: the link is cut short\n");
    r = run("--link " + game + " --site 'javascript:alert(1)'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "kippura-x: --site: the site's address starts with https://, http:// or file://\n");
    r = run("--link " + temp_file("seedless.txt", "0 down 32\n") + " --site https://example.org/");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("no seed line, and no --seed"), std::string::npos) << r.out;
    EXPECT_EQ(run("--verify " + game + " --headless").status, 2);
}

TEST(Seeding, TheKthResetOfARunUsesBasePlusK) {
    SeededRandom random(4294967295u);
    random.reseed();
    std::mt19937 first(4294967295u);
    EXPECT_EQ(random.next(), first() / 4294967296.0);
    random.reseed();  // the base wraps round to 0
    std::mt19937 second(0u);
    EXPECT_EQ(random.next(), second() / 4294967296.0);
}

TEST(HeadlessRun, GameOverBoxIsRecordedAndANewGameFollows) {
    const std::string input =
        (std::filesystem::path(KX_SOURCE_DIR) / "tests" / "replays" / "game_over_and_again.txt").string();
    const Result r = run("--headless --input " + input + " --trace -");
    ASSERT_EQ(r.status, 0);
    std::vector<std::string> boxes;
    for (const std::string& line : lines_of(r.out))
        if (line.rfind("{\"ev\":\"msgbox\"", 0) == 0) boxes.push_back(line);
    ASSERT_EQ(boxes.size(), 3u);  // on the title screen the next key is handled at once, whatever its stamp
    EXPECT_EQ(boxes[0].rfind("{\"ev\":\"msgbox\",\"title\":\"GAME OVER\",\"text\":\"SCORE 0\",", 0), 0u);
    // The box opens in the middle of the tick: the state is the one of that moment, and "ticks"
    // counts only the ticks completed before it.
    EXPECT_EQ(field(boxes[0], "gamemode"), "1");
    EXPECT_NE(boxes[0].find("\"timers\":[1,0,0]"), std::string::npos);
}

// A recorded game that ended in a game over, replayed to its end with its box: the trace stops
// with the tick of the first box, the screenshot shows the box over that moment's play field.
TEST(HeadlessRun, StopAtGameOverEndsWithTheFirstBoxDrawn) {
    const std::string input =
        (std::filesystem::path(KX_SOURCE_DIR) / "tests" / "replays" / "game_over_and_again.txt").string();
    const std::string png = temp_file("box.png");
    const Result r = run("--headless --input " + input + " --stop-at-game-over --trace - --screenshot " + png);
    ASSERT_EQ(r.status, 0) << r.out;
    const auto lines = lines_of(r.out);
    const auto box = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return l.rfind("{\"ev\":\"msgbox\"", 0) == 0; });
    ASSERT_NE(box, lines.end());
    // Only the rest of the box's own tick follows it.
    EXPECT_EQ(std::count_if(box, lines.end(), [](const std::string& l) { return l.rfind("{\"ev\":\"tick\"", 0) == 0; }),
              1);
    const auto image = test::read_png(png);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels[std::size_t(kBoxArea.y0 * 392 + kBoxArea.x0)], 0x5A5A5Au);  // the box's edge
    EXPECT_EQ(run("--stop-at-game-over").status, 2);                                    // headless only
}

}  // namespace
}  // namespace kx
