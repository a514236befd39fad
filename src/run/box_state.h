// The game-over box while it is open: the box the game asked for, when it opened, the key whose
// release closes it, and whether the pointer went down on OK.
#pragma once

#include <cstdint>
#include <memory>

#include "run/pending_box.h"

namespace kx {

class BoxState {
public:
    // A box that nobody plays (a replay's, or a run with a tick limit) closes by itself after
    // this long: a replay is watched, not played.
    static constexpr std::int64_t kWatchedNs = 1'000'000'000;

    void open(std::unique_ptr<PendingBox> box, std::int64_t now);
    void close();
    bool is_open() const { return box_ != nullptr; }
    // The box shown, or null.
    const PendingBox* box() const { return box_.get(); }
    // When a box nobody plays closes by itself.
    std::int64_t closes_at() const { return opened_ + kWatchedNs; }

    // A fresh press of a key that closes the box: the box closes on its release.
    void arm(int code) { key_ = code; }
    bool closed_by(int released) const { return key_ != 0 && released == key_; }
    // A pointer pressed on OK and released on it closes the box: pointer_up() says so.
    void pointer_down(int x, int y);
    bool pointer_up(int x, int y);
    bool ok_held() const { return ok_held_; }

private:
    std::unique_ptr<PendingBox> box_;
    std::int64_t opened_ = 0;
    int key_ = 0;
    bool ok_held_ = false;
};

}  // namespace kx
