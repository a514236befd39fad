// XInput's controller states as the driver's controller calls: the desktop's mapping (D-pad, A,
// B, Start and the left stick), under the slot's number.
#include "windows/xinput_pads.h"

#include <algorithm>
#include <utility>

namespace kx {
namespace {

struct ButtonBit {
    WORD bit;
    GamepadKeys::Button button;
};
constexpr ButtonBit kButtons[] = {
    {XINPUT_GAMEPAD_DPAD_LEFT, GamepadKeys::Button::DpadLeft},
    {XINPUT_GAMEPAD_DPAD_UP, GamepadKeys::Button::DpadUp},
    {XINPUT_GAMEPAD_DPAD_RIGHT, GamepadKeys::Button::DpadRight},
    {XINPUT_GAMEPAD_DPAD_DOWN, GamepadKeys::Button::DpadDown},
    {XINPUT_GAMEPAD_A, GamepadKeys::Button::A},
    {XINPUT_GAMEPAD_B, GamepadKeys::Button::B},
    {XINPUT_GAMEPAD_START, GamepadKeys::Button::Start},
};

// XInput's stick points up for positive y; the driver's, like a window's, down.
int downwards(SHORT y) { return y == -32768 ? 32767 : -y; }

}  // namespace

XInputPads::XInputPads() {
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
        library_ = LoadLibraryW(name);
        if (library_) break;
    }
    if (!library_) return;
    using Function = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
    const auto function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library_, "XInputGetState")));
    if (function) read_ = function;
}

XInputPads::~XInputPads() {
    if (library_) FreeLibrary(library_);
}

void XInputPads::poll(Driver& driver, std::int64_t now) {
    if (!read_) return;
    const bool look = now >= next_look_;
    if (!look && now < next_read_) return;
    if (look) next_look_ = now + kLookEveryNs;
    next_read_ = now + kReadEveryNs;
    for (DWORD slot = 0; slot < slots_.size(); ++slot)
        if (look || slots_[slot].connected) read_slot(slot, driver, now);
}

void XInputPads::read_slot(DWORD slot, Driver& driver, std::int64_t now) {
    Slot& was = slots_[slot];
    XINPUT_STATE state{};
    if (read_(slot, &state) != ERROR_SUCCESS) {
        if (was.connected) driver.pad_gone(int(slot), now);
        was = Slot{};
        return;
    }
    was.connected = true;
    const XINPUT_GAMEPAD& pad = state.Gamepad;
    for (const ButtonBit& b : kButtons) {
        const bool pressed = (pad.wButtons & b.bit) != 0;
        if (pressed != ((was.buttons & b.bit) != 0)) driver.pad_button(int(slot), b.button, pressed, now);
    }
    was.buttons = pad.wButtons;
    const int x = pad.sThumbLX, y = downwards(pad.sThumbLY);
    if (x != was.x || y != was.y) driver.pad_stick(int(slot), x, y, now);
    was.x = x;
    was.y = y;
}

void XInputPads::let_go(Driver& driver, std::int64_t now) {
    for (DWORD slot = 0; slot < slots_.size(); ++slot)
        if (slots_[slot].connected) driver.pad_gone(int(slot), now);
    slots_ = {};
    next_look_ = 0;
}

std::int64_t XInputPads::next_poll() const {
    if (!read_) return INT64_MAX;
    const bool any = std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.connected; });
    return any ? std::min(next_read_, next_look_) : next_look_;
}

}  // namespace kx
