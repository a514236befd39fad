#include "mask.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace picgen {
namespace {

// Offsets (dx, dy) of every pixel within distance r of a pixel, itself excluded.
std::vector<std::pair<int, int>> disc(double r) {
    std::vector<std::pair<int, int>> out;
    const int n = int(std::ceil(r));
    for (int dy = -n; dy <= n; ++dy)
        for (int dx = -n; dx <= n; ++dx)
            if ((dx != 0 || dy != 0) && dx * dx + dy * dy <= r * r + 1e-9) out.emplace_back(dx, dy);
    return out;
}

}  // namespace

Mask::Mask(int width, int height) : w_(width), h_(height), bits_(std::size_t(width) * std::size_t(height), 0) {}

bool Mask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return false;
    return bits_[std::size_t(y) * std::size_t(w_) + std::size_t(x)] != 0;
}

void Mask::set(int x, int y, bool on) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    bits_[std::size_t(y) * std::size_t(w_) + std::size_t(x)] = on ? 1 : 0;
}

Mask Mask::operator|(const Mask& o) const { return Mask(*this) |= o; }
Mask Mask::operator&(const Mask& o) const { return Mask(*this) &= o; }
Mask Mask::operator-(const Mask& o) const { return Mask(*this) -= o; }

Mask& Mask::operator|=(const Mask& o) {
    for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] = bits_[i] | o.bits_[i];
    return *this;
}

Mask& Mask::operator&=(const Mask& o) {
    for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] = bits_[i] & o.bits_[i];
    return *this;
}

Mask& Mask::operator-=(const Mask& o) {
    for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] = bits_[i] & (o.bits_[i] ^ 1);
    return *this;
}

Mask Mask::shrunk(double r) const {
    const auto near = disc(r);
    Mask out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (at(x, y))
                out.set(x, y,
                        std::all_of(near.begin(), near.end(), [&](auto d) { return at(x + d.first, y + d.second); }));
    return out;
}

Mask Mask::grown(double r) const {
    const auto near = disc(r);
    Mask out(*this);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (at(x, y))
                for (auto [dx, dy] : near) out.set(x + dx, y + dy);
    return out;
}

Mask Mask::moved(int dx, int dy) const {
    Mask out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (at(x, y)) out.set(x + dx, y + dy);
    return out;
}

}  // namespace picgen
