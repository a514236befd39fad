// The title screen: text printed on the box sprite laser, stretched over the whole view.
#include "form/game.h"

namespace kx {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightGrey{192, 192, 192};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

constexpr const char* kTitle = "きっぷら－Ｘ";
constexpr const char* kKeyLines[] = {"｢↑｣･･･up", "｢↓｣･･･down", "｢←｣･･･left", "｢→｣･･･right", "｢ Z ｣･･･missile"};
constexpr const char* kPrompt = "push any key to start";
constexpr const char* kCredit = "(c) 2026 the kippura-x team";

}  // namespace

void draw_title(Game& g) {
    BoxSprite& canvas = g.form1.laser;
    canvas.set_height(297);
    canvas.set_width(393);
    canvas.place(-1, -1);
    canvas.set_background(kBlack);  // erases the last title and the white shot box

    canvas.set_font_size(48);
    canvas.set_persistent(true);
    canvas.set_bold(true);
    canvas.set_italic(true);
    // The grey print first, the yellow one 3 pixels up and left: a shadow on the lower right.
    canvas.set_text_position(43, 33);
    canvas.set_text_colour(kLightGrey);
    canvas.print(kTitle);
    canvas.set_text_position(40, 30);
    canvas.set_text_colour(kYellow);
    canvas.print(kTitle);

    canvas.set_text_colour(kWhite);
    canvas.set_italic(false);
    int y = 110;
    for (const char* line : kKeyLines) {
        canvas.set_text_position(100, y);
        canvas.set_font_size(15);
        canvas.print(line);
        y += 20;
    }

    canvas.set_italic(true);
    canvas.set_text_position(80, 220);
    canvas.set_font_size(17);
    canvas.print(kPrompt);

    canvas.set_bold(false);
    canvas.set_italic(false);
    canvas.set_text_position(17, 260);
    canvas.set_font_size(14);
    canvas.print(kCredit);
}

}  // namespace kx
