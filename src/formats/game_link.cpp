// Coding a game into a link and reading it back. One model serves both ways: `Coder` is the
// encoder (each call takes the bit to write) or the decoder (each call gives the bit it read).
#include "formats/game_link.h"

#include <array>
#include <bit>
#include <cstddef>

#include "formats/bit_coder.h"

namespace kx {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// --- the model -----------------------------------------------------------------------------

struct Writer {
    BitEncoder& out;
    int bit(BitModel& m, int b) { return out.bit(m, b), b; }
    int plain(int b) { return out.plain_bit(b), b; }
};

struct Reader {
    BitDecoder& in;
    int bit(BitModel& m, int) { return in.bit(m); }
    int plain(int) { return in.plain_bit(); }
};

// A whole number 0..2^62-2, as its length in bits (unary) then the bits below the top one: small
// numbers, the common ones, take few bits, and each length learns how often it comes.
struct NumberModel {
    std::array<BitModel, 63> length;
    std::array<std::array<BitModel, 12>, 12> low;  // the upper bits of short numbers

    template <class Coder>
    std::uint64_t code(Coder& c, std::uint64_t value) {
        const std::uint64_t v = value + 1;
        const int bits = std::bit_width(v) - 1;  // Reader: ignored
        int n = 0;
        while (n < 62 && c.bit(length[std::size_t(n)], n < bits ? 1 : 0)) ++n;
        if (n == 62) throw LinkError("the link is altered: a number in it is too large");
        std::uint64_t got = 1;
        for (int k = n - 1; k >= 0; --k) {
            const int b = int((v >> k) & 1);
            const int from_top = n - 1 - k;
            got = (got << 1) |
                  std::uint64_t(n < 12 && from_top < 12 ? c.bit(low[std::size_t(n)][std::size_t(from_top)], b)
                                                        : c.plain(b));
        }
        return got - 1;
    }
};

// The events one after another: the ticks since the one before (learnt apart after a press and
// after a release), the key among the latest ones seen, latest first (whether it is held tells a
// lot: held keys come up, others go down), and which way it went.
class EventModel {
public:
    template <class Coder>
    KeyEvent code(Coder& c, const KeyEvent& event) {
        KeyEvent got;
        const auto step = std::uint64_t(event.tick - last_tick_);
        got.tick = last_tick_ + std::int64_t(steps_[last_down_ ? 1 : 0].code(c, step));
        if (got.tick > kMaxTickStamp) throw LinkError("the link is altered: a tick stamp in it is too large");
        std::size_t at = 0;
        for (; at < seen_.size(); ++at) {
            BitModel& m = which_[std::min<std::size_t>(at, which_.size() - 1)][held(seen_[at])];
            if (!c.bit(m, seen_[at] == event.code ? 0 : 1)) break;
        }
        if (at == seen_.size()) {
            int code = 0;
            for (int k = 15; k >= 0; --k) code = (code << 1) | c.plain((event.code >> k) & 1);
            seen_.insert(seen_.begin(), code);
            // A short list keeps each event's work small whatever a link holds: a game uses a
            // handful of keys, and one not among the latest is spelt out again.
            if (seen_.size() > kKeysKept) seen_.pop_back();
        } else {
            const int code = seen_[at];
            seen_.erase(seen_.begin() + std::ptrdiff_t(at));
            seen_.insert(seen_.begin(), code);
        }
        got.code = seen_.front();
        got.down = c.bit(way_[held(got.code)], event.down ? 0 : 1) == 0;
        held_[std::size_t(got.code)] = got.down;
        last_tick_ = got.tick;
        last_down_ = got.down;
        return got;
    }

private:
    static constexpr std::size_t kKeysKept = 16;

    std::size_t held(int code) const { return held_[std::size_t(code)] ? 1 : 0; }

    std::array<NumberModel, 2> steps_;
    std::array<std::array<BitModel, 2>, 8> which_;
    std::array<BitModel, 2> way_;
    std::vector<int> seen_;
    std::vector<bool> held_ = std::vector<bool>(65536);
    std::int64_t last_tick_ = 0;
    bool last_down_ = false;
};

// --- the frame around it -----------------------------------------------------------------

std::uint32_t check_of(std::string_view bytes) {
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (const char c : bytes) h = (h ^ std::uint8_t(c)) * 16777619u;
    return h;
}

std::string base64url(std::string_view bytes) {
    std::string out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : bytes) {
        acc = (acc << 8) | std::uint8_t(c);
        bits += 8;
        while (bits >= 6) out.push_back(kAlphabet[(acc >> (bits -= 6)) & 63]);
    }
    if (bits > 0) out.push_back(kAlphabet[(acc << (6 - bits)) & 63]);
    return out;
}

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-') return 62;
    if (c == '_') return 63;
    return -1;
}

std::string from_base64url(std::string_view text) {
    std::string out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : text) {
        const int v = sextet(c);
        if (v < 0) {
            std::string what = "the link is altered: it holds a character no link has";
            if (c > ' ' && c < 127) what.append(std::string(" (") + c + ")");
            throw LinkError(what);
        }
        acc = (acc << 6) | std::uint32_t(v);
        bits += 6;
        if (bits >= 8) out.push_back(char((acc >> (bits -= 8)) & 0xFF));
    }
    // Bits left over are the last character's padding, or a link cut inside a byte: the
    // length before the body tells which.
    return out;
}

void put_length(std::string& out, std::size_t n) {
    for (; n >= 128; n >>= 7) out.push_back(char(0x80 | (n & 127)));
    out.push_back(char(n));
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> site_fault(std::string_view site) {
    if (!site.starts_with("https://") && !site.starts_with("http://") && !site.starts_with("file://"))
        return "the site's address starts with https://, http:// or file://";
    for (const char c : site)
        if (std::uint8_t(c) <= ' ' || c == 127 || c == '#' || c == '"' || c == '<' || c == '>' || c == '\\')
            return "the site's address holds no blanks, control characters, #, quotes, < > or backslashes";
    return std::nullopt;
}

std::string link_payload(std::uint32_t seed, const std::vector<KeyEvent>& events) {
    BitEncoder encoder;
    Writer w{encoder};
    for (int k = 31; k >= 0; --k) w.plain(int((seed >> k) & 1));
    NumberModel count;
    count.code(w, events.size());
    EventModel model;
    for (const KeyEvent& e : events) model.code(w, e);
    const std::string body = encoder.finish();
    std::string bytes(1, char(kLinkFormat));
    put_length(bytes, body.size());
    bytes += body;
    const std::uint32_t check = check_of(bytes);
    for (int k = 24; k >= 0; k -= 8) bytes.push_back(char((check >> k) & 0xFF));
    return base64url(bytes);
}

std::string game_link(const std::string& site, std::uint32_t seed, const std::vector<KeyEvent>& events) {
    std::string link = site;
    link += kLinkKey;
    link += link_payload(seed, events);
    return link;
}

bool is_game_link(std::string_view text) { return text.find(kLinkKey) != std::string_view::npos; }

InputScript read_game_link(std::string_view link) {
    link = trimmed(link);
    if (const auto at = link.find(kLinkKey); at != std::string_view::npos) link.remove_prefix(at + sizeof kLinkKey - 1);
    if (link.empty()) throw LinkError("the link holds no game");
    const std::string bytes = from_base64url(link);
    if (std::uint8_t(bytes[0]) != kLinkFormat)
        throw LinkError("the link is of format " + std::to_string(std::uint8_t(bytes[0])) +
                        ", which this kippura-x cannot read (it reads format " + std::to_string(kLinkFormat) +
                        "): a newer kippura-x made it");
    std::size_t length = 0, at = 1;
    for (int shift = 0;; shift += 7) {
        if (at >= bytes.size()) throw LinkError("the link is cut short");
        if (shift > 28) throw LinkError("the link is altered: its length is not a length");
        const auto b = std::uint8_t(bytes[at++]);
        length |= std::size_t(b & 127) << shift;
        if (!(b & 128)) break;
    }
    if (bytes.size() < at + length + 4) throw LinkError("the link is cut short");
    if (bytes.size() > at + length + 4) throw LinkError("the link is altered: it goes on past its end");
    std::uint32_t check = 0;
    for (std::size_t k = at + length; k < bytes.size(); ++k) check = (check << 8) | std::uint8_t(bytes[k]);
    if (check != check_of(std::string_view(bytes).substr(0, at + length)))
        throw LinkError("the link is altered: it does not match its check");

    BitDecoder decoder(std::string_view(bytes).substr(at, length));
    Reader r{decoder};
    std::uint32_t seed = 0;
    for (int k = 0; k < 32; ++k) seed = (seed << 1) | std::uint32_t(r.plain(0));
    NumberModel count;
    const std::uint64_t n = count.code(r, 0);
    if (n > kMaxLinkEvents) throw LinkError("the link is altered: it claims more key events than a link may hold");
    InputScript script;
    script.seed = seed;
    script.events.reserve(std::size_t(n));
    EventModel model;
    for (std::uint64_t k = 0; k < n; ++k) script.events.push_back(model.code(r, KeyEvent{}));
    return script;
}

}  // namespace kx
