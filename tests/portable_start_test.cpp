// The portable build's launcher: where it finds the game, and the one line that replaces the
// dynamic loader's error when a library of the system is missing.
#include "app/portable_start.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(PortableStart, FindsTheGameInTheFolderOfTheLauncherWhateverItsName) {
    EXPECT_EQ(game_beside("/home/ann/Games/kippura-x-1.20.0-linux-x86_64/kippura-x"),
              "/home/ann/Games/kippura-x-1.20.0-linux-x86_64/libexec/kippura-x");
    EXPECT_EQ(game_beside("/opt/kx/start"), "/opt/kx/libexec/kippura-x");
    EXPECT_EQ(game_beside("/kippura-x"), "/libexec/kippura-x");
    EXPECT_EQ(game_beside(""), "");  // /proc/self/exe could not be read: no guess at a path
}

TEST(PortableStart, AMissingLibraryIsOneLineNamingItsFileAndEachDistributionsPackage) {
    const auto& libraries = portable_game_libraries();
    ASSERT_EQ(libraries.size(), 2U);
    const std::string sdl = missing_libraries_message({libraries[0]});
    EXPECT_EQ(sdl.find('\n'), std::string::npos);
    EXPECT_EQ(
        sdl.rfind("kippura-x needs SDL2, which this system lacks (libSDL2-2.0.so.0 was not found): install it", 0), 0U)
        << sdl;
    for (const char* package :
         {"Fedora: SDL2", "Arch and SteamOS: sdl2", "openSUSE: libSDL2-2_0-0", "Debian and Ubuntu: libsdl2-2.0-0"})
        EXPECT_NE(sdl.find(package), std::string::npos) << package << " in: " << sdl;

    const std::string both = missing_libraries_message(libraries);
    EXPECT_EQ(both.find('\n'), std::string::npos);
    EXPECT_NE(both.find("needs SDL2 and libX11, which this system lacks (libSDL2-2.0.so.0 and libX11.so.6 were not "
                        "found): install them"),
              std::string::npos)
        << both;
    EXPECT_NE(both.find("; libX11 is in Fedora: libX11"), std::string::npos) << both;
}

}  // namespace
}  // namespace kx
