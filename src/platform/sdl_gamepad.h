// Game controllers through SDL: opened when plugged in, closed when pulled out, their input
// turned into virtual key events.
#pragma once

#include <SDL.h>

#include <map>
#include <vector>

#include "run/gamepad_keys.h"

namespace kx {

class SdlGamepads {
public:
    SdlGamepads();
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Takes the controller events among SDL's; returns true when the event was one of them.
    bool handle(const SDL_Event& ev, std::vector<VirtualKey>& out);
    void repeat(std::vector<VirtualKey>& out) { keys_.repeat(SDL_GetTicks64(), out); }
    // Milliseconds until the next key repeat is due, or -1 when none is.
    int ms_to_next_repeat() const;

private:
    std::map<SDL_JoystickID, SDL_GameController*> open_;
    GamepadKeys keys_;  // all controllers drive one set of keys
    int stick_x_ = 0, stick_y_ = 0;
};

}  // namespace kx
