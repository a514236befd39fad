// The game-state record: every variable of the game, owned by the window, all 0 at program start.
// The fields are listed once, in KX_GAME_STATE_FIELDS; the record, the trace and the checks on it
// are all made from that list, so a new field cannot miss any of them.
#pragma once

#include <array>
#include <cstdint>

namespace kx {

using Slots = std::array<int, 3>;          // one element per enemy slot 0..2
using SlotAngles = std::array<double, 3>;  // one angle per enemy slot 0..2

// X(type, name) for each field, in the order of the trace's "state" object.
// clang-format off
#define KX_GAME_STATE_FIELDS(X)                                                                                \
    X(int, i)                  /* enemy slot counter 0..2, shared by the play tick, tekishoki and the reset */ \
    X(int, jikix)              /* craft's left edge, window units */                                           \
    X(int, jikiy)              /* craft's top edge, window units */                                            \
    X(int, jikidx)             /* craft's horizontal speed per tick: -7, 0 or +7 */                            \
    X(int, jikidy)             /* craft's vertical speed per tick: -7, 0 or +7 */                              \
    X(int, powerflag)          /* 1 while the craft carries the power-up */                                    \
    X(int, score)              /* 0..99 in play */                                                             \
    X(int, laserx)             /* shot's left edge; above 400: no shot in flight */                            \
    X(int, lasery)             /* shot's top edge; the staff roll's y in the ending */                         \
    X(int, kumox)              /* cloud x */                                                                   \
    X(float, kumoy)            /* cloud y, a whole number held in single precision */                          \
    X(std::int64_t, firecount) /* ticks since the explosion was last placed; grows without limit */            \
    X(int, j)                  /* counter of the boss routine's picture loop */                                \
    X(int, jimeny)             /* ground y (moved by the ending) */                                            \
    X(int, powerx)             /* power-up x; -50 when parked */                                               \
    X(float, powery)           /* power-up y, a whole number held in single precision */                       \
    X(int, powercount)         /* ticks of the power-up cycle, 0..500 between ticks */                         \
    X(int, bossy)              /* boss top */                                                                  \
    X(int, bossdy)             /* boss step per call: +1 or -1 (0 before its first setting) */                 \
    X(int, bossdamage)         /* counted hits on the current boss, 0..5 */                                    \
    X(std::int64_t, bossflash) /* boss calls since the last counted hit; grows without limit */                \
    X(int, bossr)              /* red of the stage's boss colour, 0..255 */                                    \
    X(int, bossg)              /* green of the stage's boss colour, 0..255 */                                  \
    X(int, bossb)              /* blue of the stage's boss colour, 0..255 */                                   \
    X(int, bosshitx)           /* left limit of the weak spot's zone, window units */                          \
    X(int, bosshity)           /* weak spot's centre line below the boss's top */                              \
    X(int, gamemode)           /* 0 title and transition, 1 play and ending */                                 \
    X(int, endmode)            /* step of the ending, 0..8 */                                                  \
    X(Slots, ahirux)           /* duck left edges */                                                           \
    X(Slots, ahiruy)           /* duck top edges */                                                            \
    X(SlotAngles, ahiruangle)  /* flight phase, radians; only ever grows */                                    \
    X(Slots, ahirucx)          /* centre x of a circling flight */                                             \
    X(Slots, ahirucy)          /* centre y of a circling flight */                                             \
    X(Slots, telax)            /* bullet left edges */                                                         \
    X(Slots, telay)            /* bullet top edges */                                                          \
    X(Slots, teladir)          /* bullet's vertical direction: -1, 0, +1 */                                    \
    X(Slots, ahirutype)        /* 0 straight, 1 bouncing, 2 circling */
// clang-format on

struct GameState {
#define KX_DECLARE_FIELD(type, name) type name{};
    KX_GAME_STATE_FIELDS(KX_DECLARE_FIELD)
#undef KX_DECLARE_FIELD

    bool operator==(const GameState&) const = default;
};

}  // namespace kx
