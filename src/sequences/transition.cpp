// Timer2_Timer: the craft flies in from the left before play begins.
#include "sequences/sequences.h"

namespace kx {
namespace {

constexpr int kFlyInStep = 5;
constexpr int kPlayStartsPast = 50;

}  // namespace

void Timer2_Timer(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    s.jikix = s.jikix + kFlyInStep;
    f.jiki.place(s.jikix, s.jikiy);
    if (s.jikix > kPlayStartsPast) {
        f.Timer1.set_interval(1);
        f.Timer2.set_interval(0);
        s.gamemode = 1;
    }
}

}  // namespace kx
