// Games as links in Firefox and WebKit (engine_test.mjs runs these; web_test.py has the same in
// Chromium): the page's policy is there and refuses an inline script of no hash; links of the
// golden replays and of autopilot games (committed in autopilot_games/) play at "max" to the
// headless screenshot of their end, with the verdict --verify prints; ten paused seeks show the
// headless screenshot of their tick; a take-over keeps the watched events and then the player's,
// which replay to the picture the page shows; the page's link is --link of its recording, copied
// or shown to select; cut, altered and newer links are refused in one line of text, no game.
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const here = path.dirname(new URL(import.meta.url).pathname);
export const SEEKS = [1, 250, 517, 1000, 1433, 2002, 2500, 3101, 3700, 4290];  // into full_game.txt
export const TAKE_OVER = {game: 'seed_3.txt', tick: 1100};  // 150 ticks before its chick is shot down

export function watchChecks({binary, replays, state, waitFor, press, sleep, check, noErrors, pngRgb, CANVAS_RGB}) {
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'kx_links_'));
  const native = (...args) => {
    const run = spawnSync(binary, args, {encoding: 'utf8'});
    check(run.status === 0, args, run.stderr);
    return run.stdout.trim();
  };
  const screenshot = (file, ticks) => {
    const png = path.join(tmp, 'shot.png');
    native('--headless', '--input', file, '--ticks', String(ticks), '--screenshot', png);
    return pngRgb(png);
  };
  const canvas = async (b) => Buffer.from(await b.eval(CANVAS_RGB), 'base64');
  const shownTicks = (b) => b.eval("Number(document.getElementById('screen').dataset.ticks)");
  const text = (b, id) => b.eval(`(() => { const e = document.getElementById('${id}'); ` +
                                 `return e.hidden ? null : [e.textContent || e.value, e.children.length]; })()`);
  const watchBar = (b, js) => b.eval(`(() => { const $ = (id) => document.getElementById(id); ${js} })()`);
  const change = (id, value, kind) => `$('${id}').value = '${value}'; $('${id}').dispatchEvent(new Event('${kind}'));`;
  const games = [...fs.readdirSync(replays).filter((n) => n.endsWith('.txt')).map((n) => path.join(replays, n)),
                 ...fs.readdirSync(path.join(here, 'autopilot_games')).map((n) => path.join(here, 'autopilot_games', n))];
  const events = (input) => input.split('\n').map((l) => l.split('#')[0].trim().split(/\s+/).join(' '))
    .filter((l) => /^[0-9]+ (down|up) /.test(l));
  // What the page shows on its next frames.
  const until = async (b, expression) => {
    for (let n = 0; n < 200 && !await b.eval(expression); ++n) await sleep(25);
    return b.eval(expression);
  };
  // The page opened at a link, and its watch bar up (the slider's end set).
  const watched = async (b) => {
    await waitFor(b, (s) => s.watching);
    check(await until(b, "!!document.getElementById('watch').offsetHeight && document.getElementById('watch-seek').max > 0"),
          'no watch bar');
  };
  let loads = 0;
  const open = async (b, url, link, query = '') => {
    await b.goto(`${url}index.html?load=${++loads}${query}${link.slice(link.indexOf('#'))}`);
  };

  return {
    async linksPlayToTheirEnd(b, url) {
      for (const game of games) {
        const link = native('--link', game, '--site', `${url}index.html`);
        await open(b, url, link);
        await watched(b);
        check((await text(b, 'verdict'))[0] === native('--verify', link), game, await text(b, 'verdict'));
        await watchBar(b, `$('watch-speed').value = [...$('watch-speed').options].find((o) => o.text === 'max').value;
                           $('watch-speed').dispatchEvent(new Event('change'));`);
        // Its end: the staff roll's, or the title once the player closes its last game-over box.
        let s = await waitFor(b, (s) => !s.replaying && !s.running, 120);
        if (s.box) {
          await press(b, 'Enter');
          s = await waitFor(b, (s) => !s.box);
        }
        await sleep(200);  // the newest frame is on the canvas
        check((await canvas(b)).equals(screenshot(game, s.gameTicks)), `${game}: the end differs from the headless frame`);
        console.log(`  ${path.basename(game)}: the link's end at tick ${s.gameTicks} is the headless frame`);
      }
      await noErrors(b);
      const policy = await b.eval(`document.querySelector('meta[http-equiv="Content-Security-Policy"]').content`);
      check(/default-src 'self'/.test(policy) && /'sha256-[A-Za-z0-9+/]{43}='/.test(policy), policy);
      // An inline script the policy does not name never runs, and is told.
      check(await b.eval(`(() => { const s = document.createElement('script'); s.textContent = 'window.kxRan = 1';
                                   document.head.append(s); return window.kxRan === undefined; })()`), 'an inline script ran');
      await sleep(200);
      const told = await b.eval('window.kxErrors.splice(0)');
      check(told.length === 1 && told[0].startsWith('refused by the policy: script-src'), told);
      const logged = b.logged();  // the engine's own console line for it (Firefox)
      check(logged.every((line) => /Content-Security-Policy/.test(line)), logged);
      logged.splice(0);
    },

    async seeksShowTheirTick(b, url) {
      const game = path.join(replays, 'full_game.txt');
      await open(b, url, native('--link', game, '--site', `${url}index.html`));
      await watched(b);
      await watchBar(b, "$('watch-pause').click();");
      for (const tick of SEEKS) {
        await watchBar(b, change('watch-seek', tick, 'input'));
        for (let n = 0; n < 100 && await shownTicks(b) !== tick; ++n) await sleep(20);
        check((await canvas(b)).equals(screenshot(game, tick)), `the seek to ${tick} differs from the headless frame`);
      }
      console.log(`  ${SEEKS.length} seeks into full_game.txt: each the headless frame of its tick`);
      await noErrors(b);
    },

    async takeOverAndShare(b, url) {
      const game = path.join(here, 'autopilot_games', TAKE_OVER.game);
      await open(b, url, native('--link', game, '--site', `${url}index.html`), '&tick-rate=250');
      await watched(b);
      await watchBar(b, `$('watch-pause').click(); ${change('watch-seek', TAKE_OVER.tick, 'input')}`);
      await waitFor(b, (s) => s.gameTicks === TAKE_OVER.tick);
      await watchBar(b, "$('take-over').click();");
      await waitFor(b, (s) => !s.watching);
      check(await until(b, "document.getElementById('watch').hidden"), 'the watch bar stayed');
      await press(b, 'ArrowDown', 150);
      await press(b, 'z');
      await press(b, 'p');
      const s = await waitFor(b, (s) => s.paused);
      await sleep(200);
      const recording = path.join(tmp, 'taken.txt');
      fs.writeFileSync(recording, s.keys);
      const mine = events(s.keys), linked = events(fs.readFileSync(game, 'utf8'));
      const before = (list) => list.filter((e) => parseInt(e, 10) < TAKE_OVER.tick);
      check(JSON.stringify(before(mine)) === JSON.stringify(before(linked)), 'not the watched events up to the take-over');
      check(mine.some((e) => e.endsWith(' down 40')) && mine.slice(before(mine).length).every(
        (e) => parseInt(e, 10) >= TAKE_OVER.tick), mine.slice(before(mine).length));
      // Paused, the page shows the game at a quarter of its light with one line on it: every row
      // but that line's is the headless frame's, dimmed.
      const shown = await canvas(b), headless = screenshot(recording, s.gameTicks);
      const rows = new Set();
      for (let i = 0; i < shown.length; ++i) if (shown[i] !== headless[i] >> 2) rows.add(Math.floor(i / (3 * 392)));
      check(rows.size <= 16 && Math.max(...rows) - Math.min(...rows) < 16, 'the page shows another game', [...rows]);
      // The game ends; its link is the one --link makes of its recording, copied or shown.
      await press(b, 'p');
      await waitFor(b, (s) => s.box, 60);
      await press(b, 'Enter');
      const ended = await waitFor(b, (s) => !s.box && !s.running && !s.watching);
      fs.writeFileSync(recording, ended.keys);
      const link = native('--link', recording, '--site', `${url}index.html`);
      check(/\.kxr$/.test(await b.eval("document.getElementById('download').download")), 'the download is no .kxr');
      await b.eval(`(() => { navigator.clipboard.writeText = async (t) => { window.kxCopied = t; };
                             document.getElementById('copy-link').click(); })()`);
      await sleep(100);
      check(await b.eval('window.kxCopied') === link, 'the link copied is not --link of the recording');
      await b.eval(`(() => { navigator.clipboard.writeText = async () => { throw new Error('refused'); };
                             document.getElementById('copy-link').click(); })()`);
      await sleep(100);
      check((await text(b, 'link-text'))[0] === link, 'the link is not shown where copying is refused');
      await noErrors(b);
    },

    async badLinksAreRefused(b, url) {
      const link = native('--link', path.join(replays, 'game_over_and_again.txt'), '--site', `${url}index.html`);
      const payload = link.indexOf('#play=') + 6;
      const bad = [[link.slice(0, -5), 'kippura-x: the link is cut short'],
                   [link.slice(0, payload + 20) + (link[payload + 20] === 'A' ? 'B' : 'A') + link.slice(payload + 21),
                    'kippura-x: the link is altered'],
                   [`${link.slice(0, payload)}B${link.slice(payload + 1)}`, 'kippura-x: the link is of format 5'],
                   ['#play=<img src=x onerror="window.kxRan=1">', 'kippura-x: the link is altered: it holds a character no link has (<)']];
      for (const [wrong, said] of bad) {
        await open(b, url, wrong);
        await waitFor(b, (s) => s.ticks === 0);
        for (let n = 0; n < 100 && !await text(b, 'message'); ++n) await sleep(20);
        const [line, children] = (await text(b, 'message')) || [''];
        check(line.startsWith(said) && !line.includes('\n') && children === 0, wrong, line, children);
        await sleep(300);
        const s = await state(b);
        check(!s.replaying && !s.watching && s.ticks === 0 && !s.running && s.keys.indexOf(' down ') < 0, wrong, s);
        check(await b.eval('window.kxRan === undefined && document.title') === 'きっぷら-Ｘ ver1.20', 'not the title');
      }
      await noErrors(b);
    },
  };
}
