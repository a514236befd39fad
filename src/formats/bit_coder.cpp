// The range coder's arithmetic: 32-bit range, probabilities of 11 bits that move a 32nd of the
// way towards each answer, carries kept back in a cache byte.
#include "formats/bit_coder.h"

namespace kx {
namespace {

constexpr int kProbabilityBits = 11;
constexpr int kMoveBits = 5;
constexpr std::uint32_t kTop = 1u << 24;

}  // namespace

void BitEncoder::shift_low() {
    if (low_ < 0xFF000000ULL || low_ >= (1ULL << 32)) {
        const auto carry = std::uint8_t(low_ >> 32);
        std::uint8_t byte = cache_;
        do {
            out_.push_back(char(std::uint8_t(byte + carry)));
            byte = 0xFF;
        } while (--cache_size_ != 0);
        cache_ = std::uint8_t(low_ >> 24);
    }
    ++cache_size_;
    low_ = (low_ & 0x00FFFFFFULL) << 8;
}

void BitEncoder::bit(BitModel& model, int bit) {
    const std::uint32_t bound = (range_ >> kProbabilityBits) * model.p0;
    if (bit == 0) {
        range_ = bound;
        model.p0 = std::uint16_t(model.p0 + (((1u << kProbabilityBits) - model.p0) >> kMoveBits));
    } else {
        low_ += bound;
        range_ -= bound;
        model.p0 = std::uint16_t(model.p0 - (model.p0 >> kMoveBits));
    }
    while (range_ < kTop) {
        range_ <<= 8;
        shift_low();
    }
}

void BitEncoder::plain_bit(int bit) {
    range_ >>= 1;
    if (bit) low_ += range_;
    while (range_ < kTop) {
        range_ <<= 8;
        shift_low();
    }
}

std::string BitEncoder::finish() {
    for (int i = 0; i < 5; ++i) shift_low();
    // The first byte out is the cache's starting zero: it says nothing.
    std::string bytes = out_.substr(1);
    while (!bytes.empty() && bytes.back() == 0) bytes.pop_back();
    return bytes;
}

BitDecoder::BitDecoder(std::string_view bytes) : bytes_(bytes) {
    for (int i = 0; i < 4; ++i) code_ = (code_ << 8) | next_byte();
}

std::uint8_t BitDecoder::next_byte() {
    const std::size_t at = read_++;
    return at < bytes_.size() ? std::uint8_t(bytes_[at]) : 0;
}

int BitDecoder::bit(BitModel& model) {
    const std::uint32_t bound = (range_ >> kProbabilityBits) * model.p0;
    int bit;
    if (code_ < bound) {
        range_ = bound;
        model.p0 = std::uint16_t(model.p0 + (((1u << kProbabilityBits) - model.p0) >> kMoveBits));
        bit = 0;
    } else {
        code_ -= bound;
        range_ -= bound;
        model.p0 = std::uint16_t(model.p0 - (model.p0 >> kMoveBits));
        bit = 1;
    }
    while (range_ < kTop) {
        range_ <<= 8;
        code_ = (code_ << 8) | next_byte();
    }
    return bit;
}

int BitDecoder::plain_bit() {
    range_ >>= 1;
    int bit = 0;
    if (code_ >= range_) {
        code_ -= range_;
        bit = 1;
    }
    while (range_ < kTop) {
        range_ <<= 8;
        code_ = (code_ << 8) | next_byte();
    }
    return bit;
}

}  // namespace kx
