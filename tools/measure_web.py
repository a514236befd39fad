#!/usr/bin/python3
# Measures the browser build in Debian's headless chromium, served from 127.0.0.1:
#   the site's size as a server sends it (gzip -9); a player's first visit (the browser already
#   running, a fresh context with an empty cache) to the title drawn, against a page holding only a
#   canvas in the same run; where the game sits on a phone and a tablet (Chromium's mobile
#   emulation); and, in play, the main-thread time per animation frame and the tick cadence, as is
#   and with the CPU throttled 4x (a low-end phone).
#   tools/measure_web.py [SITE_DIR] [SECONDS] [VISITS] [BEFORE_SITE_DIR]
# With BEFORE_SITE_DIR (another build's site), the first visits take turns between it, SITE_DIR and
# the bare page, so that a change is judged against the page before it on the same machine load:
# on a shared machine the figures move by tens of milliseconds from one run to the next. SECONDS 0
# leaves out the play.
import functools, gzip, http.server, os, shutil, socketserver, statistics, sys, tempfile, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = sys.argv[1] if len(sys.argv) > 1 else 'build/web/site'
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 30
visits = int(sys.argv[3]) if len(sys.argv) > 3 else 10
before_site = sys.argv[4] if len(sys.argv) > 4 else None

total_raw = total_gz = 0
for root, _, files in os.walk(site):
    for name in files:
        if name.endswith('.tmp'):
            continue
        data = open(os.path.join(root, name), 'rb').read()
        total_raw += len(data)
        total_gz += len(gzip.compress(data, 9))
print('site: %d files, %.1f KB, %.1f KB compressed (gzip -9)' % (
    sum(len(f) for _, _, f in os.walk(site)), total_raw / 1024, total_gz / 1024))


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args): pass


class Server(socketserver.ThreadingTCPServer):
    # A connection the browser opened ahead and never used must not hold up closing the server.
    daemon_threads = True
    block_on_close = False


# The site, and beside it the page a first visit is compared with: a canvas of the game's size,
# filled in the page's first animation frame.
root = tempfile.mkdtemp(prefix='kx_measure_site_')
shutil.copytree(site, root, dirs_exist_ok=True)
if before_site:
    shutil.copytree(before_site, os.path.join(root, 'before'))
with open(os.path.join(root, 'bare.html'), 'w') as f:
    f.write('<!doctype html><html><body style="margin:0;background:#000">'
            '<canvas id="c" width="392" height="286"></canvas><script>requestAnimationFrame(() => {'
            'const c = document.getElementById("c").getContext("2d"); c.fillStyle = "#0ff"; c.fillRect(0, 0, 392, 286);'
            'window.kxBareMs = performance.now(); });</script></body></html>')
httpd = Server(('127.0.0.1', 0), functools.partial(Quiet, directory=root))
threading.Thread(target=httpd.serve_forever, daemon=True).start()
base = 'http://127.0.0.1:%d/' % httpd.server_address[1]

o = webdriver.ChromeOptions()
for a in ('--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking '
          '--disable-component-update --disable-sync --window-size=1000,800').split():
    o.add_argument(a)
profile = tempfile.mkdtemp(prefix='kx_measure_')
o.add_argument('--user-data-dir=' + profile)
d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)


def wait_value(script, timeout=15):
    end = time.time() + timeout
    while time.time() < end:
        value = d.execute_script(script)
        if value is not None:
            return value
        time.sleep(0.01)
    raise RuntimeError('timed out waiting for ' + script)


def first_visit(page, script, visit):
    """Opens the page on an origin the browser has never seen (127.0.0.N, a new port): nothing
    cached, no service worker, no compiled code kept, as for a player's first visit."""
    server = Server(('127.0.0.%d' % (10 + visit), 0), functools.partial(Quiet, directory=root))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        d.get('about:blank')
        d.get('http://127.0.0.%d:%d/%s' % (10 + visit, server.server_address[1], page))
        return wait_value(script)  # milliseconds since the navigation started
    finally:
        server.shutdown()
        server.server_close()


def play(throttle):
    """Main-thread time per frame and tick cadence over a stretch of play, restarting after each game."""
    d.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': throttle})
    d.get(base + 'index.html?seed=1')
    wait_value('return window.kxState && window.kxState() && window.kxState().ticks')
    d.execute_script("""
      window.kxDrive = setInterval(() => {
        const s = window.kxState();
        const key = (type, code) => window.dispatchEvent(new KeyboardEvent(type, {code}));
        if (!s.running || s.box) { key('keydown', 'Enter'); key('keyup', 'Enter'); }
      }, 200);""")
    time.sleep(2)
    d.execute_script('window.kxStats.frameMs = []; window.kxStats.tickLog = [];')
    time.sleep(seconds)
    frame_ms = d.execute_script('return window.kxStats.frameMs')
    log = d.execute_script('return window.kxStats.tickLog')
    d.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 1})
    # The cadence over each stretch of uninterrupted play (a game over stops the clock).
    ticks, span = 0, 0.0
    for (t0, k0), (t1, k1) in zip(log, log[1:]):
        if 0 <= k1 - k0 <= 8 and t1 - t0 < 200:
            ticks += k1 - k0
            span += t1 - t0
    rate = ticks / (span / 1000) if span else 0
    label = 'CPU throttled %dx' % throttle if throttle > 1 else 'no throttling'
    print('play, %s: main thread per frame median %.3f ms, 95th %.3f ms over %d frames; '
          'ticks %.2f Hz over %.1f s (%.2f %% from 64 Hz)' % (
              label, statistics.median(frame_ms), sorted(frame_ms)[int(len(frame_ms) * 0.95)], len(frame_ms),
              rate, span / 1000, abs(rate - 64) / 64 * 100))


def layout(width, height, scale):
    """The game's picture and the pad on a touch screen of width x height CSS pixels."""
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': True})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    d.get(base + 'index.html?seed=1')
    wait_value('return window.kxState && window.kxState() && window.kxState().ticks')
    r = d.execute_script("""
      const box = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
      return {game: box(document.getElementById('screen')),
              pad: [...document.querySelectorAll('#pad .zone')].map(box)};""")
    d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})
    g = r['game']
    overlap = any(p[0] < g[2] and g[0] < p[2] and p[1] < g[3] and g[1] < p[3] for p in r['pad'])
    print('touch screen %d x %d (%gx): the game %.0f x %.0f CSS px, %.1f %% of the height, %.1f %% of the width, '
          '%.1f %% of the area; the pad %s the game' % (
              width, height, scale, g[2] - g[0], g[3] - g[1], (g[3] - g[1]) / height * 100,
              (g[2] - g[0]) / width * 100, (g[2] - g[0]) * (g[3] - g[1]) / (width * height) * 100,
              'overlaps' if overlap else 'stays clear of'))


try:
    game_ms, before_ms, bare_ms = [], [], []
    title = 'return window.kxStats && window.kxStats.titleDrawnMs'
    for visit in range(visits):  # taking turns, so that all see the same machine
        if before_site:
            before_ms.append(first_visit('before/index.html?seed=1', title, 3 * visit + 2))
        game_ms.append(first_visit('index.html?seed=1', title, 3 * visit))
        bare_ms.append(first_visit('bare.html', 'return window.kxBareMs === undefined ? null : window.kxBareMs',
                                   3 * visit + 1))
    game, bare = statistics.median(game_ms), statistics.median(bare_ms)
    print('first visit, navigation to the title drawn: median %.0f ms (%s)' % (
        game, ', '.join('%.0f' % v for v in game_ms)))
    print('first visit, the page holding only a canvas: median %.0f ms (%s); the game takes %.2fx' % (
        bare, ', '.join('%.0f' % v for v in bare_ms), game / bare))
    if before_site:
        before = statistics.median(before_ms)
        print('first visit, %s in the same run: median %.0f ms (%s), %.2fx the bare page' % (
            before_site, before, ', '.join('%.0f' % v for v in before_ms), before / bare))
        # Each pair of visits was made a second apart: their difference leaves out most of the
        # machine's changing load.
        change = [g - b for g, b in zip(game_ms, before_ms)]
        print('first visit, the site against %s, visit by visit: median %+.0f ms, %d of %d sooner' % (
            before_site, statistics.median(change), sum(1 for c in change if c < 0), len(change)))
    later = []
    for visit in range(visits):
        d.get(base + 'index.html?seed=1&n=%d' % visit)
        later.append(wait_value('return window.kxStats && window.kxStats.titleDrawnMs'))
    print('later visits (cache and service worker warm): median %.0f ms' % statistics.median(later))

    for width, height, scale in ((844, 390, 3), (390, 844, 3), (1024, 768, 2)):
        layout(width, height, scale)
    if seconds > 0:
        play(1)
        play(4)
finally:
    d.quit()
    httpd.shutdown()
    shutil.rmtree(root, ignore_errors=True)
    shutil.rmtree(profile, ignore_errors=True)
