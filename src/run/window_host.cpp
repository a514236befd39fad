#include "run/window_host.h"

#include <algorithm>

#include "draw/scaling.h"

namespace kx {

WindowHost::WindowHost(Driver& driver, WindowScreen& screen, Clock clock, const KeyBindings& keys)
    : driver_(driver), screen_(screen), clock_(clock), keys_(keys) {}

void WindowHost::key_down(const WindowKeyPress& press) {
    switch (key_use(press)) {
        case KeyUse::game: driver_.key_down(keys_.press(press.key), now()); return;
        case KeyUse::toggle_fullscreen:
            screen_.toggle_fullscreen();
            exposed();
            return;
        case KeyUse::window: return;
    }
}

void WindowHost::key_up(const PressedKey& key) { driver_.key_up(keys_.release(key), now()); }

void WindowHost::let_go_released(const std::function<bool(int place)>& still_down) {
    keys_.let_go(still_down, [this](int code) { driver_.key_up(code, now()); });
}

void WindowHost::focus_lost() {
    keys_.clear();
    driver_.focus_lost(now());
}

void WindowHost::pointer(bool down, int x, int y, int width, int height, int pixel_width, int pixel_height) {
    const FramePoint p = frame_point(x, y, width, height, pixel_width, pixel_height);
    if (down)
        driver_.pointer_down(p.x, p.y);
    else
        driver_.pointer_up(p.x, p.y, now());
}

void WindowHost::exposed() {
    screen_.invalidate();
    driver_.invalidate();
}

void WindowHost::display_changed() {
    driver_.display_refresh(screen_.refresh_rate(), now());
    exposed();
}

void WindowHost::step() {
    driver_.advance(now());
    const std::int64_t shown = now();
    if (driver_.present_due(shown)) {
        screen_.show(driver_.present(shown));
        show_title(shown);
    }
}

void WindowHost::show_title(std::int64_t now) {
    // A title changed every tick would keep the desktop busy: four times a second is enough to
    // follow, and a pause, a step or a seek shows at once.
    constexpr std::int64_t kEveryNs = 250'000'000;
    if (!driver_.watching()) {
        if (!title_.empty()) screen_.set_title(driver_.caption());
        title_.clear();
        return;
    }
    const bool moving = !driver_.watch_paused() && driver_.running();
    if (moving && !title_.empty() && now - title_at_ < kEveryNs) return;
    const std::string title = watch_title({driver_.watch_speed(), driver_.watch_paused(), driver_.ticks(),
                                           driver_.watch_end(), driver_.session().game().s.score},
                                          driver_.caption());
    if (title == title_) return;
    screen_.set_title(title);
    title_ = title;
    title_at_ = now;
}

std::int64_t WindowHost::next_wake(std::int64_t also) const { return std::min(driver_.wake_at(), also); }

std::optional<std::int64_t> WindowHost::wait_ms(std::int64_t also) const {
    const std::int64_t at = next_wake(also);
    if (at == INT64_MAX) return std::nullopt;
    return (std::max<std::int64_t>(0, at - now()) + 999'999) / 1'000'000;
}

}  // namespace kx
