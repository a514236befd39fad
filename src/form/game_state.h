// The game-state record: every variable of the game, owned by the window, all 0 at program start.
#pragma once

#include <array>
#include <cstdint>

namespace kx {

using Slots = std::array<int, 3>;  // one element per enemy slot 0..2

struct GameState {
    int i = 0;                   // enemy slot counter 0..2, shared by the play tick, tekishoki and the reset
    int jikix = 0, jikiy = 0;    // craft's top-left corner, window units
    int jikidx = 0, jikidy = 0;  // craft's speed per tick: -7, 0 or +7
    int powerflag = 0;           // 1 while the craft carries the power-up
    int score = 0;               // 0..99 in play
    int laserx = 0,
        lasery = 0;   // shot's top-left; laserx above 400: no shot in flight. lasery: the staff roll's y in the ending
    int kumox = 0;    // cloud x
    float kumoy = 0;  // cloud y, a whole number held in single precision
    std::int64_t firecount = 0;           // ticks since the explosion was last placed; grows without limit
    int j = 0;                            // counter of the boss routine's picture loop
    int jimeny = 0;                       // ground y (moved by the ending)
    int powerx = 0;                       // power-up x; -50 when parked
    float powery = 0;                     // power-up y, a whole number held in single precision
    int powercount = 0;                   // ticks of the power-up cycle, 0..500 between ticks
    int bossy = 0;                        // boss top
    int bossdy = 0;                       // boss step per call: +1 or -1 (0 before its first setting)
    int bossdamage = 0;                   // counted hits on the current boss, 0..5
    std::int64_t bossflash = 0;           // boss calls since the last counted hit; grows without limit
    int bossr = 0, bossg = 0, bossb = 0;  // the stage's boss colour, 0..255 each
    int bosshitx = 0;                     // left limit of the weak spot's zone, window units
    int bosshity = 0;                     // weak spot's centre line below the boss's top
    int gamemode = 0;                     // 0 title and transition, 1 play and ending
    int endmode = 0;                      // step of the ending, 0..8

    Slots ahirux{}, ahiruy{};            // duck top-left corners
    std::array<double, 3> ahiruangle{};  // flight phase, radians; only ever grows
    Slots ahirucx{}, ahirucy{};          // centre of a circling flight
    Slots telax{}, telay{};              // bullet top-left corners
    Slots teladir{};                     // bullet's vertical direction: -1, 0, +1
    Slots ahirutype{};                   // 0 straight, 1 bouncing, 2 circling
};

}  // namespace kx
