#include "run/watch_controls.h"

#include "elements/virtual_keys.h"

namespace kx {

WatchKey watch_key(int code) {
    using Does = WatchKey::Does;
    constexpr int kSecondsPerPress = 5;
    if (code == kKeySpace || code == kKeyP || code == kKeyPause) return {Does::pause};
    if (code == kKeyPeriod || code == kKeyNumpadDecimal) return {Does::step};
    if (code == kKeyUp || code == kKeyNumpadAdd) return {Does::faster};
    if (code == kKeyDown || code == kKeyNumpadSubtract) return {Does::slower};
    if (code == kKeyLeft) return {Does::seek_by_seconds, -kSecondsPerPress};
    if (code == kKeyRight) return {Does::seek_by_seconds, kSecondsPerPress};
    if (code == kKeyHome) return {Does::seek_to_tenth, 0};
    if (code == kKeyEnd) return {Does::seek_to_end};
    if (code >= kKey0 && code <= kKey0 + 9) return {Does::seek_to_tenth, code - kKey0};
    if (code >= kKeyNumpad0 && code <= kKeyNumpad0 + 9) return {Does::seek_to_tenth, code - kKeyNumpad0};
    return {};
}

std::string watch_title(const WatchTitle& at, const std::string& caption) {
    std::string title = "REPLAY ";
    title += at.paused ? "paused" : kWatchSpeeds[std::size_t(at.speed)].label;
    title += " | tick " + std::to_string(at.tick) + " of " + std::to_string(at.end);
    title += " | score " + std::to_string(at.score);
    title += " | ";
    title += caption;
    return title;
}

}  // namespace kx
