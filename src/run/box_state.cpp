#include "run/box_state.h"

#include <utility>

#include "draw/overlays.h"

namespace kx {

void BoxState::open(std::unique_ptr<PendingBox> box, std::int64_t now) {
    box_ = std::move(box);
    opened_ = now;
    key_ = 0;
    ok_held_ = false;
}

void BoxState::close() { open(nullptr, 0); }

void BoxState::pointer_down(int x, int y) { ok_held_ = is_open() && kBoxOkButton.contains(x, y); }

bool BoxState::pointer_up(int x, int y) {
    const bool on_ok = ok_held_ && kBoxOkButton.contains(x, y);
    ok_held_ = false;
    return is_open() && on_ok;
}

}  // namespace kx
