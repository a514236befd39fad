// Reads the game's pictures from their editable text form (assets/pictures/*.kxp).
//
// The format, one item a line ('#' lines and blank lines are ignored before "pixels"):
//   size W H                 picture size in pixels
//   transparent R G B        optional: the colour that lets the background show through
//   palette                  then one line per colour: CHAR R G B, or CHAR none (masked out)
//   pixels                   then exactly H lines of exactly W palette characters
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "elements/picture.h"

namespace kx {

struct PictureFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws PictureFileError naming the picture and the line when the text is malformed.
Picture parse_picture_file(std::string_view text, const std::string& name);

}  // namespace kx
