// libFuzzer target: a game's link is a stranger's input, and its decoder never crashes, hangs or
// gives a game an input file could not hold. A bad link is refused with one line that starts
// "the link"; a good one has its seed, events whose stamps never go back and whose codes are
// 16-bit, and coded again it reads back the same. Inputs whose first byte is odd are taken as a
// body of coded events, framed with a right length and check, so that the event model itself is
// fuzzed and not only the frame around it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/game_link.h"

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "link_fuzz: %s\n", what);
    std::abort();
}

std::string framed(std::string_view body) {
    std::string bytes(1, char(kx::kLinkFormat));
    for (std::size_t n = body.size();; n >>= 7) {
        bytes.push_back(char((n >= 128 ? 0x80 : 0) | (n & 127)));
        if (n < 128) break;
    }
    bytes += body;
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) h = (h ^ std::uint8_t(c)) * 16777619u;
    for (int k = 24; k >= 0; k -= 8) bytes.push_back(char((h >> k) & 0xFF));
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string text;
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : bytes) {
        acc = (acc << 8) | std::uint8_t(c);
        for (bits += 8; bits >= 6;) text.push_back(kAlphabet[(acc >> (bits -= 6)) & 63]);
    }
    if (bits > 0) text.push_back(kAlphabet[(acc << (6 - bits)) & 63]);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::string link = size > 0 && (data[0] & 1) ? framed(raw.substr(1)) : std::string(raw);
    kx::InputScript game;
    try {
        game = kx::read_game_link(link);
    } catch (const kx::LinkError& e) {
        const std::string_view why = e.what();
        if (why.substr(0, 8) != "the link" || why.find('\n') != std::string_view::npos)
            broken("a refusal not in one line");
        return 0;
    }
    if (!game.seed) broken("a game without its seed");
    if (game.events.size() > kx::kMaxLinkEvents) broken("more events than a link may hold");
    for (std::size_t k = 0; k < game.events.size(); ++k) {
        const kx::KeyEvent& e = game.events[k];
        if (e.tick < 0 || e.tick > kx::kMaxTickStamp || e.code < 0 || e.code > 65535) broken("an event out of range");
        if (k > 0 && e.tick < game.events[k - 1].tick) broken("stamps that go back");
    }
    const kx::InputScript again = kx::read_game_link(kx::link_payload(*game.seed, game.events));
    if (again.seed != game.seed || again.events != game.events) broken("coded again, it reads back differently");
    return 0;
}
