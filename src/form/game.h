// The game as the platform drives it: the state record, the window with its elements, and the
// few services that the game needs from outside (random numbers, the message box).
#pragma once

#include <cmath>
#include <string>

#include "form/form1.h"
#include "form/game_state.h"
#include "form/parking.h"

namespace kx {

class GameServices {
public:
    virtual ~GameServices() = default;
    // Starts a fresh random sequence; every reset calls it.
    virtual void reseed() = 0;
    // A random number r with 0 <= r < 1.
    virtual double rnd() = 0;
    // A modal box with one OK button and no icon; returns once the player has closed it.
    virtual void message_box(const std::string& prompt, const std::string& title) = 0;
};

struct Game {
    Game(GameServices& services, TextRasterizer* metrics) : form1(metrics), platform(services) {}

    GameState s;
    Form1 form1;
    GameServices& platform;
};

// The largest whole number not above x: every position the game computes from a product is cut so.
inline int cut(double x) { return int(std::floor(x)); }

// Resets the state and the sprites and draws the title (at program start and after a game over).
void Form_Initialize(Game& g);
// Turns the box sprite laser into the title canvas and prints the title on it.
void draw_title(Game& g);

}  // namespace kx
