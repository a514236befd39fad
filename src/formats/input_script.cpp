// Parser of replay input files.
#include "formats/input_script.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

namespace kx {
namespace {

constexpr std::int64_t kMaxTick = 4'000'000'000'000'000'000;
constexpr std::int64_t kMaxKeyCode = 65535;  // virtual key codes are 16-bit

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

}  // namespace

std::optional<std::int64_t> parse_whole(const std::string& text, std::int64_t lo, std::int64_t hi) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-') return std::nullopt;
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

InputScript parse_input_script(std::istream& in, const std::string& name) {
    InputScript script;
    std::string line;
    int line_no = 0;
    auto fail = [&](const std::string& what) -> InputError {
        return InputError(name + ":" + std::to_string(line_no) + ": " + what);
    };
    while (std::getline(in, line)) {
        ++line_no;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto words = words_of(line);
        if (words.empty() || words.front().front() == '#') continue;
        if (words.front() == "seed") {
            if (script.seed) throw fail("a second seed line");
            if (!script.events.empty()) throw fail("the seed line must come before every key event");
            if (words.size() != 2) throw fail("expected: seed N");
            const auto seed = parse_whole(words[1], 0, 4294967295);
            if (!seed) throw fail("the seed must be a whole number from 0 to 4294967295");
            script.seed = std::uint32_t(*seed);
            continue;
        }
        if (words.size() != 3 || (words[1] != "down" && words[1] != "up"))
            throw fail("expected: TICKS down CODE, TICKS up CODE or seed N");
        const auto tick = parse_whole(words[0], 0, kMaxTick);
        if (!tick) throw fail("the tick stamp must be a whole number of 0 or more");
        const auto code = parse_whole(words[2], 0, kMaxKeyCode);
        if (!code) throw fail("the key code must be a whole number from 0 to 65535");
        if (!script.events.empty() && *tick < script.events.back().tick)
            throw fail("tick stamp " + words[0] + " is smaller than the one before it");
        script.events.push_back(KeyEvent{*tick, words[1] == "down", int(*code)});
    }
    return script;
}

InputScript read_input_script(const std::string& path) {
    if (path == "-") return parse_input_script(std::cin, "standard input");
    std::ifstream file(path);
    if (!file) throw InputError(path + ": cannot open the input file");
    return parse_input_script(file, path);
}

}  // namespace kx
