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
    // Asks for a modal box with one OK button and no icon. The request is posted: it returns at
    // once, and the front end shows the box over the frame as it stands and runs nothing until
    // the player has closed it. Nothing the rules do after the request depends on the box.
    virtual void message_box(const std::string& prompt, const std::string& title) = 0;
};

struct Game {
    Game(GameServices& services, TextRasterizer* metrics) : form1(metrics), services(services) {}

    GameState s;
    Form1 form1;
    GameServices& services;  // random numbers and the game-over box, provided by the run
};

// The largest whole number not above x: every position the game computes from a product is cut so.
inline int cut(double x) { return int(std::floor(x)); }

// Resets the state and the sprites and draws the title (at program start and after a game over).
void Form_Initialize(Game& g);
// Turns the box sprite laser into the title canvas and prints the title on it.
void draw_title(Game& g);

}  // namespace kx
