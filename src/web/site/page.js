// The page around the game: the animation-frame loop, keys, controllers, the touch pad, scaling
// (where things sit is layout.js's), fullscreen, focus and pause on focus loss, the box, replays
// from a game's link (#play=...), the query or a dropped file, watched with the bar of watch.js,
// the recording to download and the link to copy, the keys line, and the service worker. The game's numbers come from the program's tables (tables.js) and its rules from the
// program: the page holds browser calls only.
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
  const copyLink = document.getElementById('copy-link');
  const linkText = document.getElementById('link-text');
  const watchBar = document.getElementById('watch');
  const message = document.getElementById('message');
  const keysLine = document.getElementById('keys');
  const tables = window.kxTables;
  const W = tables.frame.width, H = tables.frame.height;
  canvas.width = W;
  canvas.height = H;

  // What the page measured, for tools/measure_web.py.
  const stats = window.kxStats = {frameMs: [], tickLog: [], titleDrawnMs: null, seekMs: []};

  // A key as the program takes it: its place (event.code) by the program's number, -1 for a place
  // of no number; and what the layout prints on it (event.key, layout map values) when that is
  // one character, else 0 ("Enter", "Dead").
  const placeOf = (code) => (Object.hasOwn(tables.keyPlaces, code) ? tables.keyPlaces[code] : -1);
  const labelOf = (key) => {
    const characters = [...(key || '')];
    return characters.length === 1 ? characters[0].codePointAt(0) : 0;
  };
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

  // The query's numbers go to the program as they are, which checks them as the command line's
  // (NaN for what is no number at all).
  const query = new URLSearchParams(location.search);
  function wholeParam(name) {
    if (!query.has(name)) return null;
    const text = query.get(name);
    return /^[0-9]+$/.test(text) ? Number(text) : NaN;
  }

  let M = null;  // the program, once its first game started
  let watch = null;  // the watch bar, once the program is there
  let pixels = null;
  let tickRate = 0, maxTicks = -1, seed = null;  // 0: the program's own rate

  // Bytes lent to the program for one call, in its memory for that call alone.
  function withBytes(program, bytes, call) {
    const ptr = program._malloc(Math.max(bytes.length, 1));
    program.HEAPU8.set(bytes, ptr);
    try {
      return call(ptr, bytes.length);
    } finally {
      program._free(ptr);
    }
  }

  // An input file goes to the program as the bytes it is: the parser reads its encoding.
  function startGame(program, inputBytes) {
    const refused = () => new Error(program.UTF8ToString(program._kx_error()));
    if (inputBytes !== null && withBytes(program, inputBytes, program._kx_parse_input_bytes)) throw refused();
    if (program._kx_start(seed === null ? 0 : 1, seed ?? 0, (Date.now() >>> 0), tickRate, maxTicks,
                          performance.now()) !== 0)
      throw refused();
    document.title = program.UTF8ToString(program._kx_caption());
    pixels = null;
    if (watch) watch.restart();
  }

  // A game's link, as the address's fragment holds it ("#play=..."), for the next game: false,
  // and its one line in the message, when the program refuses it. The program reads what the
  // player pasted, so the browser's percent-encoding is undone first.
  function openLink(program, hash) {
    let link = hash;
    try {
      link = decodeURIComponent(hash);
    } catch (e) {
      // not percent-encoding after all: the program says what is wrong with it as it is
    }
    if (withBytes(program, new TextEncoder().encode(link), program._kx_open_link) === 0) return true;
    fail(`kippura-x: ${program.UTF8ToString(program._kx_error())}`);
    return false;
  }
  const linkIn = (hash) => (hash.startsWith('#play=') ? hash : null);

  function place(element, box) {
    element.style.left = `${box.left}px`;
    element.style.top = `${box.top}px`;
    element.style.width = `${box.width}px`;
    element.style.height = `${box.height}px`;
  }

  // The bar's size as a row or as a column (the link above the button), always measured with the
  // download link and the copy button in it: the game keeps its place when they appear after a
  // game (the link's text, shown where copying is refused, takes the button's room).
  function barSize(column) {
    const hidden = [download.hidden, copyLink.hidden, linkText.hidden];
    [download.hidden, copyLink.hidden, linkText.hidden] = [false, false, true];
    bar.classList.toggle('column', column);
    const r = bar.getBoundingClientRect();
    [download.hidden, copyLink.hidden, linkText.hidden] = hidden;
    return {w: Math.ceil(r.width), h: Math.ceil(r.height), column};
  }

  // The watch bar's height at a width, as it wraps there; 0 while hidden.
  function watchHeight(width) {
    if (watchBar.hidden) return 0;
    watchBar.style.width = `${width}px`;
    return Math.ceil(watchBar.getBoundingClientRect().height);
  }
  function placeBar(box) {
    bar.classList.toggle('column', box.column);
    bar.style.left = `${box.left}px`;
    bar.style.top = `${box.top}px`;
  }

  // The keys line's height at the stage's width, 0 when it has nothing to say; measured shown.
  function keysHeight() {
    if (!keysLine.textContent) return 0;
    const hidden = keysLine.hidden;
    keysLine.hidden = false;
    const height = keysLine.offsetHeight;
    keysLine.hidden = hidden;
    return height;
  }

  // Each element where kxLayout's rule puts it, from the stage's size less the message line's,
  // the bar's two forms and the keys line's height.
  function fit() {
    const touch = !pad.hidden;
    const row = barSize(false), column = touch ? barSize(true) : null;
    const at = kxLayout.arrange({
      width: stage.clientWidth, height: stage.clientHeight, message: message.hidden ? 0 : message.offsetHeight,
      dpr: window.devicePixelRatio || 1, frame: tables.frame, touch, row, column, keys: keysHeight(),
      watch: watchHeight,
    });
    if (at.watch) place(watchBar, at.watch);
    place(canvas, at.game);
    if (touch) {
      place(stick, at.stick);
      place(fire, at.fire);
    }
    placeBar(at.bar);
    keysLine.hidden = !at.keys;
    if (at.keys) keysLine.style.top = `${at.keys.top}px`;
  }

  // The query's ?keys= goes to the program as it is, for this page's games alone (nothing is
  // stored); a value it refuses is said in the message line, and the usual keys play.
  function takeKeys(program) {
    if (!query.has('keys')) return;
    if (withBytes(program, new TextEncoder().encode(query.get('keys')), program._kx_keys))
      fail(`kippura-x: ${program.UTF8ToString(program._kx_error())}`);
  }

  // The keys in force go in the keys line, the labels of the player's own layout beside the
  // places where the browser tells them (Chromium's keyboard map).
  function showKeys(program) {
    keysLine.textContent = program.UTF8ToString(program._kx_keys_in_force());
    fit();
  }
  async function learnLayout(program) {
    if (!navigator.keyboard || !navigator.keyboard.getLayoutMap) return;
    let layout;
    try {
      layout = await navigator.keyboard.getLayoutMap();
    } catch (e) {
      return;  // a frame the embedding page did not allow the keyboard map
    }
    for (const [code, key] of layout) {
      const place = placeOf(code);
      if (place >= 0) program._kx_layout_label(place, labelOf(key));
    }
    showKeys(program);
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
    return `kippura-x-${day}-${two(t.getHours())}${two(t.getMinutes())}-score-${score}.kxr`;
  }

  // The game's link, to share: copied where the browser lets the page write the clipboard, else
  // shown to select. Nothing of it is stored.
  async function shareLink() {
    const site = new TextEncoder().encode(location.origin + location.pathname);
    const link = withBytes(M, site, (ptr, length) => M.UTF8ToString(M._kx_link(ptr, length)));
    if (!link) {
      fail(`kippura-x: ${M.UTF8ToString(M._kx_error())}`);
      return;
    }
    try {
      await navigator.clipboard.writeText(link);
      copyLink.textContent = 'Copied';
      setTimeout(() => { copyLink.textContent = 'Copy link'; }, 1500);
      focusGame();
    } catch (e) {
      linkText.value = link;
      copyLink.hidden = true;
      linkText.hidden = false;
      linkText.focus({preventScroll: true});
      linkText.select();
    }
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
        copyLink.hidden = false;
        linkText.hidden = true;
      }
    }
  }

  // The game's state as the browser tests see it.
  window.kxState = () => M && {
    ticks: M._kx_ticks(), running: M._kx_running(), replaying: M._kx_replaying(), finished: M._kx_finished(),
    box: M._kx_box_open(), paused: M._kx_paused(), chick: [M._kx_chick_x(), M._kx_chick_y()],
    missing: M.UTF8ToString(M._kx_missing_text()), keys: M.UTF8ToString(M._kx_recording()),
    watching: M._kx_watching(), gameTicks: M._kx_game_ticks(), score: M._kx_score(),
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
  // The touch pad's zones, by name, as the buttons of a controller of its own.
  const padButton = (zone, pressed) => {
    if (M) M._kx_pad_button(tables.touchPad, tables.touchPadButtons[zone], pressed ? 1 : 0, performance.now());
  };

  function loop(now) {
    const started = performance.now();
    pollGamepads(now);
    const changed = M._kx_frame(now);
    if (changed) present();
    showState();
    watch.update();
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
    const place = placeOf(event.code), label = labelOf(event.key);
    if (M) M._kx_key(down ? 1 : 0, place, label, performance.now());
    else earlyKeys.push(() => M._kx_key(down ? 1 : 0, place, label, performance.now()));
  }

  // Controllers in the standard layout: their buttons the game reads, and the left stick.
  const padState = new Map();
  function pollGamepads(now) {
    if (!navigator.getGamepads) return;
    const seen = new Set();
    for (const gp of navigator.getGamepads()) {
      if (!gp || !gp.connected) continue;
      seen.add(gp.index);
      const old = padState.get(gp.index) || {buttons: [], x: 0, y: 0};
      const state = {buttons: [], x: 0, y: 0};
      for (const [index, button] of tables.standardButtons) {
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
    // Pointers on the canvas: OK on the box; a tap is the program's to read (it starts a game on
    // the title), also one that came while the program loaded.
    const framePoint = (event) => {
      const r = canvas.getBoundingClientRect();
      return [Math.floor((event.clientX - r.left) * W / r.width), Math.floor((event.clientY - r.top) * H / r.height)];
    };
    document.addEventListener('pointerdown', (event) => {
      if (!event.target.closest('#bar, #watch')) focusGame();
    });
    canvas.addEventListener('pointerdown', (event) => {
      if (!M) return;
      const [x, y] = framePoint(event);
      M._kx_pointer(1, x, y, performance.now());
    });
    canvas.addEventListener('pointerup', (event) => {
      const [x, y] = framePoint(event);
      if (M) M._kx_pointer(0, x, y, performance.now());
      else earlyKeys.push(() => M._kx_pointer(0, x, y, performance.now()));
    });
    document.getElementById('fullscreen').addEventListener('click', () => {
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen().catch(() => {});
      focusGame();  // the keys stay with the game
    });
    document.addEventListener('fullscreenchange', () => { fit(); focusGame(); });
    copyLink.addEventListener('click', () => { if (M) shareLink(); });
    // A link pasted into the address bar of the page already open changes only the fragment.
    window.addEventListener('hashchange', () => {
      const link = linkIn(location.hash);
      if (!M || link === null) return;
      clearMessage();
      seed = null;
      maxTicks = -1;
      openLink(M, link);
      startGame(M, null);
    });
    // A recorded input file dropped on the page is watched.
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (!file || !M) return;
      file.arrayBuffer().then((buffer) => {
        seed = null;
        maxTicks = -1;
        startGame(M, new Uint8Array(buffer));
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
      seed = wholeParam('seed');
      tickRate = wholeParam('tick-rate') ?? 0;
      maxTicks = wholeParam('ticks') ?? -1;
      // A game's link opens straight into the watched game; one refused leaves the title.
      const link = linkIn(location.hash);
      const [program, input] = await Promise.all([KippuraX(loaderOptions()), link === null ? readInput() : null]);
      takeKeys(program);
      showKeys(program);
      learnLayout(program);
      watch = kxWatchBar(program, fit, focusGame, stats.seekMs);
      if (link !== null) openLink(program, link);
      startGame(program, input);
      M = program;
      for (const early of earlyKeys.splice(0)) early();
      requestAnimationFrame(loop);
    } catch (e) {
      fail(`kippura-x: ${e.message}`);
      console.warn(e);
    }
  }
  main();
})();
