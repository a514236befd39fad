#!/usr/bin/python3
# Measures the browser build in Debian's headless chromium, served from 127.0.0.1:
#   the site's size as a server sends it (gzip -9), the time from navigation to the title drawn,
#   the main-thread time per animation frame in play, and the tick cadence over a stretch of play.
#   tools/measure_web.py [SITE_DIR] [SECONDS]
import functools, gzip, http.server, os, socketserver, statistics, sys, tempfile, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = sys.argv[1] if len(sys.argv) > 1 else 'build/web/site'
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 30

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


httpd = socketserver.ThreadingTCPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=site))
threading.Thread(target=httpd.serve_forever, daemon=True).start()
url = 'http://127.0.0.1:%d/index.html' % httpd.server_address[1]

o = webdriver.ChromeOptions()
for a in ('--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking '
          '--disable-component-update --disable-sync --window-size=1000,800').split():
    o.add_argument(a)
o.add_argument('--user-data-dir=' + tempfile.mkdtemp(prefix='kx_measure_'))
d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)
try:
    loads = []
    for attempt in range(6):
        d.get(url + '?seed=1&n=%d' % attempt)
        end = time.time() + 10
        while time.time() < end and d.execute_script('return window.kxStats && window.kxStats.titleDrawnMs') is None:
            time.sleep(0.02)
        loads.append(d.execute_script('return window.kxStats.titleDrawnMs'))  # since navigation start
    print('navigation to title drawn: first %.0f ms, then median %.0f ms (%s)' % (
        loads[0], statistics.median(loads[1:]), ', '.join('%.0f' % v for v in loads)))

    # Play: a game with a key held now and then, kept going by starting again after each game over.
    d.get(url + '?seed=1')
    time.sleep(1)
    d.execute_script("""
      window.kxDrive = setInterval(() => {
        const s = window.kxState();
        const key = (type, code) => window.dispatchEvent(new KeyboardEvent(type, {code}));
        if (!s.running && !s.box) { key('keydown', 'Enter'); key('keyup', 'Enter'); }
        if (s.box) { key('keydown', 'Enter'); key('keyup', 'Enter'); }
      }, 200);""")
    time.sleep(2)
    d.execute_script('window.kxStats.frameMs = []; window.kxStats.tickLog = [];')
    time.sleep(seconds)
    frame_ms = d.execute_script('return window.kxStats.frameMs')
    log = d.execute_script('return window.kxStats.tickLog')
    print('main thread per frame in play: median %.3f ms, 95th %.3f ms over %d frames' % (
        statistics.median(frame_ms), sorted(frame_ms)[int(len(frame_ms) * 0.95)], len(frame_ms)))
    # The cadence over each stretch of uninterrupted play (a game over stops the clock).
    runs, ticks, span = [], 0, 0.0
    for (t0, k0), (t1, k1) in zip(log, log[1:]):
        if 0 <= k1 - k0 <= 8 and t1 - t0 < 200:
            ticks += k1 - k0
            span += t1 - t0
    rate = ticks / (span / 1000) if span else 0
    print('tick cadence in play: %.2f Hz over %.1f s of play (%.2f %% from 64 Hz)' % (
        rate, span / 1000, abs(rate - 64) / 64 * 100))
finally:
    d.quit()
    httpd.shutdown()
