// Turns the built-in pictures' palette keys into pixels once, on first use.
#include "form/pictures.h"

#include <array>
#include <map>
#include <stdexcept>
#include <string>

#include "form/embedded_pictures.h"

namespace kx {
namespace {

Picture to_picture(const EmbeddedPicture& e) {
    std::array<std::uint32_t, 256> colour_of{};
    for (const EmbeddedColour& c : e.palette) colour_of[c.key] = c.argb;
    Picture pic;
    pic.name = std::string(e.name);
    pic.width = e.width;
    pic.height = e.height;
    pic.transparent = e.transparent;
    pic.pixels.resize(e.keys.size());
    for (std::size_t k = 0; k < e.keys.size(); ++k) pic.pixels[k] = colour_of[static_cast<unsigned char>(e.keys[k])];
    return pic;
}

}  // namespace

const Picture& game_picture(std::string_view name) {
    static const std::map<std::string, Picture, std::less<>> all = [] {
        std::map<std::string, Picture, std::less<>> m;
        for (const EmbeddedPicture& e : embedded_pictures()) m.emplace(std::string(e.name), to_picture(e));
        return m;
    }();
    const auto it = all.find(name);
    if (it == all.end()) throw std::out_of_range("no picture named " + std::string(name));
    return it->second;
}

}  // namespace kx
