// One cell of the key matrix the browser tests play (web_test.py in Chromium, engine_test.mjs in
// Firefox and WebKit), evaluated in the page on the title: each key as that layout's keyboard
// sends it (KeyboardEvent.code its place, .key its label) goes down and up, the first starting a
// game. Returns what is wrong, [] when the game heard (its recording) the code each key should send:
// on every layout a letter starts, the key in Z's place and the key labelled Z fire (90) and the
// arrows steer (37..40); with ?keys=left-hand, W A S D steer and Space fires.
(cell) => {
  const arrows = [['ArrowLeft', 'ArrowLeft', 37], ['ArrowUp', 'ArrowUp', 38], ['ArrowRight', 'ArrowRight', 39],
                  ['ArrowDown', 'ArrowDown', 40]];
  // The labels a layout prints on S's and Z's places, and the place of its Z.
  const layout = (onS, onZ, placeOfZ) => [['KeyS', onS, 83], ['KeyZ', onZ, 90], [placeOfZ, 'z', 90], ...arrows];
  const keys = {
    us: layout('s', 'z', 'KeyZ'),
    de: layout('s', 'y', 'KeyY'),
    fr: layout('s', 'w', 'KeyW'),
    dvorak: layout('o', ';', 'Slash'),
    jp106: layout('s', 'z', 'KeyZ'),
    'left-hand': [['KeyW', 'w', 38], ['KeyA', 'a', 37], ['KeyS', 's', 40], ['KeyD', 'd', 39], ['Space', ' ', 90],
                  ['KeyZ', 'z', 255], ['ArrowUp', 'ArrowUp', 255]],
  }[cell];
  const recording = () => window.kxState().keys;
  const from = recording().length;
  const wrong = [];
  for (const [code, key] of keys) {
    for (const type of ['keydown', 'keyup'])
      window.dispatchEvent(new KeyboardEvent(type, {code, key, bubbles: true, cancelable: true}));
    if (!window.kxState().running) wrong.push(`${cell}: ${code} "${key}" did not start a game`);
  }
  const heard = recording().slice(from).trim().split('\n').map((line) => line.split(' ').slice(1).join(' '));
  const expected = keys.flatMap(([, , sent]) => [`down ${sent}`, `up ${sent}`]);
  if (heard.join(', ') !== expected.join(', '))
    wrong.push(`${cell}: the game heard ${heard.join(', ')}; expected ${expected.join(', ')}`);
  return wrong;
}
