// The tap rule (see tap_rule.h).
#include "web/tap_rule.h"

namespace kx {

bool tap_presses_start(const TapMoment& tap) {
    if (tap.box_was_open || tap.box_open) return false;
    const bool title = !tap.running && !tap.replaying;
    return title || tap.paused;
}

}  // namespace kx
