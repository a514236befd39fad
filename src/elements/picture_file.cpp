// Parser of the text form of the game's pictures.
#include "elements/picture_file.h"

#include <array>
#include <sstream>

namespace kx {
namespace {

struct Reader {
    std::string_view text;
    std::size_t pos = 0;
    int line_no = 0;

    bool next(std::string_view& line) {
        if (pos >= text.size()) return false;
        const std::size_t end = text.find('\n', pos);
        line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++line_no;
        return true;
    }
};

[[noreturn]] void fail(const std::string& name, int line_no, const std::string& what) {
    throw PictureFileError("picture " + name + ", line " + std::to_string(line_no) + ": " + what);
}

int read_component(std::istringstream& in, const std::string& name, int line_no) {
    int v = -1;
    if (!(in >> v) || v < 0 || v > 255) fail(name, line_no, "expected a colour component 0..255");
    return v;
}

Rgb read_rgb(std::istringstream& in, const std::string& name, int line_no) {
    const int r = read_component(in, name, line_no);
    const int g = read_component(in, name, line_no);
    const int b = read_component(in, name, line_no);
    return Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

}  // namespace

Picture parse_picture_file(std::string_view text, const std::string& name) {
    Picture pic;
    pic.name = name;
    std::array<std::optional<std::uint32_t>, 256> palette{};
    Reader reader{text};
    std::string_view line;
    bool in_palette = false;
    bool have_pixels = false;
    while (reader.next(line)) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream in{std::string(line)};
        std::string word;
        in >> word;
        if (word == "size") {
            if (!(in >> pic.width >> pic.height) || pic.width <= 0 || pic.height <= 0 || pic.width > 4096 ||
                pic.height > 4096)
                fail(name, reader.line_no, "expected: size W H");
            in_palette = false;
        } else if (word == "transparent") {
            pic.transparent = read_rgb(in, name, reader.line_no);
            in_palette = false;
        } else if (word == "palette") {
            in_palette = true;
        } else if (word == "pixels") {
            have_pixels = true;
            break;
        } else if (in_palette && line.size() >= 2 && line[1] == ' ') {
            const auto key = static_cast<unsigned char>(line[0]);
            std::istringstream rest{std::string(line.substr(2))};
            if (line.substr(2) == "none") {
                palette[key] = 0x00000000u;
            } else {
                const Rgb c = read_rgb(rest, name, reader.line_no);
                palette[key] = 0xFF000000u | (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
            }
        } else {
            fail(name, reader.line_no, "unknown line");
        }
    }
    if (!have_pixels) fail(name, reader.line_no, "no pixels section");
    if (pic.width == 0) fail(name, reader.line_no, "no size line");
    pic.pixels.reserve(std::size_t(pic.width) * std::size_t(pic.height));
    for (int y = 0; y < pic.height; ++y) {
        if (!reader.next(line)) fail(name, reader.line_no, "missing pixel rows");
        if (int(line.size()) != pic.width) fail(name, reader.line_no, "pixel row has the wrong width");
        for (char ch : line) {
            const auto& colour = palette[static_cast<unsigned char>(ch)];
            if (!colour) fail(name, reader.line_no, std::string("colour '") + ch + "' is not in the palette");
            pic.pixels.push_back(*colour);
        }
    }
    while (reader.next(line))
        if (!line.empty()) fail(name, reader.line_no, "text after the last pixel row");
    return pic;
}

}  // namespace kx
