// No key waits in the page: in play, each of the game's keys goes down as a keyboard sends it, and
// the first frame the page draws once the next tick has run must show it (the chick moved that way,
// or the shot out beside it), never a tick later. Shared by web_test.py (Chromium) and
// engine_test.mjs (Firefox, WebKit); evaluated in the page while the game plays. Resolves to what
// is wrong, [] when every key showed in time.
async () => {
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d');
  const frame = () => new Promise((resolve) => requestAnimationFrame(() => resolve()));
  const key = (type, code, label) =>
    window.dispatchEvent(new KeyboardEvent(type, {code, key: label, bubbles: true, cancelable: true}));
  // The shot starts at the chick's right edge, 32 units right of its left edge, and 10 below its
  // top (a unit down is 22/21 pixel), and flies 10 units a tick before each frame: white, 10 x 10.
  const shotOut = ([x, y], ticks) => {
    const top = Math.floor((y + 8) * 22 / 21);
    const image = context.getImageData(x + 28 + 10 * ticks, top, 18, Math.ceil((y + 22) * 22 / 21) - top).data;
    let white = 0;
    for (let i = 0; i < image.length; i += 4) white += image[i] === 255 && image[i + 1] === 255 && image[i + 2] === 255;
    return white >= 80;
  };
  const keys = [
    ['ArrowUp', 'ArrowUp', (before, after) => after.chick[1] < before.chick[1]],
    ['ArrowDown', 'ArrowDown', (before, after) => after.chick[1] > before.chick[1]],
    ['ArrowRight', 'ArrowRight', (before, after) => after.chick[0] > before.chick[0]],
    ['ArrowLeft', 'ArrowLeft', (before, after) => after.chick[0] < before.chick[0]],
    ['KeyZ', 'z', (before, after) => !before.shot && after.shot],
  ];
  const wrong = [];
  for (const [code, label, shows] of keys) {
    await frame();
    const before = {...window.kxState(), shot: shotOut(window.kxState().chick, 1)};
    if (!before.running || before.box) return [...wrong, `${code}: the game was not in play (${JSON.stringify(before)})`];
    key('keydown', code, label);
    let after = window.kxState();
    while (after.ticks === before.ticks) {
      await frame();  // the page's own frame, asked for before this one, has drawn by now
      after = window.kxState();
    }
    after.shot = shotOut(after.chick, after.ticks - before.ticks);  // a slow frame runs two
    if (Number(canvas.dataset.ticks) !== after.ticks || !shows(before, after))
      wrong.push(`${code} did not show in the first frame after the tick it came before ` +
                 `(ticks ${before.ticks} to ${after.ticks}, drawn ${canvas.dataset.ticks}, chick ${before.chick} to ${after.chick})`);
    key('keyup', code, label);
  }
  return wrong;
}
