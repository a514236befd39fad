#!/usr/bin/env bash
# Makes the README's screenshots with the game's own headless mode: tools/screenshots.sh [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/release/kippura-x}
mkdir -p docs/screenshots
"$game" --headless --screenshot docs/screenshots/title.png
"$game" --headless --input tests/replays/full_game.txt --ticks 1000 --screenshot docs/screenshots/play.png
"$game" --headless --input tests/replays/full_game.txt --ticks 2000 --screenshot docs/screenshots/boss.png
"$game" --headless --input tests/replays/full_game.txt --screenshot docs/screenshots/the_end.png
