// picture_gen: draws every picture of kippura-x from shapes and writes them in the game's text
// picture format.
//
//   picture_gen [DIR]                               write DIR/NAME.kxp (DIR defaults to assets/pictures)
//   picture_gen --contact-sheet FILE [--scale N] [--only NAME,NAME...]
//                                                   draw the pictures (all, or the named ones) on one
//                                                   PNG, N times enlarged (default 4)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "checks.h"
#include "contact_sheet.h"
#include "figures.h"

int main(int argc, char** argv) {
    using namespace picgen;
    std::string dir = "assets/pictures";
    std::string sheet;
    int scale = 4;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--contact-sheet" && i + 1 < argc) {
            sheet = argv[++i];
        } else if (arg == "--scale" && i + 1 < argc) {
            scale = std::stoi(argv[++i]);
        } else if (arg == "--only" && i + 1 < argc) {
            only = "," + std::string(argv[++i]) + ",";
        } else if (!arg.empty() && arg[0] != '-') {
            dir = arg;
        } else {
            std::cerr << "usage: picture_gen [DIR]\n"
                         "       picture_gen --contact-sheet FILE [--scale N] [--only NAME,NAME...]\n";
            return 2;
        }
    }

    try {
        const std::vector<Picture> pictures = all_pictures();
        const auto problems = check_pictures(pictures);
        for (const auto& p : problems) std::cerr << "picture_gen: " << p << "\n";
        // The contact sheet is drawn even when a picture fails its checks: it helps to see why.
        if (!sheet.empty()) {
            std::vector<Picture> shown;
            for (const Picture& p : pictures)
                if (only.empty() || only.find("," + p.name + ",") != std::string::npos) shown.push_back(p);
            write_contact_sheet(shown, scale, sheet);
            return problems.empty() ? 0 : 1;
        }
        if (!problems.empty()) return 1;
        std::filesystem::create_directories(dir);
        for (const Picture& p : pictures) {
            const auto path = std::filesystem::path(dir) / (p.name + ".kxp");
            std::ofstream out(path, std::ios::binary);
            out << p.canvas.to_kxp(p.name, p.about);
            if (!out) throw std::runtime_error("cannot write " + path.string());
        }
    } catch (const std::exception& e) {
        std::cerr << "picture_gen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
