#!/usr/bin/python3
# The page on phones and tablets, in Chromium's mobile emulation: where the game and the pad sit
# on a phone held sideways (also with a notch) and upright and on a tablet, and the pad played
# with several fingers (a slide from one direction to the next, a diagonal, moving and firing
# together) without the page ever scrolling or zooming, and a tap going on after a pause.
#   mobile_test.py SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
import sys, time

from web_support import browser, controls_clear_of_game, drop, run, state, wait_for, watch_to_the_end

SITE, BINARY, REPLAYS = sys.argv[1:4]

SIDEWAYS, UPRIGHT, TABLET = (844, 390, 3), (390, 844, 3), (1024, 768, 2)
KEY_CODES = {'left': 37, 'up': 38, 'right': 39, 'down': 40, 'fire': 90}


def open_on(d, server, screen, safe_area=None, reload=True):
    width, height, scale = screen
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': True})
    d.execute_cdp_cmd('Emulation.setSafeAreaInsetsOverride', {'insets': safe_area or {}})
    if not reload:
        time.sleep(0.2)  # the page fits itself on the resize event
        return
    d.get(server.url + 'index.html?seed=9')
    wait_for(d, lambda s: s['ticks'] == 0)


def boxes(d):
    return d.execute_script("""
      const box = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
      return {game: box(document.getElementById('screen')), stick: box(document.getElementById('stick')),
              fire: box(document.getElementById('fire')), bar: box(document.getElementById('bar')),
              scrolled: window.scrollY,
              zoom: window.visualViewport.scale};""")


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def test_the_game_fills_the_screen(server):
    d = browser(touch=True)
    try:
        for screen in (SIDEWAYS, UPRIGHT, TABLET):
            open_on(d, server, screen)
            width, height, _ = screen
            b = boxes(d)
            game = b['game']
            share_w, share_h = (game[2] - game[0]) / width, (game[3] - game[1]) / height
            print('  %d x %d: the game takes %.1f %% of the width, %.1f %% of the height' % (
                width, height, share_w * 100, share_h * 100))
            if screen == SIDEWAYS:
                assert share_h >= 0.90, ('sideways', b)
                assert b['stick'][2] <= game[0] and b['fire'][0] >= game[2], ('directions left, fire right', b)
            if screen == UPRIGHT:
                assert share_w >= 0.95, ('upright', b)
            if screen == TABLET:
                assert share_w * share_h >= 0.5, ('tablet', b)
            for zone in ('stick', 'fire'):
                z = b[zone]
                assert not overlap(z, game), ('the pad covers the game', zone, b)
                assert 0 <= z[0] and z[2] <= width and 0 <= z[1] and z[3] <= height, ('off the screen', zone, b)
                assert min(z[2] - z[0], z[3] - z[1]) >= 48, ('a target under 48 CSS px', zone, b)
            assert (b['stick'][2] - b['stick'][0]) / 3 >= 48, ('arrows under 48 CSS px', b)

        # A phone with a notch and a home bar: everything stays inside its safe area.
        open_on(d, server, SIDEWAYS, {'left': 47, 'right': 47, 'bottom': 21})
        b = boxes(d)
        for name in ('game', 'stick', 'fire', 'bar'):
            z = b[name]
            assert z[0] >= 47 and z[2] <= SIDEWAYS[0] - 47 and z[3] <= SIDEWAYS[1] - 21, ('outside the safe area', name, b)
        print('  %d x %d with a notch: the game takes %.1f %% of the height' % (
            SIDEWAYS[0], SIDEWAYS[1], (b['game'][3] - b['game'][1]) / SIDEWAYS[1] * 100))
    finally:
        d.quit()


def test_nothing_of_the_page_covers_the_game(server):
    d = browser(touch=True)
    try:
        notch = {'left': 47, 'right': 47, 'bottom': 21}
        screens = [(SIDEWAYS, None), (UPRIGHT, None), (TABLET, None), (SIDEWAYS, notch)]
        games = []
        for screen, safe_area in screens:
            open_on(d, server, screen, safe_area)
            games.append(controls_clear_of_game(d, ['fullscreen', 'stick', 'fire']))
        # After a watched game, with its download link and the watch bar; once the player takes over,
        # the bar goes and the game is back in its place. Then a bad file's message.
        watch_to_the_end(d, server.url, REPLAYS)
        for screen, safe_area in screens:
            open_on(d, server, screen, safe_area, reload=False)
            controls_clear_of_game(d, ['watch', 'download', 'fullscreen', 'stick', 'fire'])
        d.execute_script("document.getElementById('take-over').click()")
        wait_for(d, lambda s: not s['watching'])
        for (screen, safe_area), game in zip(screens, games):
            open_on(d, server, screen, safe_area, reload=False)
            assert controls_clear_of_game(d, ['download', 'fullscreen', 'stick', 'fire']) == game, screen
        drop(d, 'bad.txt', b'0 sideways 32\n')
        for screen, safe_area in screens:
            open_on(d, server, screen, safe_area, reload=False)
            controls_clear_of_game(d, ['message', 'download', 'fullscreen', 'stick', 'fire'])
    finally:
        d.quit()


def fingers(d, kind, points):
    """Touch points as {'id': n, 'x': .., 'y': ..}: those down or moved; a touchEnd lists those that
    come up, or none for all."""
    d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': kind, 'touchPoints': points})


def at(box, fx, fy):
    """A point of a box, as fractions of its width and height."""
    return box[0] + (box[2] - box[0]) * fx, box[1] + (box[3] - box[1]) * fy


def held(d):
    return d.execute_script("return document.getElementById('pad').dataset.held || ''")


def events_since(d, before):
    """The key events the game received since the recording was `before` long: (down, code)."""
    lines = state(d)['keys'][len(before):].split('\n')
    return [(l.split()[1] == 'down', int(l.split()[2])) for l in lines if len(l.split()) == 3]


def test_the_pad_plays_like_a_pad(server):
    d = browser(touch=True)
    try:
        open_on(d, server, SIDEWAYS)
        b = boxes(d)
        game = b['game']
        tap = at(game, 0.5, 0.5)
        fingers(d, 'touchStart', [{'id': 1, 'x': tap[0], 'y': tap[1]}])
        fingers(d, 'touchEnd', [])  # a tap on the title starts a game
        wait_for(d, lambda s: s['running'] and s['ticks'] > 90)  # past the fly-in

        # One finger: on the left arrow, slid to the up arrow, then to the zone between down and right.
        # Each move is seen as soon as it shows: the less time in play, the less the chick risks a
        # bullet.
        stick, fire = b['stick'], b['fire']
        before, start = state(d)['keys'], state(d)['chick']
        x, y = at(stick, 0.15, 0.5)
        fingers(d, 'touchStart', [{'id': 1, 'x': x, 'y': y}])
        assert held(d) == 'left', held(d)
        left = wait_for(d, lambda s: s['chick'][0] < start[0], 2)['chick']
        assert left[1] == start[1], ('left moves only left', start, left)
        x, y = at(stick, 0.5, 0.15)
        fingers(d, 'touchMove', [{'id': 1, 'x': x, 'y': y}])
        assert held(d) == 'up', held(d)
        up = wait_for(d, lambda s: s['chick'][1] < left[1], 2)['chick']
        assert events_since(d, before)[:3] == [(True, 37), (False, 37), (True, 38)], events_since(d, before)
        x, y = at(stick, 0.85, 0.85)
        fingers(d, 'touchMove', [{'id': 1, 'x': x, 'y': y}])
        assert held(d) == 'right down', held(d)
        wait_for(d, lambda s: s['chick'][0] > up[0] and s['chick'][1] > up[1], 2)  # both keys held

        # A second finger fires while the first still holds its direction.
        before = state(d)['keys']
        fx, fy = at(fire, 0.5, 0.5)
        fingers(d, 'touchStart', [{'id': 1, 'x': x, 'y': y}, {'id': 2, 'x': fx, 'y': fy}])
        time.sleep(0.1)
        assert held(d) == 'right down fire', held(d)
        fingers(d, 'touchEnd', [{'id': 2, 'x': fx, 'y': fy}])  # the fire finger comes up
        assert held(d) == 'right down', held(d)
        events = events_since(d, before)
        assert (True, 90) in events and (False, 90) in events, events
        assert all(code not in (39, 40) for down, code in events if not down), ('a direction let go', events)
        fingers(d, 'touchEnd', [])
        assert held(d) == '', held(d)

        # Whatever the fingers did, the page neither scrolled nor zoomed: a double tap, a long drag.
        for _ in range(2):
            fingers(d, 'touchStart', [{'id': 3, 'x': tap[0], 'y': tap[1]}])
            fingers(d, 'touchEnd', [])
        fingers(d, 'touchStart', [{'id': 4, 'x': tap[0], 'y': game[1] + 5}])
        for step in range(1, 6):
            fingers(d, 'touchMove', [{'id': 4, 'x': tap[0], 'y': game[1] + 5 + step * 60}])
        fingers(d, 'touchEnd', [])
        time.sleep(0.5)
        after = boxes(d)
        assert after['scrolled'] == 0 and after['zoom'] == 1, after
        assert after['game'] == game, ('the game moved', game, after['game'])

        # Back from another app: the game paused when the page was hidden, a tap goes on.
        d.execute_script("window.dispatchEvent(new Event('blur'))")
        paused = wait_for(d, lambda s: s['paused'])
        fingers(d, 'touchStart', [{'id': 5, 'x': tap[0], 'y': tap[1]}])
        fingers(d, 'touchEnd', [])
        wait_for(d, lambda s: not s['paused'] and s['ticks'] > paused['ticks'])
    finally:
        d.quit()


if __name__ == '__main__':
    sys.exit(run([test_the_game_fills_the_screen, test_nothing_of_the_page_covers_the_game, test_the_pad_plays_like_a_pad], SITE, REPLAYS))
