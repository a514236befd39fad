// Where the game, the touch pad, the page's bar and a watched replay's bar go in the stage, as arithmetic on sizes alone:
// page.js measures the stage and the bar, and places each element where this says. It touches no
// page, so its test runs it without a browser (tests/web/layout_test.mjs).
'use strict';

window.kxLayout = (() => {
  // The touch pad's sizes in CSS pixels: the direction area holds three zones of at least 48
  // across, the fire button is a thumb wide, and both keep a margin from the screen's edges.
  const STICK_MIN = 144, STICK_MAX = 200, FIRE_SIZE = 96, EDGE = 8;
  // Without touch the bar is small and keeps a small margin: at 800 x 600, the usual frame of a
  // game portal, it fits below the game at twice its size (572 rows leave 28).
  const BAR_GAP = 2;
  // The keys line's distance from the game.
  const KEYS_GAP = 4;

  const clamp = (value, lo, hi) => Math.max(lo, Math.min(hi, value));
  const rect = (left, top, width, height) => ({left, top, width, height});
  const bar = (form, left, top) => ({left, top, width: form.w, height: form.h, column: form.column});

  // Nothing of the page lies on the game, and all of it above the message line when it shows.
  // Without touch, the largest whole factor in device pixels that leaves the bar its room above
  // or right of the game (a fraction where none fits, or where the bar's room would cost a whole
  // factor: the game shrinks a little, not to the next factor down), centred. On a touch screen,
  // the largest fraction that leaves the pad its room: beside the game (the directions in the
  // left bar, fire and the page's bar in the right one, as a phone held sideways leaves them) or
  // below it (upright), whichever gives the bigger game; pixelated scaling stays crisp at 2 or 3
  // device pixels per CSS pixel. The keys line (without touch) goes below the game where that costs
  // the game nothing, the two centred together; where it would, it is left out.
  //   sizes: {width, height} of the stage, message (the message line's height, 0 when hidden),
  //          dpr (device pixels per CSS pixel), frame {width, height} (the game's pixels),
  //          touch (the pad shows), row and column: the bar's size in each of its forms {w, h}
  //          (column only with touch), each with its form's flag `column`, keys (the keys line's
  //          height, 0 for none), watch (the watch bar's height at a width, a function; absent
  //          or 0: not shown)
  //   returns {game, bar, stick, fire, keys, watch}: rectangles {left, top, width, height} in the
  //          stage, the bar's with the `column` of the form it takes; stick and fire only with
  //          touch, keys (the stage's width) where the line goes, else null; watch right below the
  //          game (as wide as the stage, or between the pad's two sides) when shown, else null
  // The watch bar's room comes off the game's height, as the message line's does: the bar sits
  // under the game's picture, never on it, and the keys line (if any) moves down below it.
  function arrange(sizes) {
    const at = arrangeAbove(sizes);
    if (!at.watch) return at;
    const gap = at.watch.height;
    at.watch.top = at.game.top + at.game.height;
    if (at.keys) at.keys.top += gap;
    return at;
  }

  function arrangeAbove(sizes) {
    const {width, frame, row} = sizes;
    const watchAt = sizes.watch || (() => 0);
    const fullHeight = sizes.height - sizes.message;
    const W = frame.width, H = frame.height;
    if (!sizes.touch) {
      const watchH = watchAt(width), height = fullHeight - watchH;
      const roomW = row.w + 2 * BAR_GAP, roomH = row.h + 2 * BAR_GAP;
      const above = Math.min(width / W, (height - roomH) / H), aside = Math.min((width - roomW) / W, height / H);
      const room = Math.max(above, aside);
      const whole = Math.floor(room * sizes.dpr);
      // (The watch bar's room counts among the bar's: watching, the game shrinks a little.)
      const scale = whole >= 1 && whole === Math.floor(Math.min(width / W, fullHeight / H) * sizes.dpr)
        ? whole / sizes.dpr : Math.max(room, 0.1);
      const gameW = W * scale, gameH = H * scale;
      let left = Math.floor((width - gameW) / 2), top = Math.floor((height - gameH) / 2);
      // Centred, the game would reach under the bar: it moves down, or else left, just enough.
      if (top < roomH && left + gameW > width - roomW) {
        if (height - gameH >= roomH) top = roomH;
        else left = Math.max(0, Math.floor(width - roomW - gameW));
      }
      // The line spans the stage, so it stays below the bar's room too.
      let keys = null;
      if (sizes.keys > 0) {
        const lowest = left + gameW > width - roomW ? roomH : 0;
        const together = Math.max(lowest, Math.floor((height - gameH - KEYS_GAP - sizes.keys) / 2));
        const below = together + gameH + KEYS_GAP;
        if (below >= roomH && below + sizes.keys <= height) {
          top = together;
          keys = rect(0, below, width, sizes.keys);
        }
      }
      return {game: rect(left, top, gameW, gameH), bar: bar(row, width - BAR_GAP - row.w, BAR_GAP), keys,
              watch: watchH ? rect(0, 0, width, watchH) : null};
    }
    const column = sizes.column;
    const room = STICK_MIN + 2 * EDGE;
    // Beside, the right bar also holds the page's bar above the fire button.
    const side = Math.max(room, column.w + 2 * EDGE);
    // Beside, the watch bar spans the space between the two sides; below, the stage's width.
    const besideWatchH = watchAt(width - 2 * side), belowWatchH = watchAt(width);
    let height = fullHeight - besideWatchH;
    const beside = height >= column.h + FIRE_SIZE + 3 * EDGE ? Math.min(height / H, (width - 2 * side) / W) : 0;
    // Below, the page's bar goes between the direction pad and the fire button where it fits,
    // else in a strip above the game.
    const inPadRow = width - 8 * EDGE - STICK_MAX - FIRE_SIZE >= row.w && row.h <= STICK_MIN;
    const strip = inPadRow ? 0 : row.h + 2 * EDGE;
    const below = Math.min(width / W, (fullHeight - belowWatchH - room - strip) / H);
    const scale = Math.max(beside, below, 0.1);
    const gameW = W * scale, gameH = H * scale;
    if (beside >= below) {
      const watch = besideWatchH ? rect(side, 0, width - 2 * side, besideWatchH) : null;
      const sideW = (width - gameW) / 2;
      const stickSize = clamp(Math.min(sideW, height) - 2 * EDGE, STICK_MIN, STICK_MAX);
      const fireSize = Math.min(FIRE_SIZE, sideW - 2 * EDGE);
      const form = row.w + 2 * EDGE <= sideW ? row : column;
      return {
        game: rect(sideW, (height - gameH) / 2, gameW, gameH),
        stick: rect((sideW - stickSize) / 2, (height - stickSize) / 2, stickSize, stickSize),
        fire: rect(width - (sideW + fireSize) / 2, Math.max((height - fireSize) / 2, form.h + 2 * EDGE), fireSize,
                   fireSize),
        bar: bar(form, width - EDGE - form.w, EDGE),
        keys: null,
        watch,
      };
    }
    height = fullHeight;
    // The pad along the bottom, where the thumbs are; the game centred in the space above.
    const stickSize = clamp(Math.min(height - gameH - belowWatchH - strip, width / 2) - 2 * EDGE, STICK_MIN, STICK_MAX);
    const padTop = height - EDGE - stickSize;
    const fireLeft = width - 2 * EDGE - FIRE_SIZE;
    return {
      game: rect((width - gameW) / 2, Math.max(strip, (padTop - EDGE - gameH - belowWatchH) / 2), gameW, gameH),
      stick: rect(2 * EDGE, padTop, stickSize, stickSize),
      fire: rect(fireLeft, padTop + (stickSize - FIRE_SIZE) / 2, FIRE_SIZE, FIRE_SIZE),
      bar: inPadRow ? bar(row, fireLeft - 2 * EDGE - row.w, padTop + (stickSize - row.h) / 2)
                    : bar(row, width - EDGE - row.w, EDGE),
      keys: null,
      watch: belowWatchH ? rect(0, 0, width, belowWatchH) : null,
    };
  }

  return {arrange};
})();
