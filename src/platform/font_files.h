// Finds the game's two fonts on this system through fontconfig.
#pragma once

#include <stdexcept>
#include <string>

namespace kx {

struct FontFiles {
    std::string gothic;     // a proportional Japanese gothic: the title and the staff roll
    std::string interface;  // the desktop's default sans-serif: the score line
};

struct FontNotFound : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws FontNotFound with a message that says which package to install.
FontFiles find_font_files();

}  // namespace kx
