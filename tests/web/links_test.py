# Games as links in Chromium (web_test.py runs it; watch_checks.mjs has the same in Firefox and
# WebKit): the page's policy, links of the golden replays and the autopilot games played at "max"
# to the headless end with --verify's verdict, ten paused seeks into full_game.txt, a take-over
# that keeps the watched events and replays to the picture shown, the page's link as --link makes
# it (copied, or shown where copying is refused), and bad links refused in one line of text.
import os, re, tempfile, time

from selenium.webdriver.common.keys import Keys

from web_support import W, browser, canvas_rgb, headless_rgb, native, press, severe_logs, state, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
SEEKS = [1, 250, 517, 1000, 1433, 2002, 2500, 3101, 3700, 4290]  # as watch_checks.mjs
TAKE_OVER = ('seed_3.txt', 1100)
# Each violation of the page's policy, from the first line of every page.
WATCH_POLICY = "window.kxRefused = []; addEventListener('securitypolicyviolation', (e) => kxRefused.push(e.violatedDirective));"


def until(d, script, timeout=5):
    end = time.time() + timeout
    while time.time() < end and not d.execute_script(script):
        time.sleep(0.025)
    return d.execute_script(script)


def bar(d, js):
    return d.execute_script("const $ = (id) => document.getElementById(id); " + js)


def change(element, value, kind):
    return "$('%s').value = '%s'; $('%s').dispatchEvent(new Event('%s'));" % (element, value, element, kind)


def events(text):
    lines = (' '.join(l.split('#')[0].split()) for l in text.split('\n'))
    return [l for l in lines if re.match(r'^[0-9]+ (down|up) ', l)]


def check_games_as_links(server, binary, replays):
    site = server.url + 'index.html'
    games = sorted(os.path.join(replays, n) for n in os.listdir(replays) if n.endswith('.txt'))
    games += sorted(os.path.join(HERE, 'autopilot_games', n) for n in os.listdir(os.path.join(HERE, 'autopilot_games')))
    loads = iter(range(1, 1000))
    d = browser()

    def open_link(link, query=''):
        d.get('%s?load=%d%s%s' % (site, next(loads), query, link[link.index('#'):]))

    def watched():
        wait_for(d, lambda s: s['watching'])
        assert until(d, "return !!document.getElementById('watch').offsetHeight && "
                        "document.getElementById('watch-seek').max > 0"), 'no watch bar'
    try:
        d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': WATCH_POLICY})
        for game in games:
            link = native(binary, '--link', game, '--site', site)
            open_link(link)
            watched()
            assert bar(d, "return $('verdict').textContent") == native(binary, '--verify', link), game
            bar(d, "$('watch-speed').value = [...$('watch-speed').options].find((o) => o.text === 'max').value;"
                   "$('watch-speed').dispatchEvent(new Event('change'));")
            s = wait_for(d, lambda s: not s['replaying'] and not s['running'], timeout=120)
            if s['box']:  # its last game over's box, open until the player closes it
                press(d, Keys.ENTER)
                s = wait_for(d, lambda s: not s['box'])
            time.sleep(0.2)
            assert canvas_rgb(d) == headless_rgb(binary, game, s['gameTicks']), game
            print('  %s: the link\'s end at tick %d is the headless frame' % (os.path.basename(game), s['gameTicks']))
        policy = d.execute_script("return document.querySelector('meta[http-equiv=\"Content-Security-Policy\"]').content")
        assert "default-src 'self'" in policy and re.search(r"'sha256-[A-Za-z0-9+/]{43}='", policy), policy
        assert d.execute_script('return kxRefused') == [] and severe_logs(d) == [], severe_logs(d)
        assert d.execute_script("const s = document.createElement('script'); s.textContent = 'window.kxRan = 1';"
                                "document.head.append(s); return window.kxRan === undefined"), 'an inline script ran'
        assert until(d, 'return kxRefused.length') and d.execute_script('return kxRefused')[0].startswith('script-src')
        d.execute_script('kxRefused.length = 0')
        assert all('Content Security Policy' in e['message'] for e in severe_logs(d))  # Chromium's own line for it

        # Ten paused seeks, each the headless frame of its tick; the slowest is the figure of docs/performance.md.
        full_game = os.path.join(replays, 'full_game.txt')
        open_link(native(binary, '--link', full_game, '--site', site))
        watched()
        bar(d, "$('watch-pause').click();")
        for tick in SEEKS:
            bar(d, change('watch-seek', tick, 'input'))
            until(d, "return document.getElementById('screen').dataset.ticks === '%d'" % tick)
            assert canvas_rgb(d) == headless_rgb(binary, full_game, tick), 'the seek to %d' % tick
        seeks = d.execute_script('return kxStats.seekMs')
        print('  %d seeks into full_game.txt: the headless frames; the slowest %.1f ms' % (len(SEEKS), max(seeks)))

        # A take-over: the watched events up to its tick, then the player's, which replay to what is shown.
        game = os.path.join(HERE, 'autopilot_games', TAKE_OVER[0])
        open_link(native(binary, '--link', game, '--site', site), '&tick-rate=250')
        watched()
        bar(d, "$('watch-pause').click(); " + change('watch-seek', TAKE_OVER[1], 'input'))
        wait_for(d, lambda s: s['gameTicks'] == TAKE_OVER[1])
        bar(d, "$('take-over').click();")
        wait_for(d, lambda s: not s['watching'])
        assert until(d, "return document.getElementById('watch').hidden"), 'the watch bar stayed'
        press(d, Keys.ARROW_DOWN, 0.15)
        press(d, 'z')
        press(d, 'p')
        s = wait_for(d, lambda s: s['paused'])
        time.sleep(0.2)
        recording = tempfile.mktemp(suffix='.kxr')
        open(recording, 'w').write(s['keys'])
        mine, linked = events(s['keys']), events(open(game).read())
        before = lambda events: [e for e in events if int(e.split()[0]) < TAKE_OVER[1]]
        assert before(mine) == before(linked), 'not the watched events up to the take-over'
        after = mine[len(before(mine)):]
        assert any(e.endswith(' down 40') for e in after) and all(int(e.split()[0]) >= TAKE_OVER[1] for e in after), after
        # Paused: a quarter of the light and one line of text; every other row is the headless frame's.
        shown, headless = canvas_rgb(d), headless_rgb(binary, recording, s['gameTicks'])
        rows = {i // (3 * W) for i in range(len(shown)) if shown[i] != headless[i] >> 2}
        assert rows and max(rows) - min(rows) < 16, ('the page shows another game', sorted(rows))
        press(d, 'p')
        wait_for(d, lambda s: s['box'], timeout=60)
        press(d, Keys.ENTER)
        s = wait_for(d, lambda s: not s['box'] and not s['running'] and not s['watching'])
        open(recording, 'w').write(s['keys'])
        link = native(binary, '--link', recording, '--site', site)
        assert d.execute_script("return document.getElementById('download').download").endswith('.kxr')
        d.execute_script("navigator.clipboard.writeText = async (t) => { window.kxCopied = t; };"
                         "document.getElementById('copy-link').click();")
        assert until(d, 'return window.kxCopied') == link, 'the link copied is not --link of the recording'
        d.execute_script("navigator.clipboard.writeText = async () => { throw new Error('refused'); };"
                         "document.getElementById('copy-link').click();")
        assert until(d, "return document.getElementById('link-text').value") == link, 'no link to select'
        os.remove(recording)

        # Cut, altered, newer and marked-up links: one line of text, no game.
        link = native(binary, '--link', os.path.join(replays, 'game_over_and_again.txt'), '--site', site)
        at = link.index('#play=') + 6
        for wrong, said in ((link[:-5], 'kippura-x: the link is cut short'),
                            (link[:at + 20] + ('B' if link[at + 20] == 'A' else 'A') + link[at + 21:],
                             'kippura-x: the link is altered'),
                            (link[:at] + 'B' + link[at + 1:], 'kippura-x: the link is of format 5'),
                            ('#play=<img src=x onerror="window.kxRan=1">',
                             'kippura-x: the link is altered: it holds a character no link has (<)')):
            open_link(wrong)
            wait_for(d, lambda s: s['ticks'] == 0)
            line, children = until(d, "const m = document.getElementById('message');"
                                      "return !m.hidden && [m.textContent, m.children.length]")
            assert line.startswith(said) and '\n' not in line and children == 0, (wrong, line, children)
            time.sleep(0.3)
            s = state(d)
            assert not s['replaying'] and not s['watching'] and not s['running'] and s['ticks'] == 0, (wrong, s)
            assert ' down ' not in s['keys'] and d.execute_script('return window.kxRan === undefined')
            assert d.title == 'きっぷら-Ｘ ver1.20', d.title
        assert d.execute_script('return kxRefused') == [] and severe_logs(d) == [], severe_logs(d)
        return max(seeks)
    finally:
        d.quit()
