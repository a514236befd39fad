// The text of an input file as UTF-8, whatever editor or shell wrote it: a UTF-8 byte-order mark
// is dropped, UTF-16 with its byte-order mark (what Windows PowerShell 5's `>` writes) is
// converted; an encoding that cannot be told apart is refused with a line naming it.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// Throws InputError ("NAME: ...") for UTF-32, UTF-16 without its mark, or a cut or broken UTF-16.
std::string text_as_utf8(std::string_view bytes, const std::string& name);

}  // namespace kx
