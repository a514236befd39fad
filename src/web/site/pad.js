// The touch pad: a round direction area that holds one of eight directions, the one under the
// finger (sliding changes it), and a fire button, each followed finger by finger so that moving
// and firing go together. It reports its zones by name, 'left', 'up', 'right', 'down' and 'fire',
// which the page sends to the program as a controller's buttons. With `buzz`, a shot also
// vibrates the phone briefly where the browser can: off by default, as the call costs about
// 0.1 ms of each fire press.
'use strict';

window.kxTouchPad = (stick, fire, send, buzz) => {
  const LEFT = 'left', UP = 'up', RIGHT = 'right', DOWN = 'down', FIRE = 'fire';
  const NAMES = [LEFT, UP, RIGHT, DOWN];
  // Eight sectors of 45 degrees, clockwise from the right (y grows downwards): the ones between
  // two arrows hold both.
  const SECTORS = [[RIGHT], [RIGHT, DOWN], [DOWN], [DOWN, LEFT], [LEFT], [LEFT, UP], [UP], [UP, RIGHT]];
  const DEAD_ZONE = 0.2;  // of the area's radius: a finger resting on the centre holds nothing
  const BUZZ_MS = 12;     // the short vibration of a shot, where the browser has one

  const arrows = NAMES.map((name) => stick.querySelector('.' + name));
  const pad = stick.parentElement;
  let held = new Set();
  let stickFinger = null;
  const fireFingers = new Set();

  function show() {
    const names = NAMES.filter((name) => held.has(name));
    if (fireFingers.size) names.push('fire');
    pad.dataset.held = names.join(' ');  // what the browser tests read
  }

  function hold(directions) {
    const next = new Set(directions);
    for (const b of held) if (!next.has(b)) send(b, false);  // the old key comes up first
    for (const b of next) if (!held.has(b)) send(b, true);
    held = next;
    arrows.forEach((arrow, n) => arrow.classList.toggle('held', held.has(NAMES[n])));
    show();
  }

  function directionsAt(event) {
    const r = stick.getBoundingClientRect();
    const dx = event.clientX - (r.left + r.width / 2), dy = event.clientY - (r.top + r.height / 2);
    if (Math.hypot(dx, dy) < DEAD_ZONE * r.width / 2) return [];
    return SECTORS[(Math.round(Math.atan2(dy, dx) / (Math.PI / 4)) + 8) % 8];
  }

  // A finger is followed by the zone it came down on (pointer capture) wherever it slides.
  const quiet = (event) => event.preventDefault();
  stick.addEventListener('pointerdown', (event) => {
    quiet(event);
    if (stickFinger !== null) return;  // a second finger on the directions is ignored
    stickFinger = event.pointerId;
    stick.setPointerCapture(event.pointerId);
    hold(directionsAt(event));
  });
  stick.addEventListener('pointermove', (event) => {
    if (event.pointerId === stickFinger) hold(directionsAt(event));
  });
  const stickUp = (event) => {
    if (event.pointerId !== stickFinger) return;
    stickFinger = null;
    hold([]);
  };
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) stick.addEventListener(type, stickUp);

  fire.addEventListener('pointerdown', (event) => {
    quiet(event);
    fire.setPointerCapture(event.pointerId);
    fireFingers.add(event.pointerId);
    if (fireFingers.size !== 1) return;
    send(FIRE, true);
    fire.classList.add('held');
    show();
    const activated = !navigator.userActivation || navigator.userActivation.hasBeenActive;
    if (buzz && navigator.vibrate && activated) navigator.vibrate(BUZZ_MS);
  });
  const fireUp = (event) => {
    if (!fireFingers.delete(event.pointerId) || fireFingers.size) return;
    send(FIRE, false);
    fire.classList.remove('held');
    show();
  };
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) fire.addEventListener(type, fireUp);

  // No long-press menu, selection or double-tap zoom from the pad (Safari acts on touch events).
  for (const zone of [stick, fire]) {
    zone.addEventListener('contextmenu', quiet);
    zone.addEventListener('touchstart', (event) => event.preventDefault(), {passive: false});
  }

  return {
    // Every key comes up, as when the page loses the keyboard.
    releaseAll() {
      stickFinger = null;
      hold([]);
      if (fireFingers.size) {
        fireFingers.clear();
        send(FIRE, false);
        fire.classList.remove('held');
        show();
      }
    },
  };
};
