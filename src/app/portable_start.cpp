#include "app/portable_start.h"

namespace kx {

const std::vector<SystemLibrary>& portable_game_libraries() {
    static const std::vector<SystemLibrary> libraries{
        {"libSDL2-2.0.so.0", "SDL2",
         "Fedora: SDL2, Arch and SteamOS: sdl2, openSUSE: libSDL2-2_0-0, Debian and Ubuntu: libsdl2-2.0-0"},
        {"libX11.so.6", "libX11",
         "Fedora: libX11, Arch and SteamOS: libx11, openSUSE: libX11-6, Debian and Ubuntu: libx11-6"},
    };
    return libraries;
}

std::string game_beside(const std::string& launcher_path) {
    const auto slash = launcher_path.rfind('/');
    if (slash == std::string::npos) return {};
    std::string game = launcher_path.substr(0, slash);
    game += "/libexec/kippura-x";
    return game;
}

std::string missing_libraries_message(const std::vector<SystemLibrary>& missing) {
    std::string names;
    std::string files;
    std::string packages;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        const char* joint = i == 0 ? "" : (i + 1 == missing.size() ? " and " : ", ");
        names += joint;
        names += missing[i].name;
        files += joint;
        files += missing[i].file;
        packages += i == 0 ? "" : "; ";
        packages += missing[i].name;
        packages += " is in ";
        packages += missing[i].packages;
    }
    std::string line = "kippura-x needs ";
    line += names;
    line += ", which this system lacks (";
    line += files;
    line += missing.size() == 1 ? " was not found): install it with your package manager and start the game again ("
                                : " were not found): install them with your package manager and start the game again (";
    line += packages;
    line += ")";
    return line;
}

}  // namespace kx
