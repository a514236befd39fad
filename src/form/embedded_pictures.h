// The picture texts compiled into the program (the build generates their definition).
#pragma once

#include <span>
#include <string_view>

namespace kx {

struct EmbeddedPicture {
    std::string_view name;
    std::string_view text;
};

std::span<const EmbeddedPicture> embedded_pictures();

}  // namespace kx
