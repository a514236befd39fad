#!/usr/bin/python3
# Makes the README's pictures of the browser page with Debian's headless chromium: the page on a
# desktop (docs/web-page.png) and on a phone held sideways, in Chromium's mobile emulation, in the
# middle of the recorded game of tests/replays (docs/web-phone.png).
#   tools/web_screenshots.py [SITE_DIR]
import base64, functools, http.server, os, shutil, socketserver, sys, tempfile, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
site = sys.argv[1] if len(sys.argv) > 1 else 'build/web/site'


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args): pass


root = tempfile.mkdtemp(prefix='kx_screenshots_')
shutil.copytree(site, root, dirs_exist_ok=True)
shutil.copytree('tests/replays', os.path.join(root, 'replays'))
httpd = socketserver.ThreadingTCPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=root))
threading.Thread(target=httpd.serve_forever, daemon=True).start()
base = 'http://127.0.0.1:%d/index.html' % httpd.server_address[1]

o = webdriver.ChromeOptions()
for a in ('--headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking '
          '--disable-component-update --disable-sync --hide-scrollbars --window-size=900,517').split():
    o.add_argument(a)
o.add_argument('--user-data-dir=' + tempfile.mkdtemp(prefix='kx_screenshots_chromium_'))
d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)


def shoot(url, path, until):
    d.get(url)
    end = time.time() + 60
    while not d.execute_script('return window.kxState && window.kxState() && (%s)' % until):
        if time.time() > end:
            raise RuntimeError('the page never showed ' + until)
        time.sleep(0.05)
    time.sleep(0.3)
    shot = d.execute_cdp_cmd('Page.captureScreenshot', {'format': 'png'})
    with open(path, 'wb') as f:
        f.write(base64.b64decode(shot['data']))
    print('wrote', path)


try:
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {'width': 900, 'height': 517, 'deviceScaleFactor': 1,
                                                             'mobile': False})
    shoot(base + '?seed=1', 'docs/web-page.png', 'window.kxState().ticks === 0')
    # A phone held sideways (844 x 390 CSS pixels), at 2 device pixels per CSS pixel so that the
    # picture stays a reasonable size; the game stops at tick 1000 of the recorded game.
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {'width': 844, 'height': 390, 'deviceScaleFactor': 2,
                                                             'mobile': True,
                                                             'screenOrientation': {'type': 'landscapePrimary',
                                                                                   'angle': 90}})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    shoot(base + '?input=replays/full_game.txt&ticks=1000&tick-rate=1000', 'docs/web-phone.png',
          'window.kxState().finished')
finally:
    d.quit()
    httpd.shutdown()
    shutil.rmtree(root, ignore_errors=True)
