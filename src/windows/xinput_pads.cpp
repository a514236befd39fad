// XInput's controller states as the driver's controller calls: the desktop's mapping (D-pad, A,
// B, Start and the left stick), under the slot's number.
#include "windows/xinput_pads.h"

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
    for (const int slot : pads_.due(now)) pads_.read(slot, read_slot(DWORD(slot)), driver, now);
}

std::optional<PadReading> XInputPads::read_slot(DWORD slot) const {
    XINPUT_STATE state{};
    if (read_(slot, &state) != ERROR_SUCCESS) return std::nullopt;
    const XINPUT_GAMEPAD& pad = state.Gamepad;
    PadReading reading{0, pad.sThumbLX, downwards(pad.sThumbLY)};
    for (const ButtonBit& b : kButtons)
        if ((pad.wButtons & b.bit) != 0) reading.buttons |= 1U << unsigned(b.button);
    return reading;
}

}  // namespace kx
