# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
"""The browser program in Debian's headless Chromium, for the end-to-end test and the benchmarks.

Serves a folder on the loopback address, opens a page of it in Chromium driven through its
WebDriver (Selenium), and clicks, types and takes screenshots in CSS pixels, the program's
logical pixels. Screenshots come in device pixels: ratio times as many.
"""
import contextlib
import functools
import http.server
import io
import json
import os
import sys
import threading
import time
import urllib.parse

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

WINDOW = (1400, 1000)  # the browser window, as in the measurements


RUN_PAGE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'run.html')


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.js': 'text/javascript'}

    def translate_path(self, path):
        # The page that runs a program of the build, beside the program.
        if path.split('?', 1)[0] == '/run.html':
            return RUN_PAGE
        return super().translate_path(path)

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served(folder):
    """Serves the folder on a free loopback port, and run.html beside its files; yields the
    base address."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f'http://127.0.0.1:{server.server_address[1]}/'
    finally:
        server.shutdown()


class Browser:
    def __init__(self, ratio=1):
        self.ratio = ratio
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ['--headless=new', '--no-sandbox', f'--window-size={WINDOW[0]},{WINDOW[1]}',
                         f'--force-device-scale-factor={ratio}']:
            options.add_argument(argument)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.service = Service('/usr/bin/chromedriver')
        self.driver = webdriver.Chrome(service=self.service, options=options)

    def close(self):
        self.driver.quit()

    def processes(self):
        """The process ids of the browser, its renderers and its GPU process."""
        children = {}
        for pid in filter(str.isdigit, os.listdir('/proc')):
            try:
                with open(f'/proc/{pid}/stat') as stat:
                    parent = int(stat.read().rsplit(')', 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(pid))
        found, todo = [], [self.service.process.pid]
        while todo:
            pid = todo.pop()
            found.append(pid)
            todo.extend(children.get(pid, []))
        return found

    def cpu_seconds(self):
        """The CPU time all the browser's processes have used, in seconds."""
        ticks = os.sysconf('SC_CLK_TCK')
        total = 0
        for pid in self.processes():
            try:
                with open(f'/proc/{pid}/stat') as stat:
                    fields = stat.read().rsplit(')', 1)[1].split()
            except OSError:
                continue
            total += int(fields[11]) + int(fields[12])  # utime, stime
        return total / ticks

    def open(self, address, ready="return !document.getElementById('screen').hidden"):
        self.driver.get(address)
        self.wait_for(ready, 60)
        time.sleep(0.5)  # the first frame

    def wait_for(self, script, seconds=10):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.driver.execute_script(script):
                return
            time.sleep(0.05)
        raise AssertionError(f'timed out waiting for: {script}')

    def screen(self):
        return self.driver.find_element(By.ID, 'screen')

    def click(self, x, y):
        """A left click at the page's CSS pixel (x, y)."""
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()
        time.sleep(0.1)

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()
        time.sleep(0.1)

    def select_all(self):
        """Ctrl+A, to the window that has the keyboard."""
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('a').key_up(
            Keys.CONTROL).perform()
        time.sleep(0.1)

    def shot(self):
        """The page as the user sees it, in device pixels."""
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

    def crop(self, image, x, y, width, height):
        """The part of a screenshot at CSS pixels (x, y), width by height."""
        r = self.ratio
        return image.crop((round(x * r), round(y * r), round((x + width) * r),
                           round((y + height) * r)))

    def console_errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser')
                if entry['level'] == 'SEVERE']

    def run(self, base, program, arguments, output):
        """Runs a program of the build (base serves its folder) to its end, writing what it
        prints to output as it comes; returns its exit status."""
        query = urllib.parse.urlencode({'program': program, 'arguments': json.dumps(arguments)})
        self.driver.get(f'{base}run.html?{query}')
        while True:
            lines, status = self.driver.execute_script(
                'return [window.output.splice(0, 50000), window.exitStatus];')
            for line in lines:
                output.write(line + '\n')
            if status is not None and not lines:
                return status
            if not lines:
                time.sleep(0.2)


def run_program(folder, program, arguments, output):
    """Serves the folder, runs the program of it (its name without .js) in a browser of its own
    to its end, writing what it prints to output; returns its exit status. A browser that fails
    to start, as headless Chromium now and then does on a busy machine, is started once more."""
    with served(folder) as base:
        try:
            session = Browser()
        except WebDriverException as error:
            print(f'run_program: Chromium did not start ({error.msg}); starting it again',
                  file=sys.stderr, flush=True)
            session = Browser()
        try:
            return session.run(base, program, arguments, output)
        finally:
            session.close()
