// Decodes the built-in picture texts once, on first use.
#include "form/pictures.h"

#include <map>
#include <stdexcept>
#include <string>

#include "elements/picture_file.h"
#include "form/embedded_pictures.h"

namespace kx {

const Picture& game_picture(std::string_view name) {
    static const std::map<std::string, Picture, std::less<>> all = [] {
        std::map<std::string, Picture, std::less<>> m;
        for (const EmbeddedPicture& e : embedded_pictures())
            m.emplace(std::string(e.name), parse_picture_file(e.text, std::string(e.name)));
        return m;
    }();
    const auto it = all.find(name);
    if (it == all.end()) throw std::out_of_range("no picture named " + std::string(name));
    return it->second;
}

}  // namespace kx
