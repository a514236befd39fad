#!/usr/bin/python3
# Measures how long a key takes to show in the browser build, in Debian's headless Chromium: in
# play, at random moments of the tick, the key in Z's place goes down through the browser's own
# input (DevTools' Input.dispatchKeyEvent), and the page's keydown event's timestamp is set against
# the first animation frame that puts the shot's pixels on the canvas. A game over (no shot within
# 300 ms) closes the box and starts again, uncounted.
#   tools/measure_web_key_latency.py [SITE_DIR] [PRESSES]     (default build/web/site, 200)
import functools, http.server, random, socketserver, statistics, sys, tempfile, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = sys.argv[1] if len(sys.argv) > 1 else 'build/web/site'
presses = int(sys.argv[2]) if len(sys.argv) > 2 else 200

# Where the shot first shows beside the idle chick, in frame pixels, and how much of it is white.
REGION = (92, 108, 24, 26)
SHOT_PIXELS = 80
TICK_S = 1 / 64

# In the page before its own scripts: the press's timestamp, and the time of the first frame put
# on the canvas that shows the shot.
HOOK = """
(() => {
  const L = window.kxLatency = {pressedAt: null, shown: []};
  addEventListener('keydown', (e) => {
    if (e.code === 'KeyZ' && !e.repeat && L.pressedAt === null) L.pressedAt = e.timeStamp;
  }, true);
  const white = (image) => {
    let n = 0;
    for (let y = %d; y < %d; ++y)
      for (let x = %d; x < %d; ++x) {
        const i = (y * image.width + x) * 4;
        if (image.data[i] === 255 && image.data[i + 1] === 255 && image.data[i + 2] === 255) ++n;
      }
    return n;
  };
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
    put.call(this, image, ...rest);
    L.white = white(image);
    if (L.pressedAt !== null && L.white >= %d) {
      L.shown.push(performance.now() - L.pressedAt);
      L.pressedAt = null;
    }
  };
})();
""" % (REGION[1], REGION[1] + REGION[3], REGION[0], REGION[0] + REGION[2], SHOT_PIXELS)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args): pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    block_on_close = False


httpd = Server(('127.0.0.1', 0), functools.partial(Quiet, directory=site))
threading.Thread(target=httpd.serve_forever, daemon=True).start()

o = webdriver.ChromeOptions()
for a in ('--headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking '
          '--disable-component-update --disable-sync --window-size=1000,800').split():
    o.add_argument(a)
o.add_argument('--user-data-dir=' + tempfile.mkdtemp(prefix='kx_latency_'))
d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)
d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': HOOK})


def key(kind, code, text, virtual):
    d.execute_cdp_cmd('Input.dispatchKeyEvent', {
        'type': kind, 'code': code, 'key': text or code, 'text': text if kind == 'keyDown' else '',
        'windowsVirtualKeyCode': virtual, 'nativeVirtualKeyCode': virtual})


def tap(code, text, virtual):
    key('keyDown', code, text, virtual)
    time.sleep(0.03)
    key('keyUp', code, text, virtual)


def start_again():
    tap('Enter', '\r', 13)  # closes the box of a game that ended
    time.sleep(0.3)
    tap('Space', ' ', 32)
    time.sleep(1.2)  # the chick's flight in


try:
    d.get('http://127.0.0.1:%d/index.html?seed=3' % httpd.server_address[1])
    end = time.time() + 30
    while not d.execute_script('return window.kxState && window.kxState() && window.kxState().ticks !== undefined'):
        if time.time() > end:
            sys.exit('measure_web_key_latency: the page did not start')
        time.sleep(0.05)
    d.find_element('id', 'screen').click()
    start_again()
    restarts = 0
    rng = random.Random(20261209)
    while d.execute_script('return window.kxLatency.shown.length') < presses:
        if restarts > presses:
            sys.exit('measure_web_key_latency: the shot did not show')
        time.sleep(0.02 + rng.uniform(0, TICK_S))
        if d.execute_script('return window.kxLatency.white || 0') > SHOT_PIXELS / 4:
            time.sleep(0.1)
            continue
        before = d.execute_script('window.kxLatency.pressedAt = null; return window.kxLatency.shown.length')
        key('keyDown', 'KeyZ', 'z', 90)
        end = time.time() + 0.3
        while d.execute_script('return window.kxLatency.shown.length') == before and time.time() < end:
            time.sleep(0.005)
        key('keyUp', 'KeyZ', 'z', 90)
        if d.execute_script('return window.kxLatency.shown.length') == before:
            restarts += 1
            start_again()
            continue
        time.sleep(0.6)  # the shot flies off
    shown = d.execute_script('return window.kxLatency.shown')
    shown.sort()
    print('page in Chromium: presses %d (games started again %d): median %.1f ms, 99th percentile %.1f ms, '
          'worst %.1f ms, mean %.1f ms' % (len(shown), restarts, statistics.median(shown),
                                           shown[min(len(shown) - 1, round(0.99 * (len(shown) - 1)))],
                                           shown[-1], statistics.mean(shown)))
finally:
    d.quit()
    httpd.shutdown()
