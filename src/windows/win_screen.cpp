// The window, its size and the frame in it. The frame is scaled into a DIB section (a bitmap
// whose pixels the program writes directly, 0x00RRGGBB as the frame's) and GDI copies the
// changed parts to the window; WM_PAINT copies from the same bitmap.
#include "windows/win_screen.h"

#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "windows/win_console.h"
#include "windows/win_resources.h"

namespace kx {
namespace {

constexpr wchar_t kClassName[] = L"kippura-x";
constexpr DWORD kWindowed = WS_OVERLAPPEDWINDOW;
constexpr DWORD kFullscreen = WS_POPUP;

// What the title bar and borders add around a client area at the window's DPI.
SIZE decorations(HWND window, DWORD style) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&r, style, FALSE, 0, GetDpiForWindow(window));
    return {r.right - r.left, r.bottom - r.top};
}

RECT monitor_area(HWND window, bool work_area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return work_area ? info.rcWork : info.rcMonitor;
}

HICON load_icon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KX_ICON_RESOURCE), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

void register_class(WNDPROC procedure) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    // A device context of the window's own, kept for its life: no GetDC and ReleaseDC a frame.
    c.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = load_icon(GetSystemMetrics(SM_CXICON));
    c.hIconSm = load_icon(GetSystemMetrics(SM_CXSMICON));
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    c.lpszClassName = kClassName;
    // No background brush: every pixel of the window comes from the scaled frame and its bars.
    if (!RegisterClassExW(&c) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the window class (RegisterClassExW failed)");
}

}  // namespace

WinScreen::WinScreen(const std::wstring& caption, WNDPROC procedure, void* owner) {
    register_class(procedure);
    window_ = CreateWindowExW(0, kClassName, caption.c_str(), kWindowed, CW_USEDEFAULT, CW_USEDEFAULT, Frame::kWidth,
                              Frame::kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), owner);
    if (!window_) throw std::runtime_error("cannot create the window (CreateWindowExW failed)");
    // No input method for the game's keys: with a Japanese one switched on, Z and the arrows
    // would go to its composition instead of coming as key presses.
    ImmAssociateContextEx(window_, nullptr, 0);
    window_dc_ = GetDC(window_);
    canvas_dc_ = CreateCompatibleDC(window_dc_);
    windowed_.length = sizeof windowed_;
}

WinScreen::~WinScreen() {
    if (canvas_was_) SelectObject(canvas_dc_, canvas_was_);
    if (canvas_) DeleteObject(canvas_);
    if (canvas_dc_) DeleteDC(canvas_dc_);
    if (IsWindow(window_)) DestroyWindow(window_);
}

void WinScreen::open(std::optional<int> scale, bool fullscreen) {
    const RECT work = monitor_area(window_, true);
    const int work_w = work.right - work.left, work_h = work.bottom - work.top;
    const SIZE d = decorations(window_, kWindowed);
    const auto [factor, note] = opening_factor(scale, work_w, work_h, d.cx, d.cy);
    if (!note.empty()) std::fprintf(stderr, "kippura-x: %s\n", note.c_str());
    const int w = Frame::kWidth * factor + d.cx, h = Frame::kHeight * factor + d.cy;
    // In the middle of the work area; the title bar stays on the screen when the window is larger.
    const int x = work.left + std::max(0, (work_w - w) / 2), y = work.top + std::max(0, (work_h - h) / 2);
    SetWindowPos(window_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
    if (fullscreen) toggle_fullscreen();
    UpdateWindow(window_);
}

void WinScreen::make_canvas(int width, int height) {
    if (canvas_was_) SelectObject(canvas_dc_, canvas_was_);
    if (canvas_) DeleteObject(canvas_);
    canvas_ = nullptr;
    canvas_was_ = nullptr;
    pixels_ = nullptr;
    width_ = width;
    height_ = height;
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top to bottom, as the frame's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas_ = CreateDIBSection(canvas_dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // Called from the window procedure, where nothing may be thrown: without memory for a window
    // this big, nothing is drawn until it is smaller again.
    if (!canvas_) return;
    pixels_ = static_cast<std::uint32_t*>(bits);
    canvas_was_ = SelectObject(canvas_dc_, canvas_);
}

void WinScreen::resized() {
    RECT client;
    GetClientRect(window_, &client);
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w == width_ && h == height_) return;
    make_canvas(w, h);
    if (!pixels_) return;  // minimised
    drawn_.invalidate();   // a new bitmap: nothing of the frame is in it yet
    drawn_.draw(drawn_.shown(), pixels_, width_, height_, width_ * 4);
    InvalidateRect(window_, nullptr, FALSE);
}

void WinScreen::show(const Frame& frame) {
    if (!pixels_) resized();
    if (!pixels_) return;
    GdiFlush();  // GDI is done with the bitmap before the program writes into it
    copy_to_window(drawn_.draw(frame, pixels_, width_, height_, width_ * 4));
}

void WinScreen::copy_to_window(const std::vector<Rect>& parts) {
    if (parts.empty()) return;
    for (const Rect& r : parts) BitBlt(window_dc_, r.x0, r.y0, r.width(), r.height(), canvas_dc_, r.x0, r.y0, SRCCOPY);
}

void WinScreen::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    const RECT& r = ps.rcPaint;
    if (pixels_) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas_dc_, r.left, r.top, SRCCOPY);
    EndPaint(window_, &ps);
}

void WinScreen::dpi_changed(const RECT& suggested) {
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinScreen::limit_size(MINMAXINFO& limits) const {
    if (fullscreen_) return;
    const SIZE d = decorations(window_, kWindowed);
    limits.ptMinTrackSize.x = Frame::kWidth + d.cx;
    limits.ptMinTrackSize.y = Frame::kHeight + d.cy;
}

// Borderless fullscreen: the window loses its frame and covers its monitor; back, it gets its
// frame, place and size again.
void WinScreen::toggle_fullscreen() {
    const auto style = DWORD(GetWindowLongPtrW(window_, GWL_STYLE));
    constexpr UINT kRestyle = SWP_NOOWNERZORDER | SWP_FRAMECHANGED;
    if (!fullscreen_) {
        GetWindowPlacement(window_, &windowed_);
        const RECT m = monitor_area(window_, false);
        SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR((style & ~kWindowed) | kFullscreen));
        SetWindowPos(window_, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top, kRestyle);
    } else {
        SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR((style & ~kFullscreen) | kWindowed));
        SetWindowPlacement(window_, &windowed_);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | kRestyle);
    }
    fullscreen_ = !fullscreen_;
    drawn_.invalidate();
}

int WinScreen::refresh_rate() const {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!GetMonitorInfoW(monitor(), &info) || !EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return 60;
    // 0 and 1 stand for the hardware's default rate.
    return mode.dmDisplayFrequency > 1 ? int(mode.dmDisplayFrequency) : 60;
}

void WinScreen::set_title(const std::string& title) { SetWindowTextW(window_, utf16(title).c_str()); }

}  // namespace kx
