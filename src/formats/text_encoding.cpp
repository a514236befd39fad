// Byte-order marks and UTF-16 to UTF-8.
#include "formats/text_encoding.h"

#include <cstdint>

#include "elements/utf8.h"
#include "formats/input_script.h"

namespace kx {
namespace {

bool starts_with(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::string utf16_as_utf8(std::string_view units, bool big_endian, const std::string& name) {
    const auto fail = [&](const std::string& what) { return InputError(name + ": " + what); };
    if (units.size() % 2 != 0) throw fail("a UTF-16 file cut in the middle of a character");
    const auto unit = [&](std::size_t n) {
        const auto hi = std::uint8_t(units[big_endian ? n : n + 1]), lo = std::uint8_t(units[big_endian ? n + 1 : n]);
        return std::uint32_t(hi << 8 | lo);
    };
    std::string out;
    out.reserve(units.size() / 2);
    for (std::size_t n = 0; n < units.size(); n += 2) {
        std::uint32_t c = unit(n);
        if (c >= 0xDC00 && c <= 0xDFFF) throw fail("broken UTF-16 (a lone low surrogate)");
        if (c >= 0xD800 && c <= 0xDBFF) {
            const std::uint32_t low = n + 2 < units.size() ? unit(n + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) throw fail("broken UTF-16 (a lone high surrogate)");
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            n += 2;
        }
        append_utf8(out, c);
    }
    return out;
}

}  // namespace

std::string text_as_utf8(std::string_view bytes, const std::string& name) {
    using namespace std::string_view_literals;
    if (starts_with(bytes, "\xEF\xBB\xBF"sv)) return std::string(bytes.substr(3));
    if (starts_with(bytes, "\xFF\xFE\0\0"sv) || starts_with(bytes, "\0\0\xFE\xFF"sv))
        throw InputError(name + ": the file is UTF-32; save it as UTF-8 or plain text");
    if (starts_with(bytes, "\xFF\xFE"sv)) return utf16_as_utf8(bytes.substr(2), false, name);
    if (starts_with(bytes, "\xFE\xFF"sv)) return utf16_as_utf8(bytes.substr(2), true, name);
    // No text of ours holds a zero byte: this is UTF-16 (or a file that is not text at all).
    if (bytes.find('\0') != std::string_view::npos)
        throw InputError(name +
                         ": the file holds zero bytes: UTF-16 without a byte-order mark, or not text; "
                         "save it as UTF-8 or plain text");
    return std::string(bytes);
}

}  // namespace kx
