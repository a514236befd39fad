// A game as a link: the page's address with the seed and every key event in its fragment
// ("#play="), so that a game is shared, watched and checked with nothing stored anywhere. The
// same recording gives the same link on every platform: the program makes it, not the browser.
//
// The fragment is base64url of: the format (one byte), the length of what follows (7 bits a
// byte), the seed and the events coded by the adaptive range coder, and a check of it all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/input_script.h"

namespace kx {

// The link format this build writes and reads.
constexpr int kLinkFormat = 1;
// What comes between the site's address and the game.
constexpr char kLinkKey[] = "#play=";
// A link holds no more events than this (hours of play): a stranger's link cannot ask for more.
constexpr std::size_t kMaxLinkEvents = 1'000'000;

// Why a link cannot be read: one line, "the link is cut short". A link is an input file by
// other means: whoever reports an input file's faults reports a link's.
struct LinkError : InputError {
    using InputError::InputError;
};

// Why a site's address cannot start a link (a scheme other than http, https or file; blanks,
// control characters, a fragment of its own, characters that break out of markup), if it cannot.
std::optional<std::string> site_fault(std::string_view site);

// The fragment's value alone (what follows "#play=").
std::string link_payload(std::uint32_t seed, const std::vector<KeyEvent>& events);
// The whole link: `site` (the page's address, with no fragment) then "#play=" and the payload.
std::string game_link(const std::string& site, std::uint32_t seed, const std::vector<KeyEvent>& events);

// Whether the text is meant as a link rather than an input file's name or text.
bool is_game_link(std::string_view text);
// The game in a whole link, a "#play=..." fragment or a payload alone, checked as an input file
// is (stamps that never go back, key codes of 16 bits) and more (the check, the format): the
// seed is always there. Throws LinkError.
InputScript read_game_link(std::string_view link);

}  // namespace kx
