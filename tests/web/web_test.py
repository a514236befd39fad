#!/usr/bin/python3
# The game in a real browser (Debian's chromium, driven through chromedriver): the page loads
# cleanly, keys play, replays of the golden files end on the headless screenshot pixel for
# pixel, the box closes, focus loss pauses, the touch pad steers, an embedding page is never
# scrolled by loading or by the arrow keys, the page comes back with the network gone, and it
# installs as a game (fullscreen, sideways, its icons), nothing of the page lies on the game, the
# download is named by date and score, and input files are read as bytes (byte-order marks, UTF-16),
# the README's examples among them; and the page plays at the program's tick rate, having none of
# its own; keys go by their place and their label on five layouts, with ?keys= and its refusal;
# games as links are watched, sought, taken over and shared under the page's policy (links_test.py).
#   web_test.py SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
import datetime, glob, gzip, json, os, re, shutil, subprocess, sys, tempfile, time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from links_test import check_games_as_links
from web_support import (H, W, browser, canvas_rgb, controls_clear_of_game, drop, link_shown, press, read_png_rgb, run,
                         severe_logs, state, wait_for, watch_to_the_end, watch_url)

SITE, BINARY, REPLAYS = sys.argv[1:4]


KEY_DELAY = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'key_delay.js')).read()


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
        delayed = d.execute_script('return (%s)()' % KEY_DELAY)
        assert delayed == [], delayed
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
        touch(d, pad.find_element(By.CSS_SELECTOR, '#stick .down'), 0.3)
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
        d.switch_to.default_content()
        # Loading neither scrolls the host page nor takes its keyboard.
        assert d.execute_script('return window.scrollY') == 0, 'loading the game scrolled the host page'
        assert d.execute_script('return document.activeElement === document.body'), 'loading took the focus'
        d.switch_to.frame(frame)
        d.find_element(By.ID, 'screen').click()  # the driver scrolls the frame into view to click it
        d.switch_to.default_content()
        clicked_at = d.execute_script('return window.scrollY')
        d.switch_to.frame(frame)
        press(d, Keys.ENTER)
        s = wait_for(d, lambda s: s['running'] and s['ticks'] > 60)
        for key in (Keys.ARROW_DOWN, Keys.SPACE, Keys.PAGE_DOWN, Keys.END):
            press(d, key, 0.08)
        moved = state(d)['chick']
        d.switch_to.default_content()
        assert d.execute_script('return window.scrollY') == clicked_at, 'the host page scrolled under the keys'
        assert moved != s['chick'], 'the chick did not move'
        # Outside the game, the page scrolls as usual.
        d.execute_script('window.scrollTo(0, 0)')
        d.find_element(By.ID, 'top').click()
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


def test_installed_as_a_game(server):
    d = browser()
    try:
        d.get(server.url + 'index.html')
        wait_for(d, lambda s: s['ticks'] == 0)
        m = d.execute_cdp_cmd('Page.getAppManifest', {})  # as the browser reads it
        assert m['errors'] == [], m['errors']
        app = m['manifest']
        assert app['display'] == 'kFullscreen' and app['orientation'] == 'LANDSCAPE', app
        # Every icon is there in the size it claims, and both sizes come maskable too.
        sizes = d.execute_async_script('''
          const done = arguments[1];
          Promise.all(arguments[0].map((url) => new Promise((loaded) => {
            const image = new Image();
            image.onload = () => loaded(image.naturalWidth + 'x' + image.naturalHeight);
            image.onerror = () => loaded('missing');
            image.src = url;
          }))).then(done);''', [icon['url'] for icon in app['icons']])
        assert sizes == [icon['sizes'] for icon in app['icons']], (sizes, app['icons'])
        raw = d.execute_async_script("fetch('manifest.webmanifest').then((r) => r.json()).then(arguments[0])")
        for size in ('192x192', '512x512'):
            for purpose in ('any', 'maskable'):
                assert any(i['sizes'] == size and i.get('purpose', 'any') == purpose for i in raw['icons']), (
                    size, purpose)
    finally:
        d.quit()


def test_nothing_of_the_page_covers_the_game(server):
    d = browser()
    try:
        d.get(server.url + 'index.html')
        wait_for(d, lambda s: s['ticks'] == 0)
        for shown in (['fullscreen'], ['watch', 'download', 'fullscreen'], ['download', 'fullscreen'],
                      ['message', 'download', 'fullscreen']):
            if shown[0] == 'watch':
                watch_to_the_end(d, server.url, REPLAYS)
            if shown[0] == 'download':  # the player takes over: the watch bar goes
                d.execute_script("document.getElementById('take-over').click()")
                wait_for(d, lambda s: not s['watching'])
            if shown[0] == 'message':
                drop(d, 'bad.txt', b'0 sideways 32\n')
            for size in ((800, 600, 1), (640, 480, 1), (1000, 800, 1), (1280, 720, 1), (800, 600, 2)):
                d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                    'width': size[0], 'height': size[1], 'deviceScaleFactor': size[2], 'mobile': False})
                time.sleep(0.2)  # the page fits itself on the resize
                game = controls_clear_of_game(d, shown)
                print('  %d x %d at %d, %s: the game %g x %g' % (size + (' '.join(shown), game[2] - game[0],
                                                                         game[3] - game[1])))
                if size[:2] == (800, 600) and shown[0] in ('fullscreen', 'download'):
                    # A portal's usual frame still shows the game at twice its size, crisp.
                    assert (game[2] - game[0], game[3] - game[1]) == (784, 572), (size, shown, game)
        # In a portal's 800 x 600 frame, after a game.
        d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        with open(os.path.join(server.root, 'frame.html'), 'w') as f:
            f.write('<!doctype html><iframe id="game" src="%s" width="800" height="600"></iframe>' % watch_url(REPLAYS))
        d.get(server.url + 'frame.html')
        d.switch_to.frame(d.find_element(By.ID, 'game'))
        link_shown(d)
        controls_clear_of_game(d, ['watch', 'download', 'fullscreen'])
        d.execute_script("document.getElementById('take-over').click()")
        wait_for(d, lambda s: not s['watching'])
        time.sleep(0.2)
        game = controls_clear_of_game(d, ['download', 'fullscreen'])
        assert (game[2] - game[0], game[3] - game[1]) == (784, 572), ('in an 800 x 600 frame', game)
    finally:
        d.quit()


def test_the_download_is_named_by_date_and_score(server):
    d = browser()
    try:
        watch_to_the_end(d, server.url, REPLAYS)
        name = d.find_element(By.ID, 'download').get_attribute('download')
        m = re.fullmatch(r'kippura-x-([0-9]{4}-[0-9]{2}-[0-9]{2}-[0-9]{4})-score-([0-9]+)\.kxr', name)
        assert m, name
        assert datetime.datetime.now() - datetime.datetime.strptime(m[1], '%Y-%m-%d-%H%M') < datetime.timedelta(minutes=2)
        # The last game's score as its box showed it (the game resets the score as the box opens).
        trace = gzip.open(os.path.join(REPLAYS, 'game_over_and_again.trace.gz'), 'rt')
        boxes = [json.loads(l)['text'] for l in trace if '"msgbox"' in l]
        assert 'SCORE ' + m[2] == boxes[-1] != 'SCORE 0', (name, boxes)
    finally:
        d.quit()


def message(d):
    return d.execute_script("const m = document.getElementById('message');"
                            "return m.hidden ? null : [m.textContent, m.children.length]")


def test_input_files_are_read_as_bytes(server):
    powershell = b'\xff\xfe' + 'seed 3\r\n0 down 32\r\n3000 up 32\r\n'.encode('utf-16-le')
    with open(os.path.join(server.root, 'replays', 'powershell.txt'), 'wb') as f:
        f.write(powershell)
    d = browser()
    try:
        d.get(server.url + 'index.html?input=replays/powershell.txt')
        wait_for(d, lambda s: s['replaying'] and 'seed 3\n' in s['keys'])
        for name, data, seed in (('notepad.txt', b'\xef\xbb\xbfseed 4\n0 down 32\n3000 up 32\n', 4),
                                  ('powershell.txt', powershell, 3)):
            drop(d, name, data)
            wait_for(d, lambda s: s['replaying'] and 'seed %d\n' % seed in s['keys'])
        assert message(d) is None, message(d)
        drop(d, '<b>bad</b>.txt', b'seed 1\n0 down 32\n5 sideways <i>32</i>\n')
        wait_for(d, lambda s: message(d))
        text, children = message(d)
        assert text.startswith('<b>bad</b>.txt: input:3: ') and '\n' not in text and children == 0, (text, children)
    finally:
        d.quit()


def readme_input_files():
    """The input files the README shows: each indented block right after a line <!-- input file -->."""
    here = os.path.dirname(os.path.abspath(__file__))
    lines = open(os.path.join(here, '..', '..', 'README.md'), encoding='utf-8').read().split('\n')
    blocks = []
    for at in (i + 1 for i, line in enumerate(lines) if line.strip() == '<!-- input file -->'):
        while at < len(lines) and not lines[at].strip():
            at += 1
        block = []
        while at < len(lines) and (lines[at].startswith('    ') or not lines[at].strip()):
            block.append(lines[at][4:])
            at += 1
        blocks.append('\n'.join(block).strip('\n') + '\n')
    return blocks


def items(text):
    """The lines of an input file without their notes and blanks."""
    return [' '.join(l.split('#')[0].split()) for l in text.split('\n') if l.split('#')[0].strip()]


def test_the_readmes_input_files_play(server):
    blocks = readme_input_files()
    assert blocks and all(b.strip() for b in blocks), ('no input file marked <!-- input file --> in README.md', blocks)
    d = browser()
    try:
        for n, block in enumerate(blocks):
            d.get(server.url + 'index.html')
            wait_for(d, lambda s: s['ticks'] == 0)
            drop(d, 'README-%d.txt' % n, block.encode())
            # Played: the recording replays the file's items (its seed, if it has one), and no message.
            want = items(block)
            has_seed = want[:1] and want[0].startswith('seed ')
            wait_for(d, lambda s: [i for i in items(s['keys']) if has_seed or not i.startswith('seed ')][:len(want)] == want)
            assert message(d) is None, (block, message(d))
        print('  %d input files of the README play' % len(blocks))
    finally:
        d.quit()


def ticks_a_second(d, url):
    """A game started at url: its ticks a second over two seconds of play, from the page's own log
    of the tick count at each animation frame."""
    d.get(url)
    wait_for(d, lambda s: s['ticks'] == 0)
    press(d, Keys.ENTER)
    wait_for(d, lambda s: s['running'] and s['ticks'] > 0)
    time.sleep(2)
    log = d.execute_script('return window.kxStats.tickLog')
    (start, first), (end, last) = log[0], log[-1]
    return (last - first) * 1000 / (end - start)


def test_the_page_plays_at_the_programs_tick_rate(server):
    # The web build makes, for this test alone, the program with another default tick rate, in a
    # folder beside the site named by its rate. The same page with that program plays at its rate.
    folders = glob.glob(os.path.join(os.path.dirname(os.path.abspath(SITE)), 'program_at_*_ticks'))
    assert len(folders) == 1, ('one program_at_N_ticks beside the site: cmake --build --preset web makes it', folders)
    rate = int(re.search(r'program_at_([0-9]+)_ticks$', folders[0])[1])
    other = os.path.join(server.root, 'other')
    shutil.copytree(SITE, other)
    for name in ('kippura-x.js', 'kippura-x.wasm'):
        shutil.copy(os.path.join(folders[0], name), other)
    d = browser()
    try:
        measured = ticks_a_second(d, server.url + 'other/index.html?seed=5')
        print('  the page with the program at %d ticks a second: %.1f' % (rate, measured))
        assert abs(measured - rate) <= 0.15 * rate, (rate, measured)
        # The site's own program, asked for the same rate, plays at it too (what is measured is the
        # rate); asked for none, at its own, far from it.
        asked = ticks_a_second(d, server.url + 'index.html?seed=5&tick-rate=%d' % rate)
        own = ticks_a_second(d, server.url + 'index.html?seed=5')
        print('  the site asked for %d: %.1f; asked for none: %.1f' % (rate, asked, own))
        assert abs(asked - rate) <= 0.15 * rate, (rate, asked)
        assert own < 0.6 * rate, (rate, own)
        # A rate out of range is refused in the message line, as the command line refuses it.
        d.get(server.url + 'index.html?tick-rate=1001')
        end = time.time() + 20
        while time.time() < end and not message(d):
            time.sleep(0.05)
        assert message(d) and message(d)[0].startswith('kippura-x: ?tick-rate takes ticks per second from 1 to 1000'), (
            message(d))
        assert severe_logs(d) == [], severe_logs(d)
    finally:
        d.quit()


# Chromium tells the page the labels of the player's layout: here a German keyboard's, Y in Z's place.
GERMAN_LAYOUT = """Object.defineProperty(navigator, 'keyboard', {value: {getLayoutMap: async () => new Map(
  [['KeyZ', 'y'], ['KeyY', 'z'], ['KeyW', 'w']])}});"""
KEY_MATRIX = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'key_matrix.js')).read()
KEYS_REFUSED = 'kippura-x: ?keys: unknown role "<b>jump</b>" (the roles: up, down, left, right, fire, start)'


def keys_line(d):
    return d.execute_script("const k = document.getElementById('keys'); return k.hidden ? null : k.textContent")


def test_keys_on_every_layout(server):
    d = browser()
    try:
        d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': GERMAN_LAYOUT})
        # A refused ?keys= says why in one line of text, and the usual keys play; at a tick rate
        # that ends each game soon.
        d.get(server.url + 'index.html?seed=3&tick-rate=1000&keys=%3Cb%3Ejump%3C/b%3E=Space')
        wait_for(d, lambda s: s['ticks'] == 0 and message(d))
        assert message(d) == [KEYS_REFUSED, 0], message(d)
        wait_for(d, lambda s: 'fire: KeyZ (Y here) or the key labelled Z;' in (keys_line(d) or ''))
        for layout in ('us', 'de', 'fr', 'dvorak', 'jp106'):
            assert d.execute_script('return (%s)(arguments[0])' % KEY_MATRIX, layout) == []
            wait_for(d, lambda s: s['box'], timeout=60)
            for kind in ('keydown', 'keyup'):
                d.execute_script("dispatchEvent(new KeyboardEvent(arguments[0], {code: 'Enter', key: 'Enter'}))", kind)
            wait_for(d, lambda s: not s['box'] and not s['running'])
        d.get(server.url + 'index.html?seed=3&keys=left-hand')
        wait_for(d, lambda s: s['ticks'] == 0 and keys_line(d))
        assert keys_line(d).startswith('up: KeyW; down: KeyS; left: KeyA; right: KeyD; fire: Space'), keys_line(d)
        assert d.execute_script('return (%s)(arguments[0])' % KEY_MATRIX, 'left-hand') == []
        assert message(d) is None and severe_logs(d) == [], (message(d), severe_logs(d))
    finally:
        d.quit()


def test_games_as_links(server):
    check_games_as_links(server, BINARY, REPLAYS)


def main():
    return run([test_games_as_links, test_loads_and_keys_play, test_replays_end_on_the_headless_screenshot,
                test_box_closes_on_return_and_on_click, test_focus_loss_pauses, test_touch_pad_steers,
                test_guest_in_a_long_page, test_offline, test_installed_as_a_game, test_nothing_of_the_page_covers_the_game,
                test_the_download_is_named_by_date_and_score, test_input_files_are_read_as_bytes,
                test_the_readmes_input_files_play, test_the_page_plays_at_the_programs_tick_rate,
                test_keys_on_every_layout], SITE, REPLAYS)


if __name__ == '__main__':
    sys.exit(main())
