#!/usr/bin/python3
# The zip for game portals (kippura-x-VERSION-web.zip) as a portal takes it, in Chromium: the zip
# holds the site and nothing else, index.html at its root, within a portal's limits (at most 1000
# files, paths under 240 characters), every address in it relative; unpacked into a sub-folder of
# one server (http://127.0.0.1:P/games/kippura-x/), the game asks for nothing outside that folder,
# alone (its manifest and service worker scoped to the folder) and in a portal's frame: an 800 x 600
# iframe below the first screen of a long page of another origin (http://localhost:Q/), with the
# portal's own fullscreen button outside it. There loading never scrolls the page (also when the
# page was scrolled to the frame first), one click into the frame gives the game the keys, the
# game's own fullscreen button works from inside the frame, and the game fills the frame, and the
# screen in the portal's fullscreen, at the largest factor the layout rule allows.
#   portal_test.py SITE_DIR WEB_ZIP
import functools, http.server, math, os, re, socketserver, sys, tempfile, threading, time, zipfile

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from web_support import H, W, browser, press, severe_logs, wait_for

SITE, ZIP = sys.argv[1:3]
FOLDER = '/games/kippura-x/'
ANOTHER_GAME = '/games/another-game/'
TEXT = ('.html', '.js', '.css', '.webmanifest')
# The layout rule's gap around the page's bar (BAR_GAP in layout.js).
BAR_GAP = 2
# Headless Chromium's screen, which fullscreen fills: room for the game at three times its size.
SCREEN = '--screen-info={1280x1000}'


class Logged(http.server.SimpleHTTPRequestHandler):
    """Serves a folder and notes every path asked for with its status."""
    def log_request(self, code='-', size='-'):
        self.server.asked.append((self.path, int(code) if str(code).isdigit() else code))

    def log_message(self, *args): pass


class Origin:
    """One origin: a folder served on 127.0.0.1 under a host name (127.0.0.1 or localhost)."""
    def __init__(self, root, host):
        self.httpd = socketserver.ThreadingTCPServer(('127.0.0.1', 0), functools.partial(Logged, directory=root))
        self.httpd.asked = []
        self.url = 'http://%s:%d/' % (host, self.httpd.server_address[1])
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def asked(self):
        return list(self.httpd.asked)

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def relative(address):
    """Whether an address leads from the file that names it, not from the server's root or another site."""
    return not re.match(r'^([a-zA-Z][a-zA-Z0-9+.-]*:|/)', address)


def addresses_in(name, text):
    """The addresses of files a file of the site names: its links and sources, what its scripts
    fetch and register, the manifest's start, scope and icons, the service worker's list."""
    found = []
    if name.endswith(('.html', '.js')):
        found += re.findall(r"""\b(?:fetch|register)\(\s*['"]([^'"]*)""", text)
    if name.endswith('.html'):
        found += re.findall(r'\b(?:src|href)\s*=\s*"([^"]*)"', text)
    if name.endswith('.css'):
        found += re.findall(r"""url\(\s*['"]?([^'")]*)""", text)
    if name.endswith('.webmanifest'):
        found += re.findall(r'"(?:start_url|scope|src)"\s*:\s*"([^"]*)"', text)
    if name == 'sw.js':
        found += re.findall(r"'([^']*)'", re.search(r'FILES = \[([^\]]*)\]', text)[1])
    return found


def check_the_limits(names):
    assert 'index.html' in names, ('no index.html at the root', names)
    assert len(names) <= 1000, ('more files than a portal takes', len(names))
    assert all(len(n) < 240 and not n.startswith('/') and '..' not in n.split('/') and '\\' not in n for n in names), (
        names)


def check_the_site_in(contents):
    site = {}
    for root, _, files in os.walk(SITE):
        for name in files:
            path = os.path.join(root, name)
            site[os.path.relpath(path, SITE).replace(os.sep, '/')] = open(path, 'rb').read()
    assert contents == site, ('the zip is not the site', sorted(set(contents) ^ set(site)),
                              [n for n in contents if n in site and contents[n] != site[n]])


def check_only_relative_addresses(contents):
    """Every address the page names is relative and leads to a file of the zip; no file names one
    of the site's files by an absolute path or a whole URL. Returns how many addresses it named."""
    named = 0
    for name, data in contents.items():
        if not name.endswith(TEXT):
            continue
        text = data.decode('utf-8')
        for address in addresses_in(name, text):
            assert relative(address), ('not relative', name, address)
            path = os.path.normpath(os.path.join(os.path.dirname(name), re.split('[?#]', address)[0]))
            assert path == '.' or path in contents, ('names no file of the zip', name, address)
            named += 1
        absolute = [path for path in re.findall(r"""["'`(=]\s*(/[^\s"'`()<>]*)""", text)
                    if any(path.endswith('/' + other) for other in contents)]
        assert not absolute, (name, absolute)
        urls = [url for url in re.findall(r"""https?://[^\s"'`)<>]*""", text)
                if 'localhost' in url or '127.0.0.1' in url or any(url.endswith(other) for other in contents)]
        assert not urls, (name, urls)
    return named


def check_the_zip():
    with zipfile.ZipFile(ZIP) as z:
        entries = z.infolist()
        contents = {e.filename: z.read(e) for e in entries}
    names = [e.filename for e in entries]
    check_the_limits(names)
    # The same bytes wherever it is made: a fixed order, one time, one mode (tools/site_zip.py).
    assert names == sorted(names, key=str.encode), names
    assert len({e.date_time for e in entries}) == 1 and {e.external_attr >> 16 for e in entries} == {0o100644}, [
        (e.filename, e.date_time, oct(e.external_attr >> 16)) for e in entries]
    check_the_site_in(contents)
    return names, check_only_relative_addresses(contents)


def unpack(root):
    """The zip unpacked into the portal's sub-folder of root, as a portal serves it."""
    folder = os.path.join(root, FOLDER.strip('/'))
    with zipfile.ZipFile(ZIP) as z:
        z.extractall(folder)
    return folder


def outside_the_folder(origin):
    return [(path, code) for path, code in origin.asked()
            if not path.startswith((FOLDER, ANOTHER_GAME)) or code not in (200, 304)]


def until(d, condition, timeout=10):
    """Waits for a script's condition in the document the driver is in."""
    end = time.time() + timeout
    while time.time() < end:
        if d.execute_script('return ' + condition):
            return
        time.sleep(0.05)
    raise AssertionError('timed out waiting for ' + condition)


def another_game(root):
    """Another game of the portal, in a folder beside the game's on the same origin, that keeps a
    cache of its own."""
    folder = os.path.join(root, ANOTHER_GAME.strip('/'))
    os.makedirs(folder)
    with open(os.path.join(folder, 'index.html'), 'w') as f:
        f.write('<!doctype html><title>another game</title><link rel="icon" href="data:,"><script>'
                'caches.open("another-game").then((c) => c.put("saved", new Response("its level 9")))'
                '.then(() => { document.title = "saved"; });</script>')


def test_the_zip_as_a_portal_takes_it():
    names, named = check_the_zip()
    print('  %d files, %d bytes, the longest path %d characters; %d addresses in the page, all relative' % (
        len(names), os.path.getsize(ZIP), max(map(len, names)), named))


def test_alone_in_a_sub_folder():
    root = tempfile.mkdtemp(prefix='kx_portal_b_')
    unpack(root)
    another_game(root)
    games = Origin(root, '127.0.0.1')
    d = browser()
    try:
        d.get(games.url + ANOTHER_GAME[1:])
        until(d, 'document.title === "saved"')
        # An earlier build of the game, which named its cache by its version alone, was played here.
        d.execute_async_script('caches.open("kippura-x-v3").then(() => arguments[0]())')
        base = games.url + FOLDER[1:]
        d.get(base)
        wait_for(d, lambda s: s['ticks'] == 0)
        # The manifest's start and scope are the folder, and so is the service worker's scope.
        manifest = d.execute_cdp_cmd('Page.getAppManifest', {})
        assert manifest['errors'] == [] and manifest['url'] == base + 'manifest.webmanifest', manifest
        app = manifest['manifest']
        assert app['startUrl'] == base and app['scope'] == base, (app['startUrl'], app['scope'])
        scope = d.execute_async_script('navigator.serviceWorker.ready.then((r) => arguments[0](r.scope))')
        assert scope == base, scope
        d.refresh()  # now under the worker
        wait_for(d, lambda s: s['ticks'] == 0)
        press(d, Keys.ENTER)
        wait_for(d, lambda s: s['running'] and s['ticks'] > 10)
        # The game's offline copy, named by its folder, leaves the other games' caches on the
        # portal's origin alone; the earlier build's is gone.
        kept = d.execute_async_script('caches.keys().then(arguments[0])')
        ours = [name for name in kept if name != 'another-game']
        assert 'another-game' in kept and len(ours) == 1, kept
        assert re.fullmatch(r'kippura-x-v[0-9]+ ' + re.escape(base), ours[0]), kept
        asked_only_its_folder_without_errors(d, games)
    finally:
        d.quit()
        games.stop()


def asked_only_its_folder_without_errors(d, games):
    """The game asked the server for nothing outside its folder, and the browser logged no error."""
    assert outside_the_folder(games) == [], outside_the_folder(games)
    errors = severe_logs(d)  # (reading the log empties it)
    assert errors == [], errors


def host_page(game_url, load_now):
    """A portal's page: a long page with the game's frame below the first screen, the portal's own
    fullscreen button outside the frame, and a note of every scroll. Without load_now the frame
    loads when the test says."""
    source = ('src="%s"' if load_now else 'data-src="%s"') % game_url
    return ('<!doctype html><html><head><meta charset="utf-8"><title>A portal</title>'
            '<link rel="icon" href="data:,"></head>'
            '<body style="margin:0; font: 16px sans-serif">'
            '<div id="top" style="height:1200px">A portal\'s page, its games, its adverts</div>'
            '<p><button id="portal-fullscreen" type="button">Full screen</button></p>'
            '<iframe id="game" %s width="800" height="600" allow="fullscreen; gamepad; autoplay" allowfullscreen'
            ' frameborder="0"></iframe>'
            '<div style="height:3000px">Comments, more games</div>'
            '<script>'
            'window.scrolls = [];'
            'addEventListener("scroll", () => scrolls.push(scrollY));'
            'document.getElementById("portal-fullscreen").addEventListener("click",'
            ' () => document.getElementById("game").requestFullscreen());'
            '</script></body></html>' % source)


def frame_state(d, frame, what, timeout=20):
    d.switch_to.frame(frame)
    try:
        return wait_for(d, what, timeout)
    finally:
        d.switch_to.default_content()


def largest_factor(d):
    """From inside the frame: the factor the layout rule gives the game in the stage as it is now
    (the largest whole one that leaves the page's bar its room above or beside the game, where it
    is also the whole factor without the bar; otherwise the fraction that fits), and the factor at
    which the canvas shows."""
    m = d.execute_script("""
      const stage = document.getElementById('stage'), bar = document.getElementById('bar').getBoundingClientRect();
      const game = document.getElementById('screen').getBoundingClientRect();
      return {width: stage.clientWidth, height: stage.clientHeight, barW: bar.width, barH: bar.height,
              dpr: devicePixelRatio, gameW: game.width, gameH: game.height};""")
    width, height, dpr = m['width'], m['height'], m['dpr']
    above = min(width / W, (height - m['barH'] - 2 * BAR_GAP) / H)
    beside = min((width - m['barW'] - 2 * BAR_GAP) / W, height / H)
    room = max(above, beside)
    whole = math.floor(room * dpr)
    factor = whole / dpr if whole >= 1 and whole == math.floor(min(width / W, height / H) * dpr) else room
    return factor, (m['gameW'] / W, m['gameH'] / H), (width, height)


def check_the_fit(d, where, at_least):
    factor, shown, size = largest_factor(d)
    print('  %s, %d x %d: the game at %g (%g x %g)' % (where, size[0], size[1], factor, factor * W, factor * H))
    assert factor == int(factor) and factor >= at_least, (where, 'not a whole factor of %d or more' % at_least, factor,
                                                           size)
    assert shown == (factor, factor), (where, 'shown at', shown, 'not', factor, size)


def test_in_a_portals_frame():
    b_root, a_root = tempfile.mkdtemp(prefix='kx_portal_b_'), tempfile.mkdtemp(prefix='kx_portal_a_')
    unpack(b_root)
    games, portal = Origin(b_root, '127.0.0.1'), Origin(a_root, 'localhost')
    game_url = games.url + FOLDER[1:] + 'index.html'
    for name, load_now in (('host.html', True), ('scrolled.html', False)):
        with open(os.path.join(a_root, name), 'w') as f:
            f.write(host_page(game_url, load_now))
    d = browser(arguments=[SCREEN])
    try:
        # Loading and the title never scroll the portal's page, nor take its keyboard.
        d.get(portal.url + 'host.html')
        frame = d.find_element(By.ID, 'game')
        frame_state(d, frame, lambda s: s['ticks'] == 0)
        time.sleep(1)  # the game runs its title, its service worker registers
        scrolled = d.execute_script('return [scrollY, scrolls, document.activeElement === document.body]')
        assert scrolled == [0, [], True], ('loading scrolled the page or took the keyboard', scrolled)

        # The same where the reader scrolled to the frame before it loads.
        d.get(portal.url + 'scrolled.html')
        frame = d.find_element(By.ID, 'game')
        # (The scroll event of the reader's own scroll comes with the next frames: let it pass.)
        at = d.execute_async_script('const [frame, done] = arguments; frame.scrollIntoView();'
                                    'requestAnimationFrame(() => requestAnimationFrame(() => {'
                                    '  scrolls.length = 0; frame.src = frame.dataset.src; done(scrollY); }))', frame)
        assert at > 0, at
        frame_state(d, frame, lambda s: s['ticks'] == 0)
        time.sleep(1)
        scrolled = d.execute_script('return [scrollY, scrolls]')
        assert scrolled == [at, []], ('loading moved the page from %d' % at, scrolled)

        # One click into the frame, and the keys are the game's; the page stays where it is.
        ActionChains(d).move_to_element(frame).click().perform()
        clicked_at = d.execute_script('return scrollY')
        press(d, Keys.ENTER)
        s = frame_state(d, frame, lambda s: s['running'] and s['ticks'] > 60)
        for key in (Keys.ARROW_DOWN, Keys.SPACE, Keys.PAGE_DOWN):
            press(d, key, 0.3)
        moved = frame_state(d, frame, lambda s: True)
        assert moved['chick'][1] > s['chick'][1], ('the keys did not reach the game', s, moved)
        assert d.execute_script('return scrollY') == clicked_at, 'the portal scrolled under the game\'s keys'

        # The game fills the 800 x 600 frame at the largest factor.
        d.switch_to.frame(frame)
        check_the_fit(d, 'in the frame', 2)
        # The game's own fullscreen button, clicked inside the frame, and again to leave.
        d.find_element(By.ID, 'fullscreen').click()
        until(d, 'document.fullscreenElement !== null')
        time.sleep(0.3)  # the page fits itself to the screen
        check_the_fit(d, "the game's fullscreen", 3)
        d.find_element(By.ID, 'fullscreen').click()
        until(d, 'document.fullscreenElement === null')
        d.switch_to.default_content()

        # The portal's own fullscreen button makes the frame fill the screen.
        d.find_element(By.ID, 'portal-fullscreen').click()
        until(d, "document.fullscreenElement === document.getElementById('game')")
        time.sleep(0.3)
        d.switch_to.frame(frame)
        check_the_fit(d, "the portal's fullscreen", 3)
        d.switch_to.default_content()
        d.execute_script('document.exitFullscreen()')
        until(d, 'document.fullscreenElement === null')

        asked_only_its_folder_without_errors(d, games)
    finally:
        d.quit()
        games.stop()
        portal.stop()


def main():
    if not os.path.isfile(ZIP):
        print('no %s: the browser build makes it (cmake --build --preset web)' % ZIP)
        return 1
    only = os.environ.get('KX_WEB_TESTS')
    failed = 0
    for test in (test_the_zip_as_a_portal_takes_it, test_alone_in_a_sub_folder, test_in_a_portals_frame):
        if only and test.__name__ not in only.split(','):
            continue
        started = time.time()
        try:
            test()
            print('ok   %s (%.1f s)' % (test.__name__, time.time() - started), flush=True)
        except Exception as e:
            failed += 1
            print('FAIL %s: %s: %s' % (test.__name__, type(e).__name__, e), flush=True)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
