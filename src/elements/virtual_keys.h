// The desktop's virtual key codes: what key events carry to the game, what recorded replays name,
// and what every front end translates its own keys into.
#pragma once

namespace kx {

constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyReturn = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyControl = 17;
constexpr int kKeyAlt = 18;
constexpr int kKeyPause = 19;
constexpr int kKeyCapsLock = 20;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;  // the arrows steer the craft
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
constexpr int kKey0 = 48;  // '0'..'9' are 48..57
constexpr int kKeyA = 65;  // 'A'..'Z' are 65..90
constexpr int kKeyP = 80;
constexpr int kKeyZ = 90;        // fires the shot
constexpr int kKeyNumpad0 = 96;  // the keypad's digits are 96..105
constexpr int kKeyNumpadMultiply = 106;
constexpr int kKeyNumpadAdd = 107;
constexpr int kKeyNumpadSubtract = 109;
constexpr int kKeyNumpadDecimal = 110;
constexpr int kKeyNumpadDivide = 111;
constexpr int kKeyF1 = 112;   // F1..F12 are 112..123
constexpr int kKeyF11 = 122;  // toggles fullscreen: the window's, never the game's
// The punctuation keys, by their place on a US keyboard.
constexpr int kKeySemicolon = 186;
constexpr int kKeyEqual = 187;
constexpr int kKeyComma = 188;
constexpr int kKeyMinus = 189;
constexpr int kKeyPeriod = 190;
constexpr int kKeySlash = 191;
constexpr int kKeyBackquote = 192;
constexpr int kKeyBracketLeft = 219;
constexpr int kKeyBackslash = 220;
constexpr int kKeyBracketRight = 221;
constexpr int kKeyQuote = 222;
constexpr int kKeyOther = 255;  // a key without a code of its own: it still starts the game

}  // namespace kx
