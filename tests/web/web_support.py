# What the Chromium tests share: the site served from a fresh directory, the browser, the game's
# state as the page reports it, keys, the canvas's pixels and PNG files read without a library.
import base64, contextlib, functools, http.server, os, shutil, socketserver, struct, subprocess, sys, tempfile, threading
import time, zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

W, H = 392, 286


def read_png_rgb(path):
    """The pixels of an 8-bit, non-interlaced RGB or RGBA PNG as bytes, RGB per pixel."""
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, idat, width = 8, b'', 0
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (depth, colour, interlace)
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1: line[i] = (line[i] + a) & 255
            elif kind == 2: line[i] = (line[i] + b) & 255
            elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if channels == 3 else bytes(v for k, v in enumerate(line) if k % 4 != 3))
        prev = line
    return b''.join(rows)


class Server:
    """The site and the replays, served from a fresh directory on 127.0.0.1."""
    def __init__(self, site, replays):
        self.root = tempfile.mkdtemp(prefix='kx_web_')
        shutil.copytree(site, self.root, dirs_exist_ok=True)
        shutil.copytree(replays, os.path.join(self.root, 'replays'))
        # A portal's long page with the game in a frame further down, below the window's height.
        with open(os.path.join(self.root, 'host.html'), 'w') as f:
            f.write('<!doctype html><html><body style="margin:0"><div id="top" style="height:900px">a long page</div>'
                    '<iframe id="game" src="index.html?seed=5" width="800" height="600"></iframe>'
                    '<div style="height:5000px">more of the page</div></body></html>')
        handler = functools.partial(Quiet, directory=self.root)
        self.httpd = socketserver.ThreadingTCPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args): pass


def browser(touch=False, arguments=()):
    o = webdriver.ChromeOptions()
    for a in ('--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking '
              '--disable-component-update --disable-sync --window-size=1000,800').split() + list(arguments):
        o.add_argument(a)
    o.add_argument('--user-data-dir=' + tempfile.mkdtemp(prefix='kx_chromium_'))
    o.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)
    if touch:
        d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    return d


def state(d):
    return d.execute_script('return window.kxState && window.kxState()')


def wait_for(d, what, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        s = state(d)
        if s and what(s):
            return s
        time.sleep(0.05)
    raise AssertionError('timed out; state %r' % (state(d),))


def press(d, key, hold=0.05):
    ActionChains(d).key_down(key).perform()
    time.sleep(hold)
    ActionChains(d).key_up(key).perform()


def canvas_rgb(d):
    data = d.execute_script(
        "const c = document.getElementById('screen');"
        "const p = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;"
        "let s = ''; for (let i = 0; i < p.length; i += 4) s += String.fromCharCode(p[i], p[i+1], p[i+2]);"
        "return btoa(s);")
    return base64.b64decode(data)


def severe_logs(d):
    return [e for e in d.get_log('browser') if e['level'] == 'SEVERE']


def run(tests, site, replays):
    """Runs each test with a fresh server; KX_WEB_TESTS=name,name runs only those."""
    only = os.environ.get('KX_WEB_TESTS')
    failed = 0
    for test in tests:
        if only and test.__name__ not in only.split(','):
            continue
        server = Server(site, replays)
        started = time.time()
        try:
            test(server)
            print('ok   %s (%.1f s)' % (test.__name__, time.time() - started), flush=True)
        except Exception as e:
            failed += 1
            print('FAIL %s: %s: %s' % (test.__name__, type(e).__name__, e), flush=True)
        finally:
            with contextlib.suppress(Exception):
                server.stop()
    return 1 if failed else 0


def drop(d, name, data):
    """Drops a file of these bytes on the page, as a file manager would."""
    d.execute_script("""
      const bytes = Uint8Array.from(atob(arguments[1]), (c) => c.charCodeAt(0));
      const files = new DataTransfer();
      files.items.add(new File([bytes], arguments[0]));
      document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: files, bubbles: true, cancelable: true}));""",
                     name, base64.b64encode(data).decode())


def controls_clear_of_game(d, expected):
    """Asserts that each control shown (the bar's, the message, the keys line, the pad, the watch bar) lies in the window and off
    the game, and that those `expected` are among them; returns the game's box."""
    shown = d.execute_script("""
      const box = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
      const all = [...document.querySelectorAll('#bar > *'), ...document.querySelectorAll('#message, #keys, #stick, #fire, #watch')];
      const shown = {game: box(document.getElementById('screen')), view: [0, 0, innerWidth, innerHeight]};
      for (const e of all) if (e.getClientRects().length) shown[e.id] = box(e);
      return shown;""")
    game, view = shown.pop('game'), shown.pop('view')
    assert set(expected) <= set(shown), ('not shown', expected, shown)
    for name, z in shown.items():
        assert not (z[0] < game[2] and game[0] < z[2] and z[1] < game[3] and game[1] < z[3]), (name, 'on the game', z, game)
        assert view[0] <= z[0] and z[2] <= view[2] and view[1] <= z[1] and z[3] <= view[3], (name, 'off the window', z, view)
    return game


def watch_url(replays, name='game_over_and_again.txt'):
    """The page watching a golden replay to its end (the tick limit past its last event, quickly)."""
    last = max(int(l.split()[0]) for l in open(os.path.join(replays, name)) if l[:1].isdigit())
    return 'index.html?input=replays/%s&ticks=%d&tick-rate=1000' % (name, last + 2000)


def link_shown(d):
    wait_for(d, lambda s: d.execute_script("return !document.getElementById('download').hidden"), timeout=120)


def watch_to_the_end(d, url, replays):
    """Loads the page watching a golden replay to its end, where the link to the game shows."""
    d.get(url + watch_url(replays))
    link_shown(d)


def native(binary, *args):
    """What the native program prints for these arguments (--link, --verify)."""
    return subprocess.run([binary, *args], check=True, capture_output=True, text=True).stdout.strip()


def headless_rgb(binary, input_file, ticks):
    """The headless screenshot of an input file at a tick, RGB per pixel."""
    png = tempfile.mktemp(suffix='.png')
    subprocess.run([binary, '--headless', '--input', input_file, '--ticks', str(ticks), '--screenshot', png], check=True)
    rgb = read_png_rgb(png)
    os.remove(png)
    return rgb
