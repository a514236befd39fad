// The page around the game: the animation-frame loop, keys, controllers, the touch pad and where
// it sits, scaling, fullscreen, focus and pause on focus loss, the box, replays from the query or
// a dropped file, the recording to download, and the service worker.
'use strict';

(() => {
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', {alpha: false});
  const stage = document.getElementById('stage');
  const pad = document.getElementById('pad');
  const stick = document.getElementById('stick');
  const fire = document.getElementById('fire');
  const download = document.getElementById('download');
  const message = document.getElementById('message');
  const W = 392, H = 286;
  // The touch pad is a controller of its own to the game, with an index no browser gives one.
  const TOUCH_PAD = 32;
  const PAD_START = 6;
  // The touch pad's sizes in CSS pixels: the direction area holds three zones of at least 48
  // across, the fire button is a thumb wide, and both keep a margin from the screen's edges.
  const STICK_MIN = 144, STICK_MAX = 200, FIRE_SIZE = 96, EDGE = 8;

  // What the page measured, for tools/measure_web.py.
  const stats = window.kxStats = {frameMs: [], tickLog: [], titleDrawnMs: null};

  // The desktop's virtual key codes, from the key's place on the keyboard.
  const NAMED = {
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Enter: 13, NumpadEnter: 13, Space: 32,
    Escape: 27, Backspace: 8, Tab: 9, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17,
    AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20, PageUp: 33, PageDown: 34, End: 35, Home: 36,
    Insert: 45, Delete: 46, NumpadMultiply: 106, NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110,
    NumpadDivide: 111, Semicolon: 186, Equal: 187, Comma: 188, Minus: 189, Period: 190, Slash: 191,
    Backquote: 192, BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222,
  };
  function virtualKey(code) {
    if (code in NAMED) return NAMED[code];
    let m;
    if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^Digit([0-9])$/.exec(code))) return 48 + Number(m[1]);
    if ((m = /^Numpad([0-9])$/.exec(code))) return 96 + Number(m[1]);
    if ((m = /^F([0-9]+)$/.exec(code)) && Number(m[1]) <= 12) return 111 + Number(m[1]);
    return 255;  // a key without a code of its own still starts the game
  }
  // These scroll a page: while the game has the keyboard they belong to the game alone.
  const SCROLLING = new Set(['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'Space', 'PageUp', 'PageDown',
                             'Home', 'End']);

  function fail(text) {
    message.textContent = text;
    message.hidden = false;
  }

  const query = new URLSearchParams(location.search);
  function wholeParam(name, lo, hi) {
    if (!query.has(name)) return null;
    const text = query.get(name);
    if (!/^[0-9]+$/.test(text) || Number(text) < lo || Number(text) > hi)
      throw new Error(`?${name}=${text}: a whole number from ${lo} to ${hi} is expected`);
    return Number(text);
  }

  let M = null;  // the program
  let pixels = null;
  let tickRate = 64, maxTicks = -1, seed = null;

  function startGame(inputText) {
    if (inputText !== null) {
      const ptr = allocString(inputText);
      const bad = M._kx_parse_input(ptr);
      M._free(ptr);
      if (bad) throw new Error(M.UTF8ToString(M._kx_error()));
    }
    M._kx_start(seed === null ? 0 : 1, seed === null ? 0 : seed, (Date.now() >>> 0), tickRate, maxTicks,
                performance.now());
    document.title = M.UTF8ToString(M._kx_caption());
    pixels = null;
  }

  function allocString(text) {
    const size = M.lengthBytesUTF8(text) + 1;
    const ptr = M._malloc(size);
    M.stringToUTF8(text, ptr, size);
    return ptr;
  }

  function place(element, left, top, width, height) {
    element.style.left = `${left}px`;
    element.style.top = `${top}px`;
    element.style.width = `${width}px`;
    element.style.height = `${height}px`;
  }
  const clamp = (value, lo, hi) => Math.max(lo, Math.min(hi, value));

  // Where the game and the pad go inside the safe area. Without touch, the largest whole factor
  // in device pixels (a fraction where none fits), centred. On a touch screen, the largest
  // fraction that leaves the pad its room: beside the game (the directions in the left bar, fire
  // in the right one, as a phone held sideways leaves them) or below it (upright), whichever
  // gives the bigger game; pixelated scaling stays crisp at 2 or 3 device pixels per CSS pixel.
  function fit() {
    const width = stage.clientWidth, height = stage.clientHeight;
    if (pad.hidden) {
      const dpr = window.devicePixelRatio || 1;
      const whole = Math.floor(Math.min(width * dpr / W, height * dpr / H));
      const scale = whole >= 1 ? whole / dpr : Math.min(width / W, height / H);
      place(canvas, Math.floor((width - W * scale) / 2), Math.floor((height - H * scale) / 2), W * scale, H * scale);
      return;
    }
    const room = STICK_MIN + 2 * EDGE;
    const beside = Math.min(height / H, (width - 2 * room) / W);
    const below = Math.min(width / W, (height - room) / H);
    const scale = Math.max(beside, below, 0.1);
    const gameW = W * scale, gameH = H * scale;
    if (beside >= below) {
      const bar = (width - gameW) / 2;
      const stickSize = clamp(Math.min(bar, height) - 2 * EDGE, STICK_MIN, STICK_MAX);
      const fireSize = Math.min(FIRE_SIZE, bar - 2 * EDGE);
      place(canvas, bar, (height - gameH) / 2, gameW, gameH);
      place(stick, (bar - stickSize) / 2, (height - stickSize) / 2, stickSize, stickSize);
      place(fire, width - (bar + fireSize) / 2, (height - fireSize) / 2, fireSize, fireSize);
    } else {
      // The pad along the bottom, where the thumbs are; the game centred in the space above.
      const stickSize = clamp(Math.min(height - gameH, width / 2) - 2 * EDGE, STICK_MIN, STICK_MAX);
      const padTop = height - EDGE - stickSize;
      place(canvas, (width - gameW) / 2, Math.max(0, (padTop - EDGE - gameH) / 2), gameW, gameH);
      place(stick, 2 * EDGE, padTop, stickSize, stickSize);
      place(fire, width - 2 * EDGE - FIRE_SIZE, padTop + (stickSize - FIRE_SIZE) / 2, FIRE_SIZE, FIRE_SIZE);
    }
  }

  function present() {
    const ptr = M._kx_pixels();
    if (!pixels || pixels.data.buffer !== M.HEAPU8.buffer)
      pixels = new ImageData(new Uint8ClampedArray(M.HEAPU8.buffer, ptr, W * H * 4), W, H);
    context.putImageData(pixels, 0, 0);
    canvas.dataset.ticks = String(M._kx_ticks());
    if (stats.titleDrawnMs === null) {
      stats.titleDrawnMs = performance.now();
      performance.mark('kx-title-drawn');
      // The offline copy is made once the game is up: on a first visit it would fetch every
      // file a second time while the page loads.
      if ('serviceWorker' in navigator && window.isSecureContext)
        navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  }

  // Keys and taps that come while the program loads, for the game once it is there.
  const earlyKeys = [];

  let recordingLength = 0;
  function showState() {
    const boxOpen = M._kx_box_open() === 1;
    const paused = M._kx_paused() === 1;
    canvas.dataset.paused = paused ? '1' : '0';
    canvas.dataset.box = boxOpen ? '1' : '0';
    // After a game, the game just played as an input file the desktop game replays.
    const running = M._kx_running() === 1;
    if (!running && !boxOpen) {
      const text = M.UTF8ToString(M._kx_recording());
      if (text.length !== recordingLength && /\n[0-9]+ down /.test(text)) {
        recordingLength = text.length;
        if (download.href) URL.revokeObjectURL(download.href);
        download.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
        download.hidden = false;
      }
    }
  }

  // The game's state as the browser tests see it.
  window.kxState = () => M && {
    ticks: M._kx_ticks(), running: M._kx_running(), replaying: M._kx_replaying(), finished: M._kx_finished(),
    box: M._kx_box_open(), paused: M._kx_paused(), chick: [M._kx_chick_x(), M._kx_chick_y()],
    missing: M.UTF8ToString(M._kx_missing_text()), keys: M.UTF8ToString(M._kx_recording()),
  };

  let touchPad = null;
  function focusLost() {
    earlyKeys.length = 0;
    if (!M) return;
    if (touchPad) touchPad.releaseAll();
    M._kx_focus_lost(performance.now());
  }

  // The game takes the keyboard without scrolling: a page that holds it in a frame further down
  // stays where its reader left it.
  function focusGame() { canvas.focus({preventScroll: true}); }
  const padButton = (button, pressed) => {
    if (M) M._kx_pad_button(TOUCH_PAD, button, pressed ? 1 : 0, performance.now());
  };

  function loop(now) {
    const started = performance.now();
    pollGamepads(now);
    const changed = M._kx_frame(now);
    if (changed) present();
    showState();
    if (M._kx_running() === 1) {
      stats.frameMs.push(performance.now() - started);
      if (stats.frameMs.length > 20000) stats.frameMs.splice(0, 10000);
      stats.tickLog.push([now, M._kx_ticks()]);
      if (stats.tickLog.length > 20000) stats.tickLog.splice(0, 10000);
    }
    requestAnimationFrame(loop);
  }

  function keyEvent(event, down) {
    // The browser's and the desktop's own shortcuts keep working.
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (SCROLLING.has(event.code)) event.preventDefault();
    const code = virtualKey(event.code);
    if (M) M._kx_key(down ? 1 : 0, code, performance.now());
    else earlyKeys.push(() => M._kx_key(down ? 1 : 0, code, performance.now()));
  }

  // Controllers in the standard layout: D-pad, A, B, Start; the left stick.
  const BUTTONS = [[14, 0], [12, 1], [15, 2], [13, 3], [0, 4], [1, 5], [9, 6]];
  const padState = new Map();
  function pollGamepads(now) {
    if (!navigator.getGamepads) return;
    const seen = new Set();
    for (const gp of navigator.getGamepads()) {
      if (!gp || !gp.connected) continue;
      seen.add(gp.index);
      const old = padState.get(gp.index) || {buttons: [], x: 0, y: 0};
      const state = {buttons: [], x: 0, y: 0};
      for (const [index, button] of BUTTONS) {
        const pressed = !!(gp.buttons[index] && gp.buttons[index].pressed);
        state.buttons[button] = pressed;
        if (pressed === !!old.buttons[button]) continue;
        M._kx_pad_button(gp.index, button, pressed ? 1 : 0, now);
      }
      state.x = Math.round((gp.axes[0] || 0) * 32767);
      state.y = Math.round((gp.axes[1] || 0) * 32767);
      if (state.x !== old.x || state.y !== old.y) M._kx_pad_stick(gp.index, state.x, state.y, now);
      padState.set(gp.index, state);
    }
    for (const index of padState.keys()) {
      if (!seen.has(index)) {
        M._kx_pad_gone(index, now);
        padState.delete(index);
      }
    }
  }

  function touchScreen() {
    return (navigator.maxTouchPoints || 0) > 0 || window.matchMedia('(pointer: coarse)').matches;
  }

  function setUpPad() {
    if (!touchScreen()) return;
    pad.hidden = false;
    document.body.classList.add('touch');
    touchPad = kxTouchPad(stick, fire, padButton, query.get('vibrate') === '1');
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    canvas.addEventListener('touchstart', (event) => event.preventDefault(), {passive: false});
  }

  function setUpPage() {
    window.addEventListener('keydown', (event) => keyEvent(event, true));
    window.addEventListener('keyup', (event) => keyEvent(event, false));
    window.addEventListener('resize', fit);
    window.addEventListener('blur', focusLost);
    document.addEventListener('visibilitychange', () => { if (document.hidden) focusLost(); });
    // Pointers on the canvas: OK on the box; a tap on the title starts a game.
    const framePoint = (event) => {
      const r = canvas.getBoundingClientRect();
      return [Math.floor((event.clientX - r.left) * W / r.width), Math.floor((event.clientY - r.top) * H / r.height)];
    };
    document.addEventListener('pointerdown', (event) => {
      if (!event.target.closest('#bar')) focusGame();
    });
    canvas.addEventListener('pointerdown', (event) => {
      if (!M) return;
      const [x, y] = framePoint(event);
      M._kx_pointer(1, x, y, performance.now());
    });
    const start = () => {
      padButton(PAD_START, true);
      padButton(PAD_START, false);
    };
    canvas.addEventListener('pointerup', (event) => {
      if (!M) {
        earlyKeys.push(start);
        return;
      }
      const [x, y] = framePoint(event);
      const now = performance.now();
      const idle = M._kx_box_open() === 0;
      M._kx_pointer(0, x, y, now);
      // A tap is the touch pad's Start: it starts a game on the title and goes on after a pause.
      const title = M._kx_running() === 0 && M._kx_replaying() === 0;
      if (idle && M._kx_box_open() === 0 && (title || M._kx_paused() === 1)) start();
    });
    document.getElementById('fullscreen').addEventListener('click', () => {
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen().catch(() => {});
      focusGame();  // the keys stay with the game
    });
    document.addEventListener('fullscreenchange', () => { fit(); focusGame(); });
    // A recorded input file dropped on the page is watched.
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (!file || !M) return;
      file.text().then((text) => {
        seed = null;
        maxTicks = -1;
        startGame(text);
        message.hidden = true;
      }).catch((e) => fail(`${file.name}: ${e.message}`));
    });
    setUpPad();
    fit();
    // Loading takes the keyboard only on a page of its own, never from a page that embeds it.
    if (window.self === window.top) focusGame();
  }

  async function readInput() {
    if (!query.has('input')) return null;
    const url = new URL(query.get('input'), location.href);
    if (url.origin !== location.origin) throw new Error(`?input=${query.get('input')}: only files of this site`);
    const response = await fetch(url);
    if (!response.ok) throw new Error(`?input=${query.get('input')}: ${response.status} ${response.statusText}`);
    return response.text();
  }

  // The program compiled as the page loaded (index.html), or fetched and compiled now.
  function loaderOptions() {
    if (!window.kxProgram) return {};
    return {
      instantiateWasm(imports, receive) {
        window.kxProgram.then(async (program) => {
          program = program || await WebAssembly.compile(await (await fetch('kippura-x.wasm')).arrayBuffer());
          receive(await WebAssembly.instantiate(program, imports), program);
        }).catch((e) => fail(`kippura-x: ${e.message}`));
        return {};  // the exports come later, through receive
      },
    };
  }

  async function main() {
    try {
      // The page is laid out and takes keys before the program is there.
      setUpPage();
      seed = wholeParam('seed', 0, 4294967295);
      tickRate = wholeParam('tick-rate', 1, 1000) ?? 64;
      maxTicks = wholeParam('ticks', 0, Number.MAX_SAFE_INTEGER) ?? -1;
      const [module, input] = await Promise.all([KippuraX(loaderOptions()), readInput()]);
      M = module;
      startGame(input);
      for (const early of earlyKeys.splice(0)) early();
      requestAnimationFrame(loop);
    } catch (e) {
      fail(`kippura-x: ${e.message}`);
      console.warn(e);
    }
  }
  main();
})();
