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
  const bar = document.getElementById('bar');
  const download = document.getElementById('download');
  const message = document.getElementById('message');
  const W = 392, H = 286;
  // The touch pad is a controller of its own to the game, with an index no browser gives one.
  const TOUCH_PAD = 32;
  const PAD_START = 6;
  // The touch pad's sizes in CSS pixels: the direction area holds three zones of at least 48
  // across, the fire button is a thumb wide, and both keep a margin from the screen's edges.
  const STICK_MIN = 144, STICK_MAX = 200, FIRE_SIZE = 96, EDGE = 8;
  // Without touch the bar is small and keeps a small margin: at 800 x 600, the usual frame of a
  // game portal, it fits below the game at twice its size (572 rows leave 28).
  const BAR_GAP = 2;

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

  // The message line takes its room off the bottom of the stage: fit() moves the game up.
  function fail(text) {
    message.textContent = text;
    message.hidden = false;
    fit();
  }
  function clearMessage() {
    if (message.hidden) return;
    message.hidden = true;
    fit();
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

  // An input file goes to the program as the bytes it is: the parser reads its encoding.
  function startGame(inputBytes) {
    if (inputBytes !== null) {
      const ptr = M._malloc(Math.max(inputBytes.length, 1));
      M.HEAPU8.set(inputBytes, ptr);
      const bad = M._kx_parse_input_bytes(ptr, inputBytes.length);
      M._free(ptr);
      if (bad) throw new Error(M.UTF8ToString(M._kx_error()));
    }
    M._kx_start(seed === null ? 0 : 1, seed === null ? 0 : seed, (Date.now() >>> 0), tickRate, maxTicks,
                performance.now());
    document.title = M.UTF8ToString(M._kx_caption());
    pixels = null;
  }

  function place(element, left, top, width, height) {
    element.style.left = `${left}px`;
    element.style.top = `${top}px`;
    element.style.width = `${width}px`;
    element.style.height = `${height}px`;
  }
  const clamp = (value, lo, hi) => Math.max(lo, Math.min(hi, value));

  // The bar's size as a row or as a column (the link above the button), always measured with the
  // download link in it: the game keeps its place when the link appears after a game.
  function barSize(column) {
    const hidden = download.hidden;
    download.hidden = false;
    bar.classList.toggle('column', column);
    const r = bar.getBoundingClientRect();
    download.hidden = hidden;
    return {w: Math.ceil(r.width), h: Math.ceil(r.height), column};
  }
  function placeBar(size, left, top) {
    bar.classList.toggle('column', size.column);
    bar.style.left = `${left}px`;
    bar.style.top = `${top}px`;
  }

  // Where the game, the pad and the bar go inside the safe area, above the message line when it
  // shows; nothing of the page lies on the game. Without touch, the largest whole factor in
  // device pixels that leaves the bar its room above or right of the game (a fraction where none
  // fits, or where the bar's room would cost a whole factor: the game shrinks a little, not to
  // the next factor down), centred. On a touch screen, the largest fraction that leaves the pad
  // its room: beside the game (the directions in the left bar, fire and the page's bar in the
  // right one, as a phone held sideways leaves them) or below it (upright), whichever gives the
  // bigger game; pixelated scaling stays crisp at 2 or 3 device pixels per CSS pixel.
  function fit() {
    const width = stage.clientWidth;
    const height = stage.clientHeight - (message.hidden ? 0 : message.offsetHeight);
    const row = barSize(false);
    if (pad.hidden) {
      const dpr = window.devicePixelRatio || 1;
      const roomW = row.w + 2 * BAR_GAP, roomH = row.h + 2 * BAR_GAP;
      const above = Math.min(width / W, (height - roomH) / H), aside = Math.min((width - roomW) / W, height / H);
      const room = Math.max(above, aside);
      const whole = Math.floor(room * dpr);
      const scale = whole >= 1 && whole === Math.floor(Math.min(width / W, height / H) * dpr) ? whole / dpr
                                                                                          : Math.max(room, 0.1);
      const gameW = W * scale, gameH = H * scale;
      let left = Math.floor((width - gameW) / 2), top = Math.floor((height - gameH) / 2);
      // Centred, the game would reach under the bar: it moves down, or else left, just enough.
      if (top < roomH && left + gameW > width - roomW) {
        if (height - gameH >= roomH) top = roomH;
        else left = Math.max(0, Math.floor(width - roomW - gameW));
      }
      place(canvas, left, top, gameW, gameH);
      placeBar(row, width - BAR_GAP - row.w, BAR_GAP);
      return;
    }
    const column = barSize(true);
    const room = STICK_MIN + 2 * EDGE;
    // Beside, the right bar also holds the page's bar above the fire button.
    const side = Math.max(room, column.w + 2 * EDGE);
    const beside = height >= column.h + FIRE_SIZE + 3 * EDGE ? Math.min(height / H, (width - 2 * side) / W) : 0;
    // Below, the page's bar goes between the direction pad and the fire button where it fits,
    // else in a strip above the game.
    const inPadRow = width - 8 * EDGE - STICK_MAX - FIRE_SIZE >= row.w && row.h <= STICK_MIN;
    const strip = inPadRow ? 0 : row.h + 2 * EDGE;
    const below = Math.min(width / W, (height - room - strip) / H);
    const scale = Math.max(beside, below, 0.1);
    const gameW = W * scale, gameH = H * scale;
    if (beside >= below) {
      const sideW = (width - gameW) / 2;
      const stickSize = clamp(Math.min(sideW, height) - 2 * EDGE, STICK_MIN, STICK_MAX);
      const fireSize = Math.min(FIRE_SIZE, sideW - 2 * EDGE);
      const form = row.w + 2 * EDGE <= sideW ? row : column;
      place(canvas, sideW, (height - gameH) / 2, gameW, gameH);
      place(stick, (sideW - stickSize) / 2, (height - stickSize) / 2, stickSize, stickSize);
      place(fire, width - (sideW + fireSize) / 2, Math.max((height - fireSize) / 2, form.h + 2 * EDGE), fireSize,
            fireSize);
      placeBar(form, width - EDGE - form.w, EDGE);
    } else {
      // The pad along the bottom, where the thumbs are; the game centred in the space above.
      const stickSize = clamp(Math.min(height - gameH - strip, width / 2) - 2 * EDGE, STICK_MIN, STICK_MAX);
      const padTop = height - EDGE - stickSize;
      const fireLeft = width - 2 * EDGE - FIRE_SIZE;
      place(canvas, (width - gameW) / 2, Math.max(strip, (padTop - EDGE - gameH) / 2), gameW, gameH);
      place(stick, 2 * EDGE, padTop, stickSize, stickSize);
      place(fire, fireLeft, padTop + (stickSize - FIRE_SIZE) / 2, FIRE_SIZE, FIRE_SIZE);
      if (inPadRow) placeBar(row, fireLeft - 2 * EDGE - row.w, padTop + (stickSize - row.h) / 2);
      else placeBar(row, width - EDGE - row.w, EDGE);
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

  // The download's name tells games apart: when the game ended (local time) and its score.
  function downloadName(score) {
    const t = new Date(), two = (n) => String(n).padStart(2, '0');
    const day = `${t.getFullYear()}-${two(t.getMonth() + 1)}-${two(t.getDate())}`;
    return `kippura-x-${day}-${two(t.getHours())}${two(t.getMinutes())}-score-${score}.txt`;
  }

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
        download.download = downloadName(M._kx_score());
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
    // The stage's size is what the layout follows: a resize, a turn, the safe area changing.
    new ResizeObserver(() => fit()).observe(stage);
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
      file.arrayBuffer().then((buffer) => {
        seed = null;
        maxTicks = -1;
        startGame(new Uint8Array(buffer));
        clearMessage();
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
    return new Uint8Array(await response.arrayBuffer());
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
