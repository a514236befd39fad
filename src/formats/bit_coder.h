// An adaptive binary range coder: each yes/no is coded in about as many bits as it is surprising,
// by a probability that learns from the answers before it. A game's links are short because most
// of what a player does is predictable (a key goes up after it went down, steps of a few ticks).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx {

// The chance of a 0, learnt as the answers come; encoder and decoder keep the same ones.
struct BitModel {
    std::uint16_t p0 = 1 << 10;  // out of 2048
};

class BitEncoder {
public:
    void bit(BitModel& model, int bit);
    // A bit with no model: both halves as likely.
    void plain_bit(int bit);
    // The bytes so far and the last ones that pin the final range. A decoder reads zeros past
    // its bytes, so trailing zeros are left out.
    std::string finish();

private:
    void shift_low();
    std::uint64_t low_ = 0;
    std::uint32_t range_ = 0xFFFFFFFF;
    std::uint8_t cache_ = 0;
    std::uint64_t cache_size_ = 1;
    std::string out_;
};

class BitDecoder {
public:
    explicit BitDecoder(std::string_view bytes);
    int bit(BitModel& model);
    int plain_bit();

private:
    std::uint8_t next_byte();
    std::string_view bytes_;
    std::size_t read_ = 0;
    std::uint32_t range_ = 0xFFFFFFFF;
    std::uint32_t code_ = 0;
};

}  // namespace kx
