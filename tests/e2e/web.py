#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
"""The browser program end to end, in Debian's browsers, driven as a person would:

    tests/e2e/web.py SITE [RATIO | tablet | phone] [chromium | firefox | webkit]

SITE is the built folder (build-web/pendulum-VERSION-web), served here on the loopback
address; RATIO the screen's device pixel ratio, for a walk with the mouse in the engine
(Chromium unless named); tablet or phone, for a walk by touch on such a device in Chromium
(touch_walk). With the mouse: the launcher opens both windows, each placed apart; Run moves
each figure; Stop holds it; a click on the picture places the bob; 'abc' in the angle field
brings the run-time error dialog, which a click on its window leaves over it and Enter closes,
and leaves the picture as it was; an emoji, Arabic and Hangul pasted into a field are drawn,
not as boxes; an emoji key and (in Chromium) an input method type into a field; Resume swings on; the double pendulum leaves its trail; closing the last
window ends the program and the page says so; the console stays clean (WebKitWebDriver shows no
console). Chromium without WebAssembly gets the page's message.
"""
import itertools
import os
import sys
import time

from PIL import ImageChops
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..',
                                'tools', 'web'))
import browser  # noqa: E402

# The launcher opens at the page's top left; the windows it opens lie where the page has room,
# which differs from engine to engine and device to device. What the test presses in them is
# found from the active window's title bar, (0, 0) being the first pixel of its top row, in the
# program's logical pixels.
LAUNCHER = {'single': (100, 58), 'double': (100, 106), 'close': (314, 20), 'corner': (45, 20)}
ACTIVE_TITLE = (48, 140, 198)
FROM_TITLE = {'run': (460, 50), 'stop': (512, 50), 'resume': (568, 50), 'angle': (576, 207),
              'place': (90, 328), 'title': (100, 8), 'close': (612, 8), 'trail': (455, 306),
              'picture': (12, 42, 400, 368),
              'middle': (213, 173, 200, 100), 'angle field': (554, 200, 44, 14)}
# Pasted into a field: characters the program's font lacks, which fonts the page fetches then
# draw, and one that no font has, drawn as the box of a missing character.
BEYOND_THE_FONT = ('😀', 'عربي', '한글')
IN_NO_FONT = '\ue000'  # for private use
# The browser's window after the walk narrows it (it starts at browser.WINDOW).
WINDOW_NARROW = (700, 1000)
# Tablets and phones, upright and turned: CSS pixels and ratio.
DEVICES = {'tablet': (1024, 768, 2), 'phone': (390, 844, 3)}


def inked(image):
    """How many pixels of a picture are not white."""
    return sum(1 for pixel in image.getdata() if pixel != (255, 255, 255))


def trail(image):
    """How many pixels of a picture are the trail's magenta."""
    return sum(1 for r, g, b in image.getdata() if r > 160 and g < 100 and b > 160)


def found_in(image, part):
    """Whether the part appears in the image, pixel for pixel."""
    for y in range(image.height - part.height + 1):
        for x in range(image.width - part.width + 1):
            if not ImageChops.difference(
                    image.crop((x, y, x + part.width, y + part.height)), part).getbbox():
                return True
    return False


def placed(bar):
    """What the test presses and looks at in the window whose title bar is found at bar."""
    return {name: (bar[0] + where[0], bar[1] + where[1], *where[2:])
            for name, where in FROM_TITLE.items()}


def active_title(image):
    """The active window's title bar in a shot of the page's layout: the left, the row and the
    right of its top row, or None."""
    width = image.width
    data = list(image.getdata())
    for y in range(image.height):
        x = 0
        for colour, run in itertools.groupby(data[y * width:(y + 1) * width]):
            length = len(list(run))
            if colour == ACTIVE_TITLE and length >= 100:
                return x, y, x + length
            x += length
    return None


def title_bar(page):
    """The active window's title bar, once the page shows one (None if none comes)."""
    found = []
    page.wait_until(lambda: found.append(active_title(page.layout_shot())) or found[-1])
    return found[-1]


def close_each(page, press):
    """Closes the program's three windows, the active one each time, by a press on its ×."""
    for _ in range(3):
        bar = title_bar(page)
        press((bar[2] - 11, bar[1] + 8))
        page.wait_until(lambda: active_title(page.layout_shot()) != bar)


def touch_walk(base, device, check):
    """The program by touch alone on an emulated tablet or phone: each window opens where it
    can be reached, a tap activates and raises a window, a drag on its title bar moves it,
    fields take typing, the error dialog stays over its window when the window is tapped and
    takes Enter, Run swings, a tap places the bob; the device turns and every window
    stays reachable; a tap on each window's close button ends the program."""
    width, height, ratio = DEVICES[device]
    page = browser.Browser()
    try:
        page.emulate(width, height, ratio)
        page.open(base + 'index.html')

        def at(bar, name):
            return bar[0] + FROM_TITLE[name][0], bar[1] + FROM_TITLE[name][1]

        def picture(bar, name='picture'):
            x, y, w, h = FROM_TITLE[name]
            return page.layout_shot().crop((bar[0] + x, bar[1] + y, bar[0] + x + w,
                                            bar[1] + y + h))

        def reachable(bar):
            layout = page.script('return [innerWidth, innerHeight]')
            return 0 <= bar[0] and bar[2] <= layout[0] and 0 <= bar[1] < layout[1]

        page.touch(LAUNCHER['single'])
        single = title_bar(page)
        check(reachable(single), f'{device}: the simple pendulum opens on the page {single}')
        page.touch(LAUNCHER['double'])
        double = title_bar(page)
        check(double != single and reachable(double),
              f'{device}: the double pendulum opens apart {double}')
        page.touch(at(single, 'title'))
        check(page.wait_until(lambda: active_title(page.layout_shot()) == single),
              f'{device}: a tap on the simple pendulum activates it')
        grip = at(double, 'title')
        page.touch(grip, (grip[0] + 20, grip[1] + 15), (grip[0] + 40, grip[1] + 30))
        # (A finger's path on a page shown fitted to a phone lands within a pixel.)
        moved = []
        check(page.wait_until(lambda: moved.append(title_bar(page)) or (
                  abs(moved[-1][0] - double[0] - 40) <= 1
                  and abs(moved[-1][1] - double[1] - 30) <= 1)),
              f'{device}: a drag on its title bar moves the double pendulum {moved[-1]}')
        moved = moved[-1]
        # 'abc' for the angle brings the error dialog; a tap on its window leaves it up, and
        # Enter answers it.
        before = picture(single, 'middle')
        page.touch(at(single, 'angle'))
        page.select_all()
        page.type('abc')
        page.touch(at(single, 'run'))
        check(page.wait_until(lambda: picture(single, 'middle') != before),
              f"{device}: 'abc' and Run bring the error dialog")
        page.touch(at(single, 'place'))
        time.sleep(0.5)
        check(picture(single, 'middle') != before,
              f'{device}: a tap on its window leaves the dialog over it')
        page.type(Keys.ENTER)
        check(page.wait_until(lambda: picture(single, 'middle') == before),
              f'{device}: Enter closes the dialog')
        page.touch(at(single, 'angle'))
        page.select_all()
        page.type('45')
        page.touch(at(single, 'run'))
        first = picture(single)
        check(page.wait_until(lambda: picture(single) != first),
              f'{device}: typed and tapped, Run swings the simple pendulum')
        page.touch(at(moved, 'title'))
        page.touch(at(moved, 'run'))
        first = picture(moved)
        check(page.wait_until(lambda: picture(moved) != first),
              f'{device}: Run swings the double pendulum')

        page.emulate(height, width, ratio)
        page.touch(LAUNCHER['single'])
        turned = title_bar(page)
        check(reachable(turned), f'{device} turned: the launcher brings the simple pendulum '
                                 f'onto the page {turned}')
        close_each(page, page.touch)
        check(page.wait_until(lambda: page.script(
            "return !document.getElementById('notice').hidden")),
            f'{device} turned: a tap on each close button ends the program')
        messages = page.console_messages()
        check(not messages, f'{device}: nothing in the console' +
              ''.join('\n  ' + m for m in messages))
    finally:
        page.close()


def main():
    site = sys.argv[1]
    screen = sys.argv[2] if len(sys.argv) > 2 else '1'
    engine = browser.ENGINES[sys.argv[3] if len(sys.argv) > 3 else 'chromium']
    failures = []

    def check(condition, what):
        print(('ok   ' if condition else 'FAIL ') + what, flush=True)
        if not condition:
            failures.append(what)

    with browser.served(site) as base:
        if screen in DEVICES:
            touch_walk(base, screen, check)
        else:
            mouse_walk(base, engine(float(screen)), check)
    if failures:
        sys.exit(f'{len(failures)} failed')


def mouse_walk(base, page, check):
    """The program with the mouse, on a page of the engine, as the module says."""
    ratio = page.ratio

    def picture(*area):
        """The part of the page at the area, in CSS pixels, as the screen shows it now."""
        return page.crop(page.shot(), *area)

    def moves(window):
        """Whether the window's picture, inked, changes (as it does within a few frames while
        its pendulum swings, however busy the machine)."""
        first = picture(*window['picture'])
        return page.wait_until(lambda: (now := picture(*window['picture'])) != first and
                               inked(now) > 0)

    def still(window):
        """Whether the window's picture stays the same for half a second."""
        first = picture(*window['picture'])
        time.sleep(0.5)
        return picture(*window['picture']) == first

    try:
        page.open(base + 'index.html')
        button = (*LAUNCHER['single'], 1, 1)
        # The page's own colour, where no window lies yet.
        background = tuple(int(c) for c in page.script(
            'return getComputedStyle(document.body).backgroundColor')[4:-1].split(','))
        check(page.wait_until(lambda: picture(*button).getpixel((0, 0)) != background),
              'the launcher opens')

        def opened(button):
            page.click(*button)
            return placed(title_bar(page) or (0, 0))

        SINGLE = opened(LAUNCHER['single'])
        DOUBLE = opened(LAUNCHER['double'])
        for name, window in (('simple', SINGLE), ('double', DOUBLE)):
            check(page.wait_until(lambda: inked(picture(*window['picture'])) == 0),
                  f'the launcher opens the {name} pendulum, apart {window["title"]}')

        # The simple pendulum: Run swings it, Stop holds it.
        page.click(*SINGLE['run'])
        check(moves(SINGLE), 'Run swings the simple pendulum')
        page.click(*SINGLE['stop'])
        check(page.wait_until(lambda: still(SINGLE)), 'Stop holds it')
        held = picture(*SINGLE['picture'])
        # A click on the picture puts the bob there.
        page.click(*SINGLE['place'])
        bob = (SINGLE['place'][0] - 3, SINGLE['place'][1] - 3, 6, 6)
        check(page.wait_until(lambda: picture(*SINGLE['picture']) != held and
                              inked(picture(*bob)) > 0),
              'a click on the picture places the bob')
        held = picture(*SINGLE['picture'])

        # 'abc' for the angle: the error dialog over the window, the picture unchanged.
        before = picture(*SINGLE['middle'])
        page.click(*SINGLE['angle'])
        page.select_all()
        page.type('abc')
        page.click(*SINGLE['run'])
        check(page.wait_until(lambda: picture(*SINGLE['middle']) != before),
              "'abc' in the angle field brings the error dialog")
        # A click on its window leaves the dialog over it, with the keyboard.
        page.click(*SINGLE['place'])
        time.sleep(0.5)
        check(picture(*SINGLE['middle']) != before, 'the dialog stays over its window')
        page.type(Keys.ENTER)
        check(page.wait_until(lambda: picture(*SINGLE['picture']) == held),
              'Enter closes the dialog and the picture is as it was')

        # Pasted text is drawn whatever its script: no character shows as the box of a missing
        # one. The field is looked at with the keyboard elsewhere, where it draws no cursor.
        def field_showing(text, enter=None):
            """The field after its text is replaced by the text, pasted (or entered otherwise)."""
            page.click(*SINGLE['angle'])
            page.select_all()
            page.type(Keys.DELETE)
            if enter or text:
                (enter or page.paste)(text)
            page.type(Keys.TAB)
            return picture(*SINGLE['angle field'])

        empty = field_showing('')
        boxed = field_showing(IN_NO_FONT)
        box = boxed.crop(ImageChops.difference(boxed, empty).getbbox())
        for text in BEYOND_THE_FONT:
            shown = []
            drawn = page.wait_until(lambda: shown.append(field_showing(text)) or (
                not found_in(shown[-1], box) and shown[-1] != empty), 30)
            check(drawn, f'pasted {text} is drawn, with no box')
        # Text that comes as no key reaches the field as the same text pasted does: an emoji
        # key's, and in Chromium, whose protocol plays an input method, what it commits in place
        # of what it composed.
        check(field_showing('😀', page.type) == field_showing('😀'), 'an emoji key types 😀')
        if page.name == 'chromium':
            check(field_showing('', lambda _: page.input_method('かん', '漢字')) ==
                  field_showing('漢字'), 'what an input method composes, then commits, is typed')
        page.click(*SINGLE['resume'])
        check(moves(SINGLE), 'Resume swings on')

        # The double pendulum with its trail, which grows as it swings.
        page.click(*DOUBLE['trail'])
        page.click(*DOUBLE['run'])
        page.wait_until(lambda: trail(picture(*DOUBLE['picture'])) > 0)
        first = picture(*DOUBLE['picture'])
        check(moves(DOUBLE), 'Run swings the double pendulum')
        page.wait_until(lambda: trail(picture(*DOUBLE['picture'])) > trail(first))
        second = picture(*DOUBLE['picture'])
        check(0 < trail(first) < trail(second),
              f'it leaves its trail ({trail(first)} then {trail(second)} pixels)')

        # The browser's window narrowed to half the page: the launcher's button brings the
        # double pendulum, which lay at the right, back onto the page.
        page.resize(WINDOW_NARROW)
        page.wait_for(f'return window.innerWidth < {WINDOW_NARROW[0] * 1.1}')  # (give or take)
        narrow = page.script('return window.innerWidth')
        page.click(*LAUNCHER['corner'])  # the launcher up again, from under the moved windows
        page.click(*LAUNCHER['double'])
        found = []
        check(page.wait_until(lambda: found.append(active_title(page.layout_shot())) or (
                  found[-1] and found[-1][2] <= narrow
                  and trail(picture(*placed(found[-1])['picture'])) > 0)),
              f'narrowed, the launcher brings the double pendulum onto the page {found[-1]}')

        # Closing every window, the active one each time, ends the program; the page says so.
        close_each(page, lambda point: page.click(*point))
        page.wait_for("return !document.getElementById('notice').hidden")
        message = page.script("return document.getElementById('message').textContent")
        check(message == '振り子シミュレーターは終了しました。' and page.script(
            "return !document.getElementById('restart').hidden"),
            f'the page says the program has ended ({message})')
        errors = page.console_messages()
        check(not errors, 'no error or warning in the console' +
              ''.join('\n  ' + e for e in errors))
    finally:
        page.close()

    # A browser without WebAssembly gets the page's message instead of the program.
    if page.name != 'chromium':
        return
    page = browser.Browser(ratio)
    try:
        page.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                    {'source': 'delete window.WebAssembly;'})
        page.driver.get(base + 'index.html')
        message = page.driver.execute_script(
            "return document.getElementById('message').textContent")
        check('WebAssembly に対応していない' in message,
              f'without WebAssembly the page says so ({message})')
    finally:
        page.close()


if __name__ == '__main__':
    main()
