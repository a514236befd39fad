// What the portable build's launcher (the program `kippura-x` at the top of its folder) settles
// before the game itself can start: where the game is, and which of the system's libraries that
// the game needs are missing, told in one line instead of the dynamic loader's error.
#pragma once

#include <string>
#include <vector>

namespace kx {

// A library of the system that the portable game needs: the file the dynamic loader looks for,
// and what a player calls it and installs it as.
struct SystemLibrary {
    const char* file;      // "libSDL2-2.0.so.0"
    const char* name;      // "SDL2"
    const char* packages;  // which package brings it, per distribution
};

// SDL2 and libX11: all the portable game needs besides the C library.
const std::vector<SystemLibrary>& portable_game_libraries();

// The game beside the launcher: `<launcher's folder>/libexec/kippura-x`, from the launcher's own
// path (/proc/self/exe, with links resolved); empty when that path has no folder.
std::string game_beside(const std::string& launcher_path);

// The one line that says which libraries are missing and how to get them (no line end).
std::string missing_libraries_message(const std::vector<SystemLibrary>& missing);

}  // namespace kx
