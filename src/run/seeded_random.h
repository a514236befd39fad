// The game's random numbers: a Mersenne Twister reseeded at every reset with base + k, where k
// counts the resets of the run, so every game is fresh and every run can be replayed exactly.
#pragma once

#include <cstdint>
#include <random>

namespace kx {

class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t base) : base_(base) {}

    void reseed() {
        generator_.seed(std::uint32_t(base_ + resets_));  // wraps modulo 2^32
        ++resets_;
    }
    // One 32-bit output per number: 0 <= r < 1.
    double next() { return double(generator_()) / 4294967296.0; }
    std::uint32_t base() const { return base_; }

private:
    std::uint32_t base_;
    std::uint32_t resets_ = 0;
    std::mt19937 generator_;
};

}  // namespace kx
