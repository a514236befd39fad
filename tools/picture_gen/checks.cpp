#include "checks.h"

#include <algorithm>
#include <map>
#include <optional>

namespace picgen {
namespace {

struct Expect {
    int w, h;
    bool figure;  // cyan background, so cyan corners
};

const std::map<std::string, Expect> kExpect{
    {"chick", {32, 32, true}},     {"hen", {32, 32, true}},     {"enemy0", {32, 32, true}},
    {"enemy1", {32, 32, true}},    {"enemy2", {32, 32, true}},  {"enemy3", {32, 32, true}},
    {"enemy4", {32, 32, true}},    {"boss0", {150, 150, true}}, {"boss1", {150, 150, true}},
    {"boss2", {150, 150, true}},   {"boss3", {150, 150, true}}, {"boss4", {150, 150, true}},
    {"explosion", {32, 32, true}}, {"powerup", {32, 32, true}}, {"ground", {450, 30, false}},
    {"bullet", {10, 10, false}},   {"cloud", {32, 13, true}},   {"icon", {32, 32, false}},
};

// The weak spot of each boss: the red pixels of row y run from left(y) to right(y).
struct Spot {
    Rgb body;
    int x0, y0, x1, y1;
    bool slanted;
};

const std::map<std::string, Spot> kSpots{
    {"boss0", {{255, 255, 255}, 35, 110, 42, 130, false}}, {"boss1", {{255, 181, 82}, 22, 103, 29, 123, false}},
    {"boss2", {{132, 132, 132}, 36, 84, 43, 104, false}},  {"boss3", {{255, 255, 255}, 35, 110, 42, 130, false}},
    {"boss4", {{255, 255, 0}, 23, 100, 40, 120, true}},
};

std::optional<Rgb> colour_at(const Canvas& c, int x, int y) { return c.swatch(c.at(x, y)).colour; }

}  // namespace

std::vector<std::string> check_pictures(const std::vector<Picture>& pictures) {
    std::vector<std::string> problems;
    auto fail = [&](const Picture& p, const std::string& what) { problems.push_back(p.name + ": " + what); };
    const Rgb cyan{0, 255, 255}, red{255, 0, 0};

    for (const Picture& p : pictures) {
        const Canvas& c = p.canvas;
        const auto it = kExpect.find(p.name);
        if (it == kExpect.end()) {
            fail(p, "not a picture of the game");
            continue;
        }
        const Expect e = it->second;
        if (c.width() != e.w || c.height() != e.h) fail(p, "wrong size");
        const int cx[] = {0, c.width() - 1}, cy[] = {0, c.height() - 1};
        for (int x : cx)
            for (int y : cy) {
                if (e.figure && colour_at(c, x, y) != cyan) fail(p, "a corner is not cyan");
                if (p.name == "icon" && colour_at(c, x, y)) fail(p, "a corner is not masked out");
            }
        if (!e.figure && p.name != "icon") {
            for (int y = 0; y < c.height(); ++y)
                for (int x = 0; x < c.width(); ++x)
                    if (c.at(x, y) != c.at(0, 0)) fail(p, "is not one plain colour");
        }

        const auto spot = kSpots.find(p.name);
        if (spot == kSpots.end()) {
            if (c.transparent()) fail(p, "only bosses have a see-through colour");
            continue;
        }
        const Spot& s = spot->second;
        if (c.transparent() != s.body) fail(p, "see-through colour differs from the stage's boss colour");
        int minx = 1 << 20, maxx = -1, miny = 1 << 20, maxy = -1;
        bool body_seen = false;
        for (int y = 0; y < c.height(); ++y) {
            int row_first = -1, row_last = -1, row_count = 0;
            for (int x = 0; x < c.width(); ++x) {
                const auto colour = colour_at(c, x, y);
                if (colour == s.body) body_seen = true;
                if (colour != red) continue;
                if (row_first < 0) row_first = x;
                row_last = x;
                ++row_count;
                minx = std::min(minx, x), maxx = std::max(maxx, x);
                miny = std::min(miny, y), maxy = std::max(maxy, y);
            }
            if (row_count && row_count != row_last - row_first + 1) fail(p, "weak spot has a gap");
            if (!s.slanted && row_count && (row_first != s.x0 || row_last != s.x1))
                fail(p, "weak spot row out of place");
        }
        if (minx != s.x0 || maxx != s.x1 || miny != s.y0 || maxy != s.y1) fail(p, "weak spot extent is wrong");
        if (!body_seen) fail(p, "no body in the see-through colour");
        // The mark must lie on the boss's breast: no sky right next to it.
        for (int y = s.y0; y <= s.y1; ++y)
            for (int x = s.x0; x <= s.x1; ++x) {
                if (colour_at(c, x, y) != red) continue;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (colour_at(c, x + dx, y + dy) == cyan)
                            fail(p, "weak spot touches the sky at " + std::to_string(x) + "," + std::to_string(y));
            }
    }
    return problems;
}

}  // namespace picgen
