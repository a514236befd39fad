// trig_check: the duck flight's exact whole-number sines (enemies/exact_trig.h) against the C
// library's floor(sin(a) * k), over every angle that recorded games reach and ten million more.
//
//   trig_check [--extra N] INPUT...
//
//   for s in $(seq 20); do build/default/tools/autopilot/autopilot --seed $s --out /tmp/pilot_$s.txt; done
//   build/default/tools/trig_check/trig_check /tmp/pilot_*.txt tests/replays/*.txt
//
// Each INPUT is a replay input file with its seed line, played headless to its end. The N extra
// angles (default 10,000,000) are the flight's own sums of 0.05 and 0.1 from 0, kinds changing as
// launches change them; random angles over 45 hours of play (2^20 radians) and on to the end of the
// exact range (2^30); and angles beside quarter turns, where the C library's sine is often rounded
// to 1 and its cut of k is one too many. Every other disagreement is printed with its angle (the
// exact cut is the true one); of those roundings to 1 the first ten of each part. Then how near
// the products came to a whole number and how far the sines strayed. Exits 1 on a disagreement
// other than a rounding to 1, or a bound of exact_trig.h not met.
#include <algorithm>
#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "enemies/exact_trig.h"
#include "formats/input_script.h"
#include "run/replay_feed.h"
#include "run/session.h"

namespace {

struct Product {
    const char* name;
    int k;
    bool cosine;
};
constexpr Product kProducts[] = {{"sin", 150, false}, {"sin", 50, false}, {"cos", 50, true}};

// The bounds that the cuts rely on (exact_trig.h): the quick sine's error, and the distance from
// a whole number within which the extended sine decides.
constexpr double kQuickBound = 0x1p-50;
constexpr double kQuickMargin = 0x1p-32;
constexpr std::int64_t kShownRoundings = 10;  // of the C library's roundings to 1, in each part

struct Tally {
    const char* what;
    std::int64_t angles = 0, disagreements = 0, rounded_to_one = 0, extended_cuts = 0;
    // How close a true product came to a whole number other than 0 and +-k, where the extended
    // value's own error could matter, and to 0 or +-k, where it keeps its sign and side.
    double nearest_inner = INFINITY, nearest_inner_angle = 0;
    double nearest_edge = INFINITY, nearest_edge_angle = 0;
    double quick_error = 0, quick_error_angle = 0;  // largest |quick - true|
    double libc_ulps = 0, libc_ulps_angle = 0;      // largest |C library - true|, in its last places
};

// |x - true value|, with the extended value standing for the true one.
double error_of(double x, kx::ExtendedValue e) { return std::fabs((x - e.hi) - e.lo); }

void note_least(double value, double a, double& least, double& where) {
    if (value < least) least = value, where = a;
}
void note_most(double value, double a, double& most, double& where) {
    if (value > most) most = value, where = a;
}

void check(double a, Tally& t) {
    ++t.angles;
    const kx::ExtendedValue ext[2] = {kx::extended_sin(a), kx::extended_cos(a)};
    const double quick[2] = {kx::quick_sin(a), kx::quick_cos(a)};
    const double libc[2] = {std::sin(a), std::cos(a)};
    for (int c = 0; c < 2; ++c) {
        note_most(error_of(quick[c], ext[c]), a, t.quick_error, t.quick_error_angle);
        const double ulp = std::fabs(libc[c]) - std::nextafter(std::fabs(libc[c]), 0.0);
        note_most(error_of(libc[c], ext[c]) / ulp, a, t.libc_ulps, t.libc_ulps_angle);
    }
    for (const Product& p : kProducts) {
        const int ours = p.cosine ? kx::cut_cos_times(a, p.k) : kx::cut_sin_times(a, p.k);
        const int theirs = int(std::floor(libc[p.cosine] * p.k));
        if (ours != theirs) {
            // Beside a quarter turn the C library may round the sine to 1, which no angle but 0 has.
            const bool rounded_to_one = libc[p.cosine] == 1 && a != 0 && ours == p.k - 1;
            ++(rounded_to_one ? t.rounded_to_one : t.disagreements);
            if (!rounded_to_one || t.rounded_to_one <= kShownRoundings)
                std::printf("%s: floor(%s(a) * %d) at a = %.17g (%a): exact %d, C library %d%s\n", t.what, p.name, p.k,
                            a, a, ours, theirs, rounded_to_one ? " (its sine rounded to 1)" : "");
        }
        const double quick_product = quick[p.cosine] * p.k;
        if (std::fabs(quick_product - std::round(quick_product)) <= kQuickMargin) ++t.extended_cuts;
        if (a == 0) continue;  // sin 0 = 0 and cos 0 = 1: whole products, exactly
        const kx::ExtendedValue e = ext[p.cosine];
        const double whole = std::round(e.hi * p.k);
        const double distance = std::fabs(std::fma(double(p.k), e.hi, -whole) + e.lo * p.k);
        if (whole == 0 || std::fabs(whole) == p.k)
            note_least(distance, a, t.nearest_edge, t.nearest_edge_angle);
        else
            note_least(distance, a, t.nearest_inner, t.nearest_inner_angle);
    }
}

// Every flight angle of a replayed game, after each tick period (a superset of those flown).
std::vector<double> game_angles(const kx::InputScript& script) {
    kx::Session session(*script.seed, nullptr);
    session.start();
    kx::ReplayFeed feed(script.events);
    std::vector<double> angles;
    for (;;) {
        if (const kx::KeyEvent* e = feed.due(session.ticks(), session.any_timer_running())) {
            session.key(e->down, e->code);
            feed.pop();
            continue;
        }
        if (!session.any_timer_running()) break;
        session.run_period();
        const auto& s = session.game().s;
        angles.insert(angles.end(), s.ahiruangle.begin(), s.ahiruangle.end());
    }
    return angles;
}

// The extra angles, in three parts. `part` is a tenth of them.
void check_steps(std::int64_t part, Tally& t) {
    double a = 0;
    for (std::int64_t i = 0; i < 3 * part; ++i) check(a = a + 0.05, t);  // a bouncing duck forever
    a = 0;
    for (std::int64_t i = 0; i < 3 * part; ++i) check(a = a + 0.1, t);  // a circling one
    // A slot whose kind changes at each launch: 100 to 400 ticks straight, bouncing or circling.
    std::mt19937_64 bits(3);
    a = 0;
    for (std::int64_t i = 0; i < 2 * part;) {
        const double step = std::array{0.0, 0.05, 0.1}[bits() % 3];
        for (std::uint64_t left = 100 + bits() % 300; left > 0 && i < 2 * part; --left) {
            a = a + step;
            if (step != 0) check(a, t), ++i;
        }
    }
}
double uniform(std::mt19937_64& bits, double low, double high) {
    return low + double(bits() >> 11) * 0x1p-53 * (high - low);
}
void check_random(std::int64_t part, Tally& t) {
    std::mt19937_64 bits(2);
    for (std::int64_t i = 0; i < part; ++i) check(uniform(bits, 0, 0x1p20), t);
    for (std::int64_t i = 0; i < part / 2; ++i) check(uniform(bits, 0x1p20, 0x1p30), t);
}
// Angles that the game hardly comes near, where the rest after the quarter turns is smallest and
// the C library's sine is often rounded to 1: a check of the reduction.
void check_quarter_turns(std::int64_t part, Tally& t) {
    std::mt19937_64 bits(4);
    const double quarter_turn = 1.5707963267948966;
    for (std::int64_t i = 0; i < part / 2; ++i) check(double(1 + bits() % 683565275) * quarter_turn, t);
}

void report(const Tally& t) {
    std::printf("%s: %" PRId64 " angles, %" PRId64 " disagreements, %" PRId64
                " where the C library's sine was rounded to 1, %" PRId64 " cuts decided by the extended sine\n",
                t.what, t.angles, t.disagreements, t.rounded_to_one, t.extended_cuts);
    if (t.nearest_inner < INFINITY)
        std::printf("  nearest to a whole number but 0 and +-k: %.3g (2^%.1f) at a = %.17g\n", t.nearest_inner,
                    std::log2(t.nearest_inner), t.nearest_inner_angle);
    if (t.nearest_edge < INFINITY)
        std::printf("  nearest to 0 or +-k: %.3g (2^%.1f) at a = %.17g\n", t.nearest_edge, std::log2(t.nearest_edge),
                    t.nearest_edge_angle);
    std::printf("  quick sine's largest error: 2^%.1f at a = %.17g\n", std::log2(t.quick_error), t.quick_error_angle);
    std::printf("  C library's largest error: %.3f of its last place at a = %.17g\n", t.libc_ulps, t.libc_ulps_angle);
}

// The extended product is within 150 * 2^-100 of the true one, so a cut is sure where the
// product is further than 2^-90 from a whole number; at 0 and +-k its sign and side are sure.
bool within_bounds(const Tally& t) {
    return t.disagreements == 0 && t.quick_error <= kQuickBound && !(t.nearest_inner <= 0x1p-90);
}

}  // namespace

int main(int argc, char** argv) {
    std::int64_t extra = 10'000'000;
    std::vector<std::string> inputs;
    for (int n = 1; n < argc; ++n) {
        const std::string arg = argv[n];
        if (arg == "--extra" && n + 1 < argc)
            extra = std::strtoll(argv[++n], nullptr, 10);
        else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "usage: trig_check [--extra N] INPUT...\n");
            return 2;
        } else
            inputs.push_back(arg);
    }
    std::vector<double> angles;
    try {
        for (const std::string& path : inputs) {
            const kx::InputScript script = kx::read_input_script(path);
            if (!script.seed) throw kx::InputError(path + ": no seed line");
            const std::vector<double> more = game_angles(script);
            angles.insert(angles.end(), more.begin(), more.end());
        }
    } catch (const kx::InputError& e) {
        std::fprintf(stderr, "trig_check: %s\n", e.what());
        return 2;
    }
    std::sort(angles.begin(), angles.end());
    angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
    Tally games{"the games' angles"}, steps{"step sums"}, random{"random angles"}, quarters{"beside quarter turns"};
    for (double a : angles) check(a, games);
    const std::int64_t part = extra / 10;
    check_steps(part, steps);
    check_random(part, random);
    check_quarter_turns(part, quarters);

    if (!angles.empty()) std::printf("%zu games, largest angle %.17g\n", inputs.size(), angles.back());
    bool ok = true;
    for (const Tally* t : {&games, &steps, &random, &quarters}) {
        if (t->angles == 0) continue;
        report(*t);
        ok = ok && within_bounds(*t);
    }
    std::printf("%s\n", ok ? "every cut agrees or is explained, within the bounds" : "FAILED");
    return ok ? 0 : 1;
}
