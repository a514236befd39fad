#!/usr/bin/python3
# The game in a real browser (Debian's chromium, driven through chromedriver): the page loads
# cleanly, keys play, replays of the golden files end on the headless screenshot pixel for
# pixel, the box closes, focus loss pauses, the touch pad steers, an embedding page never
# scrolls under the arrow keys, and the page comes back with the network gone.
#   web_test.py SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
import contextlib, functools, http.server, os, shutil, socketserver, struct, subprocess, sys, tempfile
import threading, time, zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

SITE, BINARY, REPLAYS = sys.argv[1:4]
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
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix='kx_web_')
        shutil.copytree(SITE, self.root, dirs_exist_ok=True)
        shutil.copytree(REPLAYS, os.path.join(self.root, 'replays'))
        with open(os.path.join(self.root, 'host.html'), 'w') as f:
            f.write('<!doctype html><html><body style="margin:0">'
                    '<iframe id="game" src="index.html?seed=5" width="800" height="600"></iframe>'
                    '<div style="height:5000px">a long page</div></body></html>')
        handler = functools.partial(Quiet, directory=self.root)
        self.httpd = socketserver.ThreadingTCPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args): pass


def browser(touch=False):
    o = webdriver.ChromeOptions()
    for a in ('--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking '
              '--disable-component-update --disable-sync --window-size=1000,800').split():
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
    import base64
    return base64.b64decode(data)


def severe_logs(d):
    return [e for e in d.get_log('browser') if e['level'] == 'SEVERE']


def test_loads_and_keys_play(server):
    d = browser()
    try:
        d.get(server.url + 'index.html?seed=7')
        wait_for(d, lambda s: s['ticks'] == 0)
        assert d.title == 'きっぷら-Ｘ ver1.20', d.title
        assert d.find_element(By.ID, 'screen').get_attribute('data-ticks') == '0'
        assert d.find_element(By.ID, 'pad').get_attribute('hidden') is not None, 'touch pad shown without touch'
        press(d, Keys.ENTER)
        s = wait_for(d, lambda s: s['running'] and s['ticks'] > 60)
        y = s['chick'][1]
        ActionChains(d).key_down(Keys.ARROW_DOWN).perform()
        time.sleep(0.3)
        ActionChains(d).key_up(Keys.ARROW_DOWN).perform()
        s = state(d)
        assert s['chick'][1] > y, (y, s)
        assert s['missing'] == '', s['missing']
        assert severe_logs(d) == [], severe_logs(d)
    finally:
        d.quit()


def test_replays_end_on_the_headless_screenshot(server):
    d = browser()
    try:
        for name in sorted(os.listdir(REPLAYS)):
            if not name.endswith('.txt'):
                continue
            last = max(int(l.split()[0]) for l in open(os.path.join(REPLAYS, name)) if l[:1].isdigit())
            for ticks in (last // 2, last + 2000):
                png = tempfile.mktemp(suffix='.png')
                subprocess.run([BINARY, '--headless', '--input', os.path.join(REPLAYS, name), '--ticks', str(ticks),
                                '--screenshot', png], check=True)
                d.get(server.url + 'index.html?input=replays/%s&ticks=%d&tick-rate=1000' % (name, ticks))
                s = wait_for(d, lambda s: s['finished'] or (not s['replaying'] and not s['running'] and not s['box']),
                             timeout=120)
                time.sleep(0.2)  # the newest frame is on the canvas
                shown = int(d.find_element(By.ID, 'screen').get_attribute('data-ticks'))
                assert shown == s['ticks'] and shown <= ticks, (name, ticks, shown, s)
                assert canvas_rgb(d) == read_png_rgb(png), '%s at %d ticks differs from the headless frame' % (
                    name, ticks)
                assert s['missing'] == ''
                print('  %s, %d ticks: the same frame at tick %d' % (name, ticks, shown))
        assert severe_logs(d) == [], severe_logs(d)
    finally:
        d.quit()


def play_to_game_over(d):
    press(d, Keys.ENTER)
    wait_for(d, lambda s: s['box'], timeout=60)  # left alone, the chick is soon shot down


def test_box_closes_on_return_and_on_click(server):
    d = browser()
    try:
        d.get(server.url + 'index.html?seed=3')
        wait_for(d, lambda s: s['ticks'] == 0)
        play_to_game_over(d)
        time.sleep(0.3)
        press(d, Keys.ARROW_LEFT)
        assert state(d)['box'], 'the arrows do not close the box'
        press(d, Keys.ENTER)
        wait_for(d, lambda s: not s['box'] and not s['running'])
        play_to_game_over(d)
        # OK on the box drawn in the canvas (its button spans 164..228 x 159..183 of the frame).
        c = d.find_element(By.ID, 'screen')
        r = d.execute_script('const r = arguments[0].getBoundingClientRect(); return [r.width, r.height]', c)
        ActionChains(d).move_to_element_with_offset(c, (196 - W / 2) * r[0] / W, (171 - H / 2) * r[1] / H).click().perform()
        wait_for(d, lambda s: not s['box'] and not s['running'])
        assert d.find_element(By.ID, 'download').get_attribute('hidden') is None, 'no link to the game just played'
    finally:
        d.quit()


def test_focus_loss_pauses(server):
    d = browser()
    try:
        d.get(server.url + 'index.html?seed=3')
        wait_for(d, lambda s: s['ticks'] == 0)
        press(d, Keys.ENTER)
        wait_for(d, lambda s: s['running'] and s['ticks'] > 75)  # in play: the fly-in does not pause
        d.execute_script("window.dispatchEvent(new Event('blur'))")  # what the browser sends on focus loss
        s = wait_for(d, lambda s: s['paused'])
        time.sleep(0.5)
        assert state(d)['ticks'] == s['ticks'], 'ticks ran while paused'
        assert d.find_element(By.ID, 'screen').get_attribute('data-paused') == '1'
        press(d, 'p')
        wait_for(d, lambda s: not s['paused'])
        time.sleep(0.2)
        assert state(d)['ticks'] > s['ticks'], 'P did not go on'
    finally:
        d.quit()


def touch(d, element, hold):
    r = d.execute_script('const r = arguments[0].getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]',
                         element)
    point = {'x': r[0], 'y': r[1], 'id': 1}
    d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [point]})
    time.sleep(hold)
    d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})


def test_touch_pad_steers(server):
    d = browser(touch=True)
    try:
        d.get(server.url + 'index.html?seed=9')
        wait_for(d, lambda s: s['ticks'] == 0)
        pad = d.find_element(By.ID, 'pad')
        assert pad.is_displayed(), 'no touch pad on a touch screen'
        touch(d, d.find_element(By.ID, 'screen'), 0.05)  # a tap on the title starts a game
        s = wait_for(d, lambda s: s['running'] and s['ticks'] > 60)
        touch(d, pad.find_element(By.CSS_SELECTOR, 'button.down'), 0.3)
        assert state(d)['chick'][1] > s['chick'][1], (s, state(d))
    finally:
        d.quit()


def test_guest_in_a_long_page(server):
    d = browser()
    try:
        d.get(server.url + 'host.html')
        frame = d.find_element(By.ID, 'game')
        d.switch_to.frame(frame)
        wait_for(d, lambda s: s['ticks'] == 0)
        d.find_element(By.ID, 'screen').click()
        press(d, Keys.ENTER)
        s = wait_for(d, lambda s: s['running'] and s['ticks'] > 60)
        for key in (Keys.ARROW_DOWN, Keys.SPACE, Keys.PAGE_DOWN, Keys.END):
            press(d, key, 0.08)
        moved = state(d)['chick']
        d.switch_to.default_content()
        assert d.execute_script('return window.scrollY') == 0, 'the host page scrolled'
        assert moved != s['chick'], 'the chick did not move'
        # Outside the game, the page scrolls as usual.
        d.find_element(By.TAG_NAME, 'div').click()
        press(d, Keys.PAGE_DOWN)
        time.sleep(0.5)
        assert d.execute_script('return window.scrollY') > 0, 'the host page no longer scrolls'
    finally:
        d.quit()


def test_offline(server):
    d = browser()
    try:
        d.get(server.url + 'index.html')
        wait_for(d, lambda s: s['ticks'] == 0)
        d.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        d.refresh()  # now under the worker, which keeps every file
        wait_for(d, lambda s: s['ticks'] == 0)
        assert d.execute_script('return !!navigator.serviceWorker.controller')
        server.stop()
        d.execute_cdp_cmd('Network.enable', {})
        d.execute_cdp_cmd('Network.emulateNetworkConditions',
                          {'offline': True, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})
        d.refresh()
        wait_for(d, lambda s: s['ticks'] == 0)
        press(d, Keys.ENTER)
        wait_for(d, lambda s: s['running'] and s['ticks'] > 10)
    finally:
        d.quit()


def main():
    tests = [test_loads_and_keys_play, test_replays_end_on_the_headless_screenshot,
             test_box_closes_on_return_and_on_click, test_focus_loss_pauses, test_touch_pad_steers,
             test_guest_in_a_long_page, test_offline]
    only = os.environ.get('KX_WEB_TESTS')
    failed = 0
    for test in tests:
        if only and test.__name__ not in only.split(','):
            continue
        server = Server()
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


if __name__ == '__main__':
    sys.exit(main())
