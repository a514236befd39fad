// Replay input files: a seed and the key events of a run, each stamped with the tick count.
//
//   # comment            blank lines are ignored, and so is everything from a word that starts
//                        with '#' to the end of its line
//   seed N               optional, at most once, before any event; 0..4294967295
//   T down CODE          a key going down once T ticks have run (CODE: virtual key code)
//   T up CODE            a key coming up
// Stamps never decrease. Lines may end in CRLF; the file may be UTF-8 (with or without its
// byte-order mark) or UTF-16 with its byte-order mark.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// The largest tick stamp an input file or a link may hold.
constexpr std::int64_t kMaxTickStamp = 4'000'000'000'000'000'000;

struct KeyEvent {
    std::int64_t tick = 0;
    bool down = true;
    int code = 0;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

struct InputScript {
    std::optional<std::uint32_t> seed;
    std::vector<KeyEvent> events;
};

// The message names the file and the line: "NAME:LINE: what is wrong".
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses a whole file's bytes.
InputScript parse_input_text(std::string_view bytes, const std::string& name);
InputScript parse_input_script(std::istream& in, const std::string& name);
// Reads a file, or standard input for "-". A folder, or a file that cannot be read, is refused
// with the system's reason.
InputScript read_input_script(const std::string& path);

// Parses a whole number in [lo, hi]; no sign, no blanks, no trailing text unless allowed.
std::optional<std::int64_t> parse_whole(const std::string& text, std::int64_t lo, std::int64_t hi);

}  // namespace kx
