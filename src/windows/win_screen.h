// The game's window on Windows: opened at the largest whole factor of the frame that fits its
// monitor's work area, resizable with black bars, borderless fullscreen on its monitor, and the
// frame drawn into it: only the bands that changed since the frame shown before.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "draw/scaling.h"
#include "draw/window_canvas.h"
#include "elements/frame.h"
#include "run/window_host.h"

namespace kx {

class WinScreen : public WindowScreen {
public:
    // Creates the window, hidden. `procedure` receives its messages; `owner` is handed to it in
    // WM_NCCREATE's CREATESTRUCTW (lpCreateParams).
    WinScreen(const std::wstring& caption, WNDPROC procedure, void* owner);
    ~WinScreen() override;
    WinScreen(const WinScreen&) = delete;
    WinScreen& operator=(const WinScreen&) = delete;

    // Sizes and shows the window: `scale` times the frame, by default the largest factor at which
    // the window and its title bar and borders fit its monitor's work area, centred in it.
    void open(std::optional<int> scale, bool fullscreen);
    HWND window() const { return window_; }

    // Scales the frame into the window: the first time, and after a fullscreen toggle, all of
    // it; otherwise only the bands that differ from the frame shown before.
    void show(const Frame& frame) override;
    void invalidate() override { drawn_.invalidate(); }
    // WM_PAINT: what the window lost is copied again from the scaled frame kept for it.
    void paint();
    // WM_SIZE: the scaled frame is made again at the window's new size.
    void resized();
    // WM_DPICHANGED: the window takes the size and place Windows suggests for the new monitor.
    void dpi_changed(const RECT& suggested);
    // WM_GETMINMAXINFO: a window is never smaller than the frame at factor 1.
    void limit_size(MINMAXINFO& limits) const;
    void toggle_fullscreen() override;

    // The window's client area in pixels (to turn a click into a point of the frame).
    std::pair<int, int> size() const { return {width_, height_}; }
    // The refresh rate of the window's monitor in Hz (60 when it does not say), and the monitor.
    int refresh_rate() const override;
    void set_title(const std::string& title) override;
    HMONITOR monitor() const { return MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST); }

private:
    void make_canvas(int width, int height);
    void copy_to_window(const std::vector<Rect>& parts);

    HWND window_ = nullptr;
    HDC window_dc_ = nullptr;  // the window's own (CS_OWNDC)
    // The scaled frame, in a bitmap that the program writes directly and GDI copies from.
    HDC canvas_dc_ = nullptr;
    HBITMAP canvas_ = nullptr;
    HGDIOBJ canvas_was_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0, height_ = 0;
    // What the window shows, and what the next frame changes of it.
    WindowCanvas drawn_;
    bool fullscreen_ = false;
    WINDOWPLACEMENT windowed_{};  // where to go back to from fullscreen
};

}  // namespace kx
