// SDL's game-controller events to the gamepad's virtual keys.
#include "platform/sdl_gamepad.h"

#include <algorithm>

namespace kx {

SdlGamepads::SdlGamepads() { SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); }

SdlGamepads::~SdlGamepads() {
    for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int SdlGamepads::ms_to_next_repeat() const {
    const auto due = keys_.next_repeat_ms();
    if (!due) return -1;
    return int(std::max<std::int64_t>(0, *due - std::int64_t(SDL_GetTicks64())));
}

bool SdlGamepads::handle(const SDL_Event& ev, std::vector<VirtualKey>& out) {
    const std::int64_t now = std::int64_t(SDL_GetTicks64());
    switch (ev.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = SDL_GameControllerOpen(ev.cdevice.which))
                open_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (auto it = open_.find(ev.cdevice.which); it != open_.end()) {
                SDL_GameControllerClose(it->second);
                open_.erase(it);
                keys_.release_all(out);
                stick_x_ = stick_y_ = 0;
            }
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const bool pressed = ev.type == SDL_CONTROLLERBUTTONDOWN;
            using B = GamepadKeys::Button;
            switch (ev.cbutton.button) {
                case SDL_CONTROLLER_BUTTON_DPAD_LEFT: keys_.button(B::DpadLeft, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_DPAD_UP: keys_.button(B::DpadUp, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: keys_.button(B::DpadRight, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_DPAD_DOWN: keys_.button(B::DpadDown, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_A: keys_.button(B::A, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_B: keys_.button(B::B, pressed, now, out); break;
                case SDL_CONTROLLER_BUTTON_START: keys_.button(B::Start, pressed, now, out); break;
                default: break;
            }
            return true;
        }
        case SDL_CONTROLLERAXISMOTION:
            if (ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                stick_x_ = ev.caxis.value;
            else if (ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                stick_y_ = ev.caxis.value;
            else
                return true;
            keys_.stick(stick_x_, stick_y_, now, out);
            return true;
        default: return false;
    }
}

}  // namespace kx
