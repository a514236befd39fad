// SDL's game-controller events as the driver's controller calls.
#include "platform/sdl_gamepad.h"

#include <optional>

namespace kx {
namespace {

std::optional<GamepadKeys::Button> button_of(std::uint8_t sdl_button) {
    using B = GamepadKeys::Button;
    switch (sdl_button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return B::DpadLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_UP: return B::DpadUp;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return B::DpadRight;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return B::DpadDown;
        case SDL_CONTROLLER_BUTTON_A: return B::A;
        case SDL_CONTROLLER_BUTTON_B: return B::B;
        case SDL_CONTROLLER_BUTTON_START: return B::Start;
        default: return std::nullopt;
    }
}

}  // namespace

SdlGamepads::SdlGamepads() { SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); }

SdlGamepads::~SdlGamepads() {
    for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlGamepads::handle(const SDL_Event& ev, Driver& driver, std::int64_t now) {
    switch (ev.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = SDL_GameControllerOpen(ev.cdevice.which))
                open_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (auto it = open_.find(ev.cdevice.which); it != open_.end()) {
                SDL_GameControllerClose(it->second);
                open_.erase(it);
                driver.pad_gone(ev.cdevice.which, now);
            }
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (const auto button = button_of(ev.cbutton.button))
                driver.pad_button(ev.cbutton.which, *button, ev.type == SDL_CONTROLLERBUTTONDOWN, now);
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                driver.pad_stick_axis(ev.caxis.which, ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY, ev.caxis.value, now);
            return true;
        default: return false;
    }
}

}  // namespace kx
