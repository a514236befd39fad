// The game in Firefox (Debian's firefox-esr over WebDriver BiDi, through puppeteer-core) or in
// WebKit, the engine of Safari (WebKitGTK's MiniBrowser through WebKitWebDriver, under the X
// server that run_engine_test.sh starts): the page loads with no error, a key starts a game, the
// golden replays end on the headless screenshot byte for byte, the box closes on Return, losing
// focus pauses, keys go by their place and their label on five layouts, with ?keys=, and games
// as links are watched, sought, taken over and shared under the page's policy (watch_checks.mjs).
//   node engine_test.mjs firefox|webkit SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
import {spawn, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const [engine, site, binary, replays] = process.argv.slice(2);
const W = 392, H = 286;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Errors of the page, caught from its first line on, in any engine: script errors, failed loads,
// console.error and whatever the page's Content-Security-Policy refuses (this script comes before
// the policy, which covers only what follows it).
const CATCHER = `<script>window.kxErrors = [];
addEventListener('error', (e) => kxErrors.push(e.message || 'failed to load ' + (e.target.src || e.target.href)), true);
addEventListener('unhandledrejection', (e) => kxErrors.push(String(e.reason)));
const kxConsoleError = console.error;
console.error = (...a) => { kxErrors.push(a.join(' ')); kxConsoleError.apply(console, a); };
addEventListener('securitypolicyviolation', (e) => kxErrors.push('refused by the policy: ' + e.violatedDirective));</script>`;

const TYPES = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
               '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
               '.txt': 'text/plain; charset=utf-8'};

// The site and the replays on 127.0.0.1, the page with the error catcher first in its head.
function serve() {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    const file = name.startsWith('replays/') ? path.join(replays, name.slice(8)) : path.join(site, name);
    if (name.includes('..') || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    let body = fs.readFileSync(file);
    if (name === 'index.html') body = body.toString().replace('<head>', '<head>' + CATCHER);
    response.writeHead(200, {'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream'});
    response.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Firefox: puppeteer-core over WebDriver BiDi; keys by their names.
async function firefox() {
  const {default: puppeteer} = await import('puppeteer-core');
  const browser = await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
                                          protocol: 'webDriverBiDi', headless: true,
                                          defaultViewport: {width: 1000, height: 800}});
  const page = await browser.newPage();
  const logged = [];
  page.on('console', (m) => { if (m.type() === 'error') logged.push(m.text()); });
  page.on('pageerror', (e) => logged.push(e.message));
  return {
    goto: (url) => page.goto(url),
    eval: (expression) => page.evaluate(expression),
    key: (key, down) => (down ? page.keyboard.down(key) : page.keyboard.up(key)),
    logged: () => logged,
    close: () => browser.close(),
  };
}

// WebKit: WebDriver's HTTP protocol to WebKitWebDriver, which starts the MiniBrowser.
const WEBDRIVER_KEYS = {Enter: '\uE007', ArrowLeft: '\uE012', ArrowDown: '\uE015'};
async function webkit() {
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const p = probe.address().port;
      probe.close(() => resolve(p));
    });
  });
  const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], {stdio: 'ignore'});
  const call = async (method, where, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${where}`, {
      method, headers: {'Content-Type': 'application/json'}, body: body && JSON.stringify(body)});
    const answer = await response.json();
    if (!response.ok) throw new Error(`${where}: ${JSON.stringify(answer.value)}`);
    return answer.value;
  };
  let session = null;
  for (let tries = 0; !session; ++tries) {
    try {
      session = (await call('POST', '/session', {capabilities: {alwaysMatch: {'webkitgtk:browserOptions': {
        binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation']}}}})).sessionId;
    } catch (e) {
      if (tries > 50) throw e;
      await sleep(100);  // the driver is still starting
    }
  }
  const s = `/session/${session}`;
  await call('POST', `${s}/window/rect`, {width: 1000, height: 800});
  return {
    goto: (url) => call('POST', `${s}/url`, {url}),
    eval: (expression) => call('POST', `${s}/execute/sync`, {script: `return (${expression});`, args: []}),
    key: (key, down) => call('POST', `${s}/actions`, {actions: [{type: 'key', id: 'keyboard', actions: [
      {type: down ? 'keyDown' : 'keyUp', value: WEBDRIVER_KEYS[key] || key}]}]}),
    logged: () => [],
    close: async () => {
      await call('DELETE', s).catch(() => {});
      driver.kill();
    },
  };
}

// The pixels of an 8-bit, non-interlaced RGB or RGBA PNG, RGB per pixel.
function pngRgb(file) {
  const data = fs.readFileSync(file);
  let pos = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (pos < data.length) {
    const length = data.readUInt32BE(pos), kind = data.toString('latin1', pos + 4, pos + 8);
    const body = data.subarray(pos + 8, pos + 8 + length);
    if (kind === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || ![2, 6].includes(body[9]) || body[12] !== 0) throw new Error(`${file}: unexpected PNG`);
      channels = body[9] === 2 ? 3 : 4;
    } else if (kind === 'IDAT') {
      idat.push(body);
    }
    pos += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat)), stride = width * channels;
  const out = Buffer.alloc(width * height * 3);
  let prev = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0, b = prev[i], c = i >= channels ? prev[i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      line[i] = (line[i] + predictor) & 255;
    }
    for (let x = 0; x < width; ++x) line.copy(out, (y * width + x) * 3, x * channels, x * channels + 3);
    prev = line;
  }
  return out;
}

const CANVAS_RGB = `(() => {
  const c = document.getElementById('screen');
  const p = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let s = '';
  for (let i = 0; i < p.length; i += 4) s += String.fromCharCode(p[i], p[i + 1], p[i + 2]);
  return btoa(s);
})()`;

async function state(b) {
  return b.eval('window.kxState ? window.kxState() : null');
}

async function waitFor(b, what, seconds = 20) {
  const end = Date.now() + seconds * 1000;
  for (;;) {
    const s = await state(b);
    if (s && what(s)) return s;
    if (Date.now() > end) throw new Error(`timed out; state ${JSON.stringify(s)}`);
    await sleep(50);
  }
}

async function press(b, key, holdMs = 50) {
  await b.key(key, true);
  await sleep(holdMs);
  await b.key(key, false);
}

async function noErrors(b) {
  const errors = [...(await b.eval('window.kxErrors')), ...b.logged()];
  if (errors.length) throw new Error(`errors on the page: ${errors.join('; ')}`);
}

function check(condition, ...what) {
  if (!condition) throw new Error(JSON.stringify(what));
}

const KEY_DELAY = fs.readFileSync(path.join(path.dirname(new URL(import.meta.url).pathname), 'key_delay.js'), 'utf8');
const KEY_MATRIX = fs.readFileSync(path.join(path.dirname(new URL(import.meta.url).pathname), 'key_matrix.js'), 'utf8');
const cell = (b, name) => b.eval(`(${KEY_MATRIX})(${JSON.stringify(name)})`);
const shown = (b, id) => b.eval(`(() => { const e = document.getElementById('${id}'); return e.hidden ? null : e.textContent; })()`);

const tests = {
  async loadsAndKeysPlay(b, url) {
    await b.goto(url + 'index.html?seed=7');
    await waitFor(b, (s) => s.ticks === 0);
    check(await b.eval('document.title') === 'きっぷら-Ｘ ver1.20', 'title');
    await press(b, 'Enter');
    const s = await waitFor(b, (s) => s.running && s.ticks > 90);
    await b.key('ArrowDown', true);
    await sleep(300);
    await b.key('ArrowDown', false);
    const after = await state(b);
    check(after.chick[1] > s.chick[1], 'the chick did not go down', s, after);
    const delayed = await b.eval(`(${KEY_DELAY})()`);
    check(delayed.length === 0, ...delayed);
    check(after.missing === '', after.missing);
    await noErrors(b);
  },

  async replaysEndOnTheHeadlessScreenshot(b, url) {
    for (const name of fs.readdirSync(replays).filter((n) => n.endsWith('.txt')).sort()) {
      const lines = fs.readFileSync(path.join(replays, name), 'utf8').split('\n').filter((l) => /^[0-9]/.test(l));
      const ticks = Math.max(...lines.map((l) => parseInt(l, 10))) + 2000;  // past the replay's end
      const png = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'kx_engine_')), 'end.png');
      const run = spawnSync(binary, ['--headless', '--input', path.join(replays, name), '--ticks', String(ticks),
                                     '--screenshot', png]);
      check(run.status === 0, 'headless run', name, String(run.stderr));
      await b.goto(`${url}index.html?input=replays/${name}&ticks=${ticks}&tick-rate=1000`);
      const s = await waitFor(b, (s) => s.finished || (!s.replaying && !s.running && !s.box), 120);
      await sleep(200);  // the newest frame is on the canvas
      const shown = Number(await b.eval("document.getElementById('screen').dataset.ticks"));
      check(shown === s.ticks && shown <= ticks, name, ticks, shown, s);
      const canvas = Buffer.from(await b.eval(CANVAS_RGB), 'base64');
      check(canvas.length === W * H * 3 && canvas.equals(pngRgb(png)), `${name}: the canvas differs from the headless frame`);
      console.log(`  ${name}, ${ticks} ticks: the same frame at tick ${shown}`);
      fs.rmSync(path.dirname(png), {recursive: true});
    }
    await noErrors(b);
  },

  async boxClosesOnReturn(b, url) {
    await b.goto(url + 'index.html?seed=3');
    await waitFor(b, (s) => s.ticks === 0);
    await press(b, 'Enter');
    await waitFor(b, (s) => s.box, 60);  // left alone, the chick is soon shot down
    await sleep(300);
    await press(b, 'ArrowLeft');
    check((await state(b)).box, 'the arrows closed the box');
    await press(b, 'Enter');
    await waitFor(b, (s) => !s.box && !s.running);
    await noErrors(b);
  },

  async focusLossPauses(b, url) {
    await b.goto(url + 'index.html?seed=3');
    await waitFor(b, (s) => s.ticks === 0);
    await press(b, 'Enter');
    await waitFor(b, (s) => s.running && s.ticks > 75);  // in play: the fly-in does not pause
    await b.eval("window.dispatchEvent(new Event('blur'))");  // what the browser sends on focus loss
    const s = await waitFor(b, (s) => s.paused);
    await sleep(500);
    check((await state(b)).ticks === s.ticks, 'ticks ran while paused');
    await press(b, 'p');
    await waitFor(b, (s) => !s.paused);
    await sleep(200);
    check((await state(b)).ticks > s.ticks, 'P did not go on');
    await noErrors(b);
  },
};

// A refused ?keys= says why in its line and the usual keys play, at a tick rate that ends each
// game soon; then ?keys=left-hand.
tests.keysOnEveryLayout = async (b, url) => {
  await b.goto(url + 'index.html?seed=3&tick-rate=1000&keys=jump=Space');
  await waitFor(b, (s) => s.ticks === 0);
  const refused = await shown(b, 'message');
  check(refused === 'kippura-x: ?keys: unknown role "jump" (the roles: up, down, left, right, fire, start)', refused);
  check((await shown(b, 'keys')).includes('fire: KeyZ or the key labelled Z;'), await shown(b, 'keys'));
  for (const layout of ['us', 'de', 'fr', 'dvorak', 'jp106']) {
    const wrong = await cell(b, layout);
    check(wrong.length === 0, ...wrong);
    await waitFor(b, (s) => s.box, 60);
    await b.eval(`['keydown', 'keyup'].forEach((t) => dispatchEvent(new KeyboardEvent(t, {code: 'Enter', key: 'Enter'})))`);
    await waitFor(b, (s) => !s.box && !s.running);
  }
  await b.goto(url + 'index.html?seed=3&keys=left-hand');
  await waitFor(b, (s) => s.ticks === 0);
  check((await shown(b, 'keys')).startsWith('up: KeyW; down: KeyS; left: KeyA; right: KeyD;'), await shown(b, 'keys'));
  const wrong = await cell(b, 'left-hand');
  check(wrong.length === 0 && await shown(b, 'message') === null, ...wrong);
  await noErrors(b);
};

const {watchChecks} = await import('./watch_checks.mjs');
Object.assign(tests, watchChecks({binary, replays, state, waitFor, press, sleep, check, noErrors, pngRgb, CANVAS_RGB}));

async function main() {
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/`;
  let failed = 0;
  let b = null;
  try {
    const started = Date.now();
    b = await (engine === 'firefox' ? firefox() : webkit());
    console.log(`${engine} started in ${((Date.now() - started) / 1000).toFixed(1)} s`);
    const only = process.env.KX_WEB_TESTS;  // name,name: only those
    for (const [name, test] of Object.entries(tests)) {
      if (only && !only.split(',').includes(name)) continue;
      const t0 = Date.now();
      try {
        await test(b, url);
        console.log(`ok   ${name} (${((Date.now() - t0) / 1000).toFixed(1)} s)`);
      } catch (e) {
        ++failed;
        console.log(`FAIL ${name}: ${e.message}`);
      }
    }
  } finally {
    if (b) await b.close();
    server.close();
  }
  return failed ? 1 : 0;
}

process.exitCode = await main();
