// What front ends draw over the game's frame: the game-over box, the pause, the replay mark.
// They are drawn into the 392 x 286 frame itself, so that they scale crisply with the game and
// look the same in the window and in the browser. The headless frame never carries them.
#pragma once

#include <string>

#include "draw/raster.h"
#include "elements/frame.h"
#include "elements/text_style.h"

namespace kx {

// The game-over box: a title bar, the game's text and one OK button, centred over the play field.
constexpr Rect kBoxArea{96, 93, 296, 193};
constexpr Rect kBoxOkButton{164, 159, 228, 183};
constexpr FontSpec kBoxTitleFont{FontFace::Interface, 9, true, false};
constexpr FontSpec kBoxTextFont{FontFace::Interface, 10, false, false};
constexpr char kBoxOkLabel[] = "OK";

// The pause: the frame dimmed, with one line saying how to go on.
constexpr char kPausedLine[] = "PAUSED  -  P or Return to go on";
constexpr FontSpec kPausedFont{FontFace::Interface, 10, true, false};

// The mark in a corner that says a replay is driving the game.
constexpr char kReplayMark[] = "REPLAY";
constexpr FontSpec kReplayMarkFont{FontFace::Interface, 8, true, false};

void draw_game_over_box(Frame& frame, TextRasterizer& text, const std::string& title, const std::string& prompt,
                        bool ok_held);
void draw_paused(Frame& frame, TextRasterizer& text);
void draw_replay_mark(Frame& frame, TextRasterizer& text);

}  // namespace kx
