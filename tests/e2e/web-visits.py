#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
"""The page's visits, in Debian's Chromium, from a server that compresses nothing:

    tests/e2e/web-visits.py SITE

SITE is the built folder (build-web/pendulum-VERSION-web), copied and served here on the
loopback address. The first visit keeps the program in the browser and the page is installable
as an app; the next visit, with the server answering nothing, opens the page and both
simulators swing; a new version published on the server then replaces the kept one at the next
visit, and the old version's files go; the console stays clean throughout.
"""
import os
import shutil
import sys
import tempfile

import web  # the walk's layout and its helpers

browser = web.browser

NEW_TITLE = '振り子シミュレーター (新しい版)'
WORKER_ACTIVE = ("return navigator.serviceWorker.getRegistration()"
                 ".then((r) => !!(r && r.active && r.active.state == 'activated'))")
CACHES = 'return caches.keys()'


class Switchable(browser.QuietHandler):
    """A static server that, offline, closes every connection unanswered, as with no network."""
    offline = False

    def handle(self):
        if not Switchable.offline:
            super().handle()


def publish_new_version(site):
    """Changes the served folder as a new version would: its page, and so its version's name."""
    with open(os.path.join(site, 'sw.js'), encoding='utf-8') as f:
        old = f.read().split("const cacheName = '", 1)[1].split("'", 1)[0]
    for name in ('sw.js', 'start.js', 'index.html'):
        path = os.path.join(site, name)
        with open(path, encoding='utf-8') as f:
            text = f.read()
        text = text.replace(old, 'pendulum-published')
        text = text.replace('<title>振り子シミュレーター</title>', f'<title>{NEW_TITLE}</title>')
        with open(path, 'w', encoding='utf-8') as f:
            f.write(text)
    return old


def main():
    failures = []

    def check(condition, what):
        print(('ok   ' if condition else 'FAIL ') + what, flush=True)
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory() as folder:
        site = os.path.join(folder, 'site')
        shutil.copytree(sys.argv[1], site)
        with browser.served(site, Switchable) as base:
            page = browser.Browser()
            try:
                visits(page, base + 'index.html', site, check)
            finally:
                page.close()
    if failures:
        sys.exit(f'{len(failures)} failed')


def visits(page, address, site, check):
    page.open(address)
    check(page.wait_until(lambda: page.script(WORKER_ACTIVE)),
          'the first visit keeps the program in the browser')
    kept = page.script(CACHES)
    errors = page.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})
    check(not errors['installabilityErrors'], f'the page is installable as an app {errors}')

    Switchable.offline = True
    page.open(address)
    check(page.script('return !!navigator.serviceWorker.controller'),
          'with no network, the page opens from what the browser kept')
    for name, button in (('simple', 'single'), ('double', 'double')):
        page.click(*web.LAUNCHER[button])
        window = web.placed(web.title_bar(page))
        page.click(*window['run'])
        first = page.crop(page.shot(), *window['picture'])
        check(page.wait_until(
                  lambda: (now := page.crop(page.shot(), *window['picture'])) != first and
                  web.inked(now) > 0),
              f'with no network, the {name} pendulum swings')

    Switchable.offline = False
    old = publish_new_version(site)
    page.open(address)
    check(page.wait_until(lambda: page.script('return document.title') == NEW_TITLE),
          'a new version published runs at the next visit')
    now = page.script(CACHES)
    check(kept == [old] and now == ['pendulum-published'],
          f"and replaces the kept one (kept {kept}, now {now})")
    errors = page.console_messages()
    check(not errors, 'no error or warning in the console' + ''.join('\n  ' + e for e in errors))


if __name__ == '__main__':
    main()
