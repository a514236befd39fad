// form1: the game's one window with its eighteen elements, as the program creates them.
#pragma once

#include <array>
#include <variant>
#include <vector>

#include "elements/elements.h"

namespace kx {

class Form1 : public WindowSurface {
public:
    explicit Form1(TextRasterizer* metrics = nullptr);
    // A copy holds every element's state (a snapshot to go back to); its stacking order is its own.
    Form1(const Form1& other);
    Form1& operator=(const Form1& other);

    // Declared in the window's element order; the ids of the element table are in the comments.
    BoxSprite laser;                   // 1: the title canvas, then the player's shot
    Timer Timer3;                      // 2: the ending
    Timer Timer2;                      // 3: the start-of-play transition
    BoxSprite boss;                    // 4
    Timer Timer1;                      // 5: the play tick
    TextLabel Label2;                  // 6: second line of the staff roll
    TextLabel Label1;                  // 7: first line of the staff roll
    ImageSprite fire;                  // 8: the explosion
    ImageSprite jiki;                  // 9: the player's craft
    std::array<ImageSprite, 5> bossi;  // 10: hidden stock of the boss pictures
    std::array<ImageSprite, 3> ahiru;  // 11: the three ducks
    std::array<ImageSprite, 5> tsh;    // 12: hidden stock of the duck pictures
    ImageSprite jimen;                 // 13: the ground
    ImageSprite kippura;               // 14: hidden stock: the chick
    ImageSprite niwatori;              // 15: hidden stock: the hen
    ImageSprite power;                 // 16: the power-up item
    std::array<ImageSprite, 3> tela;   // 17: the ducks' bullets
    ImageSprite kumo;                  // 18: the cloud

    // The middle drawing layer, sprites and labels, the topmost first.
    using Layer2Item = std::variant<const ImageSprite*, const TextLabel*>;
    const std::vector<Layer2Item>& layer2_top_first() const { return layer2_; }
    // The top layer: the box sprites, the topmost first (laser above boss).
    std::array<const BoxSprite*, 2> box_sprites_top_first() const { return {&laser, &boss}; }

private:
    std::vector<Layer2Item> layer2_;
};

}  // namespace kx
