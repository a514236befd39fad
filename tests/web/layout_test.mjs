// The page's layout rule (site/layout.js) in node, with no browser: on the screens the browser
// tests load (a desktop window and a portal's 800 x 600 frame, phones sideways, with a notch and
// upright, a tablet), with the message line and without, the game keeps its size where they
// check it and nothing of the page lies on it or off the stage; the keys line costs the game
// nothing, shown where there is room; a watched replay's bar sits right under the game, clear of
// everything else. The bar's sizes are Chromium's.
//   node layout_test.mjs LAYOUT_JS
import fs from 'node:fs';
import vm from 'node:vm';

const page = {};
page.window = page;
vm.runInNewContext(fs.readFileSync(process.argv[2], 'utf8'), page);
const {arrange} = page.kxLayout;

const FRAME = {width: 392, height: 286};
// The bar with its download link, as a row and as a column; its buttons are larger on touch.
const DESKTOP_BAR = {row: {w: 175, h: 24, column: false}, column: {w: 144, h: 47, column: true}};
const TOUCH_BAR = {row: {w: 187, h: 36, column: false}, column: {w: 144, h: 59, column: true}};
const MESSAGE = 30;
const KEYS = 20;  // the keys line, one line of it
// The watch bar: its controls in one row and the verdict under them where the stage is wide, in
// more rows where it is narrow.
const WATCH = (width) => (width >= 560 ? 40 : width >= 300 ? 62 : 84);

let failures = 0;
function check(what, ok, detail) {
  if (ok) return;
  failures += 1;
  console.log(`FAIL ${what}: ${JSON.stringify(detail)}`);
}

const overlap = (a, b) =>
  a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
const inside = (a, width, height) =>
  a.left >= 0 && a.top >= 0 && a.left + a.width <= width && a.top + a.height <= height;

// Lays out a stage and checks what holds on every screen: the game and the page's controls in
// the stage above the message line, none of them on the game.
function layout(name, width, height, dpr, touch, message = 0, keys = 0, watch = null) {
  const bar = touch ? TOUCH_BAR : DESKTOP_BAR;
  const at = arrange({width, height, message, dpr, frame: FRAME, touch, row: bar.row, column: bar.column, keys, watch});
  const what = `${name} ${width} x ${height} at ${dpr}${message ? ' with the message' : ''}${keys ? ' and keys' : ''}` +
               `${watch ? ' watching' : ''}`;
  const above = height - message;
  const controls = touch ? ['bar', 'stick', 'fire'] : ['bar'];
  check(`${what}: the keys line only without touch, below the game`, !at.keys || (!touch && at.keys.height === keys &&
        at.keys.top >= at.game.top + at.game.height && !overlap(at.keys, at.bar)), at);
  if (at.keys) controls.push('keys');
  check(`${what}: the watch bar right under the game, as tall as it is at its width`, !watch || (at.watch &&
        at.watch.top === at.game.top + at.game.height && at.watch.height === watch(at.watch.width) &&
        at.watch.left <= at.game.left && at.game.left + at.game.width <= at.watch.left + at.watch.width), at);
  check(`${what}: no watch bar unless watching`, !!watch === !!at.watch, at);
  if (at.watch) controls.push('watch');
  check(`${what}: the game in the stage`, inside(at.game, width, above), at);
  check(`${what}: the pad only with touch`, !!at.stick === touch && !!at.fire === touch, at);
  for (const control of controls) {
    check(`${what}: the ${control} in the stage`, inside(at[control], width, above), at);
    check(`${what}: the ${control} on the game`, !overlap(at[control], at.game), at);
  }
  for (const [a, b] of [['watch', 'bar'], ['watch', 'stick'], ['watch', 'fire'], ['watch', 'keys']])
    check(`${what}: the ${a} on the ${b}`, !at[a] || !at[b] || !overlap(at[a], at[b]), at);
  if (touch) {
    check(`${what}: the pad's two zones apart`, !overlap(at.stick, at.fire), at);
    for (const zone of ['stick', 'fire'])
      check(`${what}: the ${zone} under 48 CSS px`, Math.min(at[zone].width, at[zone].height) >= 48, at);
    check(`${what}: the arrows under 48 CSS px`, at.stick.width / 3 >= 48, at);
  }
  const share = {w: at.game.width / width, h: at.game.height / height};
  console.log(`  ${what}: the game ${at.game.width.toFixed(1)} x ${at.game.height.toFixed(1)} ` +
              `(${(share.w * 100).toFixed(1)} % x ${(share.h * 100).toFixed(1)} %)`);
  return {...at, share};
}

// A desktop window, and the same stage as a portal's 800 x 600 frame: the game at twice its size
// whatever the device pixels, crisp, with the small bar above it.
for (const [width, height, dpr] of [[800, 600, 1], [640, 480, 1], [1000, 800, 1], [1280, 720, 1], [800, 600, 2]]) {
  const at = layout('desktop', width, height, dpr, false);
  if (width === 800 && height === 600)
    check(`desktop 800 x 600 at ${dpr}: the game at twice its size`, at.game.width === 784 && at.game.height === 572,
          at);
  check(`desktop ${width} x ${height} at ${dpr}: a whole factor of device pixels`,
        Number.isInteger(at.game.width * dpr / FRAME.width) && Number.isInteger(at.game.left * dpr), at);
  layout('desktop', width, height, dpr, false, MESSAGE);
  for (const message of [0, MESSAGE]) {
    const keyed = layout('desktop', width, height, dpr, false, message, KEYS);
    const plain = arrange({width, height, message, dpr, frame: FRAME, touch: false, ...DESKTOP_BAR});
    check(`desktop ${width} x ${height}: the keys line costs the game nothing`, keyed.game.width === plain.game.width,
          keyed);
    // Only the portal's frame has no row to spare, at twice the game's size.
    check(`desktop ${width} x ${height}: the keys line where there is room`,
          !!keyed.keys === !(width === 800 && height === 600 && !message), keyed);
  }
}

// Phones and a tablet, as the mobile tests hold them.
const sideways = layout('phone sideways', 844, 390, 3, true);
check('phone sideways: the game most of the height', sideways.share.h >= 0.90, sideways);
check('phone sideways: the directions left of the game, fire right of it',
      sideways.stick.left + sideways.stick.width <= sideways.game.left && sideways.fire.left >= sideways.game.left +
      sideways.game.width, sideways);
// With a notch and a home bar, the stage is the safe area.
layout('phone sideways in its safe area', 844 - 2 * 47, 390 - 21, 3, true);
const upright = layout('phone upright', 390, 844, 3, true);
check('phone upright: the game the whole width', upright.share.w >= 0.95, upright);
check('phone upright: the pad below the game', upright.stick.top >= upright.game.top + upright.game.height, upright);
const tablet = layout('tablet', 1024, 768, 2, true);
check('tablet: the game half the screen', tablet.share.w * tablet.share.h >= 0.5, tablet);
for (const [width, height] of [[844, 390], [390, 844], [1024, 768], [750, 369]]) {
  layout('touch', width, height, 3, true, MESSAGE);
  layout('touch', width, height, 3, true, 0, KEYS);
}

// Watching, on every screen above, with the message line and the keys line too.
for (const [width, height, dpr, touch] of [[800, 600, 1, false], [640, 480, 1, false], [1000, 800, 1, false],
                                           [1280, 720, 1, false], [800, 600, 2, false], [844, 390, 3, true],
                                           [750, 369, 3, true], [390, 844, 3, true], [1024, 768, 2, true]]) {
  for (const message of [0, MESSAGE]) layout(touch ? 'touch' : 'desktop', width, height, dpr, touch, message, KEYS, WATCH);
}

if (failures) {
  console.log(`${failures} checks failed`);
  process.exit(1);
}
console.log('layout: every screen laid out with nothing on the game');
