// The ending: the craft flies off, cloud and ground sink, the window turns black and the staff
// roll rises page by page until "THE END" stands still.
#include "sequences/sequences.h"

namespace kx {
namespace {

constexpr int kFlyOffStep = 10;
constexpr int kFlownOffPast = 500;
constexpr float kSinkStep = 10;
constexpr float kSunkPast = 500;
constexpr int kRollStep = 3;
constexpr int kPageX = 120;
constexpr int kSecondLineBelow = 30;
constexpr int kPageEndsAbove = -100;
constexpr int kLastPageStopsAbove = 120;
constexpr Rgb kBlack{0, 0, 0};

struct Page {
    const char* heading;
    const char* name;  // null: Label2 keeps its text and is not moved
    int next_start;    // lasery for the following page
};

// Pages for endmode 2 to 7; the texts carry their own leading blanks.
constexpr Page kPages[] = {
    {"     ＳＴＡＦＦ", nullptr, 400},           {"ぐらふぃっくでざいん", "  こんぺいたろうず", 300},
    {"    ぷろぐらむ", "こんぺいたろうず", 300}, {"    おんがく", "  ならないヾ(^^;)", 300},
    {"    かんとく", "こんぺいたろうず", 300},   {"  ＴＨＥ ＥＮＤ", nullptr, 0},
};
constexpr int kFirstPageMode = 2;
constexpr int kLastPageMode = 7;
constexpr int kStopMode = 8;

void fly_off(Game& g) {
    GameState& s = g.s;
    s.jikix = s.jikix + kFlyOffStep;
    g.form1.jiki.place(s.jikix, s.jikiy);
    if (s.jikix > kFlownOffPast) s.endmode = 1;
}

void sink_scenery(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    s.kumoy = s.kumoy + kSinkStep;
    f.kumo.place(s.kumox, s.kumoy);
    s.jimeny = s.jimeny + int(kSinkStep);
    f.jimen.place(-30, s.jimeny);
    if (s.kumoy > kSunkPast) {
        f.set_background(kBlack);  // also wipes the last score line
        f.set_persistent(false);
        s.lasery = 400;
        s.endmode = kFirstPageMode;
    }
}

void roll_page(Game& g, int mode) {
    GameState& s = g.s;
    Form1& f = g.form1;
    const Page& page = kPages[mode - kFirstPageMode];
    f.Label1.set_text(page.heading);
    if (page.name) f.Label2.set_text(page.name);
    s.lasery = s.lasery - kRollStep;
    f.Label1.place(kPageX, s.lasery);
    if (page.name) f.Label2.place(kPageX, s.lasery + kSecondLineBelow);
    if (mode == kLastPageMode) {
        if (s.lasery < kLastPageStopsAbove) s.endmode = kStopMode;
    } else if (s.lasery < kPageEndsAbove) {
        s.lasery = page.next_start;
        s.endmode = mode + 1;
    }
}

}  // namespace

void ending(Game& g) {
    g.form1.Timer1.set_interval(0);
    g.form1.Timer2.set_interval(0);
    g.form1.Timer3.set_interval(1);
}

void Timer3_Timer(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    for (ImageSprite& bullet : f.tela) bullet.hide();
    f.power.hide();
    f.laser.hide();
    // The steps run in order within one tick: a step that advances endmode is followed at once
    // by the step it advances to.
    if (s.endmode == 0) fly_off(g);
    if (s.endmode == 1) sink_scenery(g);
    for (int mode = kFirstPageMode; mode <= kLastPageMode; ++mode)
        if (s.endmode == mode) roll_page(g, mode);
    if (s.endmode == kStopMode) {
        f.Timer1.set_interval(0);
        f.Timer2.set_interval(0);
        f.Timer3.set_interval(0);
    }
}

}  // namespace kx
