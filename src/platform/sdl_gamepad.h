// Game controllers through SDL: opened when plugged in, closed when pulled out, their buttons
// and left stick handed to the driver, which maps them to the game's keys.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>

#include "run/driver.h"

namespace kx {

class SdlGamepads {
public:
    SdlGamepads();
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Takes the controller events among SDL's; returns true when the event was one of them.
    bool handle(const SDL_Event& ev, Driver& driver, std::int64_t now);

private:
    std::map<SDL_JoystickID, SDL_GameController*> open_;
};

}  // namespace kx
