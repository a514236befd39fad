// The window's loop. It sleeps until the driver has something due or a message arrives, hands
// Windows' messages to the driver as virtual keys (they are the game's codes already), focus
// changes, clicks and controllers, and shows the frames the driver gives it. Win32 runs loops of
// its own while the window is dragged or resized or its menu is open; a timer keeps the game
// going through them.
#include "windows/win_window.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "formats/output_file.h"
#include "run/driver.h"
#include "windows/win_clock.h"
#include "windows/win_console.h"
#include "windows/win_screen.h"
#include "windows/xinput_pads.h"

namespace kx {
namespace {

constexpr UINT_PTR kModalTimer = 1;
constexpr std::int64_t kNsPerMs = 1'000'000;

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

bool held(int virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

class Host {
public:
    Host(Driver& driver, const WindowRun& run)
        : driver_(driver), screen_(utf16(driver.caption()), &Host::procedure, this) {
        screen_.open(run.scale, run.fullscreen);
        monitor_ = screen_.monitor();
        driver_.display_refresh(screen_.refresh_rate(), now_ns());
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

    void print_stats() {
        driver_.stats().cpu(cpu_seconds(), double(now_ns() - started_) / 1e9);
        std::fputs(driver_.stats().report(now_ns()).c_str(), stderr);
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

    // The driver's work that is due, and the frame.
    void step() {
        const std::int64_t now = now_ns();
        if (active_) pads_.poll(driver_, now);
        driver_.advance(now);
        if (driver_.present_due(now_ns())) show();
    }

    std::int64_t next_wake() const { return std::min(driver_.wake_at(), active_ ? pads_.next_poll() : INT64_MAX); }

    // Returns true when the message is handled here, with its result.
    bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        const std::int64_t now = now_ns();
        switch (msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                key_down(int(wp), HIWORD(lp), now);
                return msg == WM_KEYDOWN;  // Alt+F4 and the like go on to Windows
            case WM_KEYUP:
            case WM_SYSKEYUP:
                held_.erase(int(wp));
                driver_.key_up(int(wp), now);
                return msg == WM_KEYUP;
            case WM_SYSCOMMAND:
                // Alt alone, F10 and Alt+Space would open the (absent) menu: a loop of Windows'
                // own that holds the keyboard. The window keeps them.
                return (wp & 0xFFF0) == SC_KEYMENU;
            case WM_SETFOCUS: active_ = true; return true;
            case WM_KILLFOCUS: lose_focus(now); return true;
            case WM_ACTIVATE:
                if (LOWORD(wp) == WA_INACTIVE) lose_focus(now);
                return false;
            case WM_SIZE:
                if (wp == SIZE_MINIMIZED) {
                    lose_focus(now);
                } else {
                    screen_.resized();
                    driver_.invalidate();
                }
                return true;
            case WM_ENTERSIZEMOVE:
            case WM_ENTERMENULOOP:
                if (msg == WM_ENTERMENULOOP) lose_focus(now);
                in_modal_loop_ = true;
                arm_modal_timer();
                return true;
            case WM_EXITSIZEMOVE:
            case WM_EXITMENULOOP:
                in_modal_loop_ = false;
                KillTimer(screen_.window(), kModalTimer);
                let_go_of_released_keys(now_ns());
                return true;
            case WM_TIMER:
                if (wp != kModalTimer) return false;
                step();
                arm_modal_timer();
                return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP: pointer(msg == WM_LBUTTONDOWN, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), now); return true;
            case WM_PAINT: screen_.paint(); return true;
            case WM_ERASEBKGND: result = 1; return true;
            case WM_GETMINMAXINFO: screen_.limit_size(*reinterpret_cast<MINMAXINFO*>(lp)); return true;
            case WM_DPICHANGED: screen_.dpi_changed(*reinterpret_cast<const RECT*>(lp)); return true;
            case WM_WINDOWPOSCHANGED: notice_monitor(false, now); return false;
            case WM_DISPLAYCHANGE: notice_monitor(true, now); return false;
            case WM_DEVICECHANGE: pads_.look_again(); return false;
            case WM_DESTROY: PostQuitMessage(0); return true;
            default: return false;
        }
    }

    // F11 and Alt+Enter toggle fullscreen. They, Alt and the Windows keys themselves, and every
    // key pressed with Alt or a Windows key held (Alt+Tab, Alt+F4, Windows+D) belong to the
    // window and never reach the game; any other key does, repeats included.
    void key_down(int code, WORD flags, std::int64_t now) {
        const bool alt = (flags & KF_ALTDOWN) != 0;
        if (code == VK_F11 || (code == VK_RETURN && alt)) {
            if ((flags & KF_REPEAT) == 0) toggle_fullscreen();
            return;
        }
        const bool windows_key = held(VK_LWIN) || held(VK_RWIN);
        const bool desktop_key =
            code == VK_MENU || code == VK_LMENU || code == VK_RMENU || code == VK_LWIN || code == VK_RWIN;
        if (desktop_key || alt || windows_key) return;
        held_.insert(code);
        driver_.key_down(code, now);
    }

    // The window lost the keyboard, or was minimised, or its menu took the keyboard: every key
    // and controller button comes up in the game, and play pauses.
    void lose_focus(std::int64_t now) {
        active_ = false;
        held_.clear();
        driver_.focus_lost(now);
        pads_.let_go(driver_, now);
    }

    // Win32's move and size loop takes the keyboard's messages for itself: a key let go of
    // meanwhile is let go of in the game when the loop ends.
    void let_go_of_released_keys(std::int64_t now) {
        for (auto it = held_.begin(); it != held_.end();) {
            if (held(*it)) {
                ++it;
                continue;
            }
            driver_.key_up(*it, now);
            it = held_.erase(it);
        }
    }

    // While Win32 runs its own loop, a timer brings the driver's next wake-up: the ticks stay on
    // time instead of coming in a burst when the loop ends. Timers run at most every 10 ms.
    void arm_modal_timer() {
        if (!in_modal_loop_) return;
        const std::int64_t wait =
            std::clamp<std::int64_t>((next_wake() - now_ns()) / kNsPerMs, USER_TIMER_MINIMUM, 100);
        SetTimer(screen_.window(), kModalTimer, UINT(wait), nullptr);
    }

    void pointer(bool down, int x, int y, std::int64_t now) {
        if (down)
            SetCapture(screen_.window());
        else
            ReleaseCapture();
        const Placement at = screen_.placement();
        const int fx = (x - at.left) / at.factor, fy = (y - at.top) / at.factor;
        if (down)
            driver_.pointer_down(fx, fy);
        else
            driver_.pointer_up(fx, fy, now);
    }

    void toggle_fullscreen() {
        screen_.toggle_fullscreen();
        driver_.invalidate();
    }

    // The window moved to another monitor, or a monitor changed its mode: the refresh rate may differ.
    void notice_monitor(bool mode_changed, std::int64_t now) {
        const HMONITOR monitor = screen_.monitor();
        if (monitor == monitor_ && !mode_changed) return;
        monitor_ = monitor;
        driver_.display_refresh(screen_.refresh_rate(), now);
        driver_.invalidate();
    }

    void show() { screen_.show(driver_.present(now_ns())); }

    Driver& driver_;
    WinScreen screen_;
    MessageWait wait_;
    XInputPads pads_;
    std::set<int> held_;  // keys the game heard go down and not yet come up
    HMONITOR monitor_ = nullptr;
    bool active_ = true;
    bool in_modal_loop_ = false;
    const std::int64_t started_ = now_ns();
};

}  // namespace

int run_win32_window(WindowRun run, TextRasterizer& text) {
    OutputFile trace(run.trace_path, "trace file");
    OutputFile recording(run.record_path, "recording");
    run.game.trace = trace.sink();
    run.game.recording = recording.sink();
    if (const double ms = ms_since_process_start(); ms >= 0)
        run.game.process_started = now_ns() - std::int64_t(ms * 1e6);
    // The reset and the title come before the window is first shown.
    Driver driver(text, std::move(run.game), now_ns());
    Host host(driver, run);
    const int status = host.loop();
    if (run.stats) host.print_stats();
    return status;
}

}  // namespace kx
