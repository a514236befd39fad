// The window's loop. It sleeps until the driver has something due or a message arrives, hands
// Windows' messages to the driver as keys by their place and label, focus
// changes, clicks and controllers, and shows the frames the driver gives it. Win32 runs loops of
// its own while the window is dragged or resized or its menu is open; a timer keeps the game
// going through them.
#include "windows/win_window.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "draw/scaling.h"
#include "run/window_game.h"
#include "run/window_host.h"
#include "windows/win_clock.h"
#include "windows/win_console.h"
#include "windows/win_keys.h"
#include "windows/win_screen.h"
#include "windows/xinput_pads.h"

namespace kx {
namespace {

constexpr UINT_PTR kModalTimer = 1;

double seconds_of(const FILETIME& t) { return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; }

// How long ago the process started.
double ms_since_process_start() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimePreciseAsFileTime(&now);
    return (seconds_of(now) - seconds_of(created)) * 1000;
}

double cpu_seconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    return seconds_of(kernel) + seconds_of(user);
}

class Host {
public:
    Host(Driver& driver, const WindowRun& run)
        : screen_(utf16(driver.caption()), &Host::procedure, this), host_(driver, screen_, now_ns, run.keys) {
        screen_.open(run.scale, run.fullscreen);
        monitor_ = screen_.monitor();
        host_.display_changed();
    }

    // Returns the status WM_QUIT carries.
    int loop() {
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) return int(msg.wParam);
                DispatchMessageW(&msg);
            }
            step();
            wait_.until(next_wake());
        }
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        LRESULT result = 0;
        if (host && host->screen_.window() == window && host->handle(msg, wp, lp, result)) return result;
        return DefWindowProcW(window, msg, wp, lp);
    }

    // The controllers, the driver's work that is due, and the frame.
    void step() {
        if (active_) pads_.poll(host_.driver(), host_.now());
        host_.step();
    }

    std::int64_t next_wake() const { return host_.next_wake(active_ ? pads_.next_poll() : INT64_MAX); }

    // Returns true when the message is handled here, with its result.
    bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        switch (msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                key_down(int(wp), lp);
                return msg == WM_KEYDOWN;  // Alt+F4 and the like go on to Windows
            case WM_KEYUP:
            case WM_SYSKEYUP: host_.key_up(pressed_key(wp, lp)); return msg == WM_KEYUP;
            case WM_SYSCOMMAND:
                // Alt alone, F10 and Alt+Space would open the (absent) menu: a loop of Windows'
                // own that holds the keyboard. The window keeps them.
                return (wp & 0xFFF0) == SC_KEYMENU;
            case WM_SETFOCUS: active_ = true; return true;
            case WM_KILLFOCUS: lose_focus(); return true;
            case WM_ACTIVATE:
                if (LOWORD(wp) == WA_INACTIVE) lose_focus();
                return false;
            case WM_SIZE:
                if (wp == SIZE_MINIMIZED) {
                    lose_focus();
                } else {
                    screen_.resized();
                    host_.driver().invalidate();
                }
                return true;
            case WM_ENTERSIZEMOVE:
            case WM_ENTERMENULOOP:
                if (msg == WM_ENTERMENULOOP) lose_focus();
                in_modal_loop_ = true;
                arm_modal_timer();
                return true;
            case WM_EXITSIZEMOVE:
            case WM_EXITMENULOOP:
                in_modal_loop_ = false;
                KillTimer(screen_.window(), kModalTimer);
                // Win32's move and size loop took the key messages: keys let go of meanwhile come up.
                host_.let_go_released(held_at);
                return true;
            case WM_TIMER:
                if (wp != kModalTimer) return false;
                step();
                arm_modal_timer();
                return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP: pointer(msg == WM_LBUTTONDOWN, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return true;
            case WM_PAINT: screen_.paint(); return true;
            case WM_ERASEBKGND: result = 1; return true;
            case WM_GETMINMAXINFO: screen_.limit_size(*reinterpret_cast<MINMAXINFO*>(lp)); return true;
            case WM_DPICHANGED: screen_.dpi_changed(*reinterpret_cast<const RECT*>(lp)); return true;
            case WM_WINDOWPOSCHANGED: notice_monitor(false); return false;
            case WM_DISPLAYCHANGE: notice_monitor(true); return false;
            case WM_DEVICECHANGE: pads_.look_again(); return false;
            case WM_DESTROY: PostQuitMessage(0); return true;
            default: return false;
        }
    }

    void key_down(int code, LPARAM lp) {
        const bool desktop_key =
            code == VK_MENU || code == VK_LMENU || code == VK_RMENU || code == VK_LWIN || code == VK_RWIN;
        const WORD flags = HIWORD(lp);
        host_.key_down({pressed_key(WPARAM(code), lp), desktop_key, (flags & KF_ALTDOWN) != 0,
                        held(VK_LWIN) || held(VK_RWIN), (flags & KF_REPEAT) != 0});
    }

    // The window lost the keyboard, or was minimised, or its menu took the keyboard: every key
    // and controller button comes up in the game, and play pauses.
    void lose_focus() {
        active_ = false;
        host_.focus_lost();
        pads_.let_go(host_.driver(), host_.now());
    }

    // While Win32 runs its own loop, a timer brings the driver's next wake-up: the ticks stay on
    // time instead of coming in a burst when the loop ends. Timers run at most every 10 ms.
    void arm_modal_timer() {
        if (!in_modal_loop_) return;
        const auto wait = std::clamp<std::int64_t>(host_.wait_ms(next_wake()).value_or(100), USER_TIMER_MINIMUM, 100);
        SetTimer(screen_.window(), kModalTimer, UINT(wait), nullptr);
    }

    void pointer(bool down, int x, int y) {
        if (down)
            SetCapture(screen_.window());
        else
            ReleaseCapture();
        const auto [width, height] = screen_.size();
        host_.pointer(down, x, y, width, height, width, height);
    }

    // The window moved to another monitor, or a monitor changed its mode: the refresh rate may differ.
    void notice_monitor(bool mode_changed) {
        const HMONITOR monitor = screen_.monitor();
        if (monitor == monitor_ && !mode_changed) return;
        monitor_ = monitor;
        host_.display_changed();
    }

    WinScreen screen_;
    WindowHost host_;
    MessageWait wait_;
    XInputPads pads_;
    HMONITOR monitor_ = nullptr;
    bool active_ = true;
    bool in_modal_loop_ = false;
};

}  // namespace

int run_win32_window(WindowRun run, TextRasterizer& text) {
    WindowGame game(std::move(run), text, now_ns(), ms_since_process_start());
    Host host(game.driver(), game.run());
    const int status = host.loop();
    std::fputs(game.stats_report(cpu_seconds(), now_ns()).c_str(), stderr);
    return status;
}

}  // namespace kx
