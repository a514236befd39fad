// Parser of replay input files.
#include "formats/input_script.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "formats/text_encoding.h"

namespace kx {
namespace {

constexpr std::int64_t kMaxKeyCode = 65535;  // virtual key codes are 16-bit

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The words of one line up to its comment: a word that starts with '#' ends the line, so a note
// may follow an item ("seed 42   # optional").
std::vector<std::string> words_of(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && is_blank(line[at])) ++at;
        if (at == line.size() || line[at] == '#') return words;
        const std::size_t start = at;
        while (at < line.size() && !is_blank(line[at])) ++at;
        words.emplace_back(line.substr(start, at - start));
    }
}

std::string read_all(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

InputScript parse_input_text(std::string_view bytes, const std::string& name) {
    const std::string text = text_as_utf8(bytes, name);
    InputScript script;
    int line_no = 0;
    auto fail = [&](const std::string& what) -> InputError {
        return InputError(name + ":" + std::to_string(line_no) + ": " + what);
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = std::string_view(text).substr(at, end - at);
        at = end + 1;
        ++line_no;
        const auto words = words_of(line);
        if (words.empty()) continue;
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
        const auto tick = parse_whole(words[0], 0, kMaxTickStamp);
        if (!tick) throw fail("the tick stamp must be a whole number of 0 or more");
        const auto code = parse_whole(words[2], 0, kMaxKeyCode);
        if (!code) throw fail("the key code must be a whole number from 0 to 65535");
        if (!script.events.empty() && *tick < script.events.back().tick)
            throw fail("tick stamp " + words[0] + " is smaller than the one before it");
        script.events.push_back(KeyEvent{*tick, words[1] == "down", int(*code)});
    }
    return script;
}

InputScript parse_input_script(std::istream& in, const std::string& name) {
    return parse_input_text(read_all(in), name);
}

InputScript read_input_script(const std::string& path) {
    if (path == "-") return parse_input_script(std::cin, "standard input");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw InputError(path + ": is a folder, not an input file");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw InputError(path + ": cannot open the input file: " + std::strerror(errno));
    const std::string bytes = read_all(file);
    if (file.bad()) throw InputError(path + ": cannot read the input file: " + std::strerror(errno));
    return parse_input_text(bytes, path);
}

}  // namespace kx
