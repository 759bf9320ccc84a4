# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
"""The browser program in Debian's browsers, for the end-to-end test and the benchmarks.

Serves a folder on the loopback address, opens a page of it in a browser and clicks, types and
takes screenshots in CSS pixels, the program's logical pixels; screenshots come in device
pixels, ratio times as many. Three engines: Chromium, headless, driven through its WebDriver
(Selenium), which also emulates touch devices and runs programs of the build as commands;
Firefox ESR, headless, driven over WebDriver BiDi (Debian has no geckodriver for Selenium); and
WebKitGTK, Safari's engine, in its MiniBrowser driven by WebKitWebDriver (Selenium), in an X
server of its own.
"""
import base64
import contextlib
import functools
import http.server
import io
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.parse

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

WINDOW = (1400, 1000)  # the browser window, as in the measurements

# How long a program of the build may hold the page, at most: far above any honest run, even of a
# 100 000-tick trace on a machine whose cores are busy with something else, so that only a
# program that never ends meets it.
PROGRAM_LIMIT = 30 * 60

# How long the page may take to show what a step waits for (the program started, a window
# drawn, the end page), at most: the page answers within a second on a quiet machine.
STEP_LIMIT = 120


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
def served(folder, handler_class=QuietHandler):
    """Serves the folder on a free loopback port, and run.html beside its files, as a plain
    static server does (nothing compressed); yields the base address."""
    handler = functools.partial(handler_class, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f'http://127.0.0.1:{server.server_address[1]}/'
    finally:
        server.shutdown()


class Page:
    """What the tests ask of a page in any engine; each engine gives script, click, keys, shot
    and console_messages."""
    ratio = 1

    def open(self, address, ready="return !document.getElementById('screen').hidden"):
        self.load(address)
        self.wait_for(ready)
        time.sleep(0.5)  # the first frame

    def wait_for(self, script, seconds=STEP_LIMIT):
        """Waits until the script returns true; fails, naming the script, after the seconds."""
        if not self.wait_until(lambda: self.script(script), seconds):
            raise AssertionError(f'waited {seconds} s in vain for: {script}')

    @staticmethod
    def wait_until(condition, seconds=STEP_LIMIT):
        """Asks the condition until it holds, for the seconds at most; returns whether it held."""
        end = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > end:
                return False
            time.sleep(0.05)
        return True

    def type(self, text):
        """Keys typed, as WebDriver names them (Keys.ENTER and the like)."""
        self.keys([(key, key) for key in text])

    def select_all(self):
        """Ctrl+A, to the window that has the keyboard."""
        self.keys([(Keys.CONTROL, None), ('a', 'a'), (None, Keys.CONTROL)])

    def paste(self, text):
        """The text pasted from the clipboard, as the browser hands a paste to the page: to the
        element that has the keyboard. (Firefox reads a made paste's text from dataType and data
        of its own, not from clipboardData.)"""
        self.script(f"""const text = {json.dumps(text)};
            const data = new DataTransfer();
            data.setData('text/plain', text);
            document.activeElement.dispatchEvent(new ClipboardEvent('paste', {{
                clipboardData: data, dataType: 'text/plain', data: text,
                bubbles: true, cancelable: true }}));""")

    def crop(self, image, x, y, width, height):
        """The part of a screenshot at CSS pixels (x, y), width by height."""
        r = self.ratio
        return image.crop((round(x * r), round(y * r), round((x + width) * r),
                           round((y + height) * r)))

    def layout_shot(self):
        """The page as the user sees it, scaled to its layout's CSS pixels (a phone's browser
        shows a page laid out larger than its screen fitted to it)."""
        image = self.shot()
        width = self.script('return window.innerWidth')
        return image.resize((width, round(image.height * width / image.width)), Image.NEAREST)


class SeleniumPage(Page):
    """A page driven through a WebDriver with Selenium."""

    def load(self, address):
        self.driver.get(address)

    def script(self, script):
        return self.driver.execute_script(script)

    def click(self, x, y):
        """A left click at the page's CSS pixel (x, y)."""
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()
        time.sleep(0.1)

    def keys(self, strokes):
        """Each stroke a key pressed (or None) and a key let go (or None)."""
        chain = ActionChains(self.driver)
        for down, up in strokes:
            if down == up:
                chain.send_keys(down)
            elif down:
                chain.key_down(down)
            else:
                chain.key_up(up)
        chain.perform()
        time.sleep(0.1)

    def shot(self):
        """The page as the user sees it, in device pixels."""
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

    def resize(self, size):
        """The browser's window made width x height (its page a little less in some)."""
        self.driver.set_window_size(*size)


class Browser(SeleniumPage):
    """Chromium."""
    name = 'chromium'

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

    def emulate(self, width, height, ratio):
        """Makes the page a touch device's: a screen of width x height CSS pixels at the ratio,
        laid out as a phone's browser does (its viewport tag heeded), touched rather than
        clicked."""
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': True})
        self.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled',
                                    {'enabled': True, 'maxTouchPoints': 5})

    def touch(self, *points):
        """One finger down at the first of the page's CSS pixels, along the rest, and up."""
        def send(kind, at):
            self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {
                'type': kind, 'touchPoints': [{'x': x, 'y': y} for x, y in at]})
        send('touchStart', points[:1])
        for point in points[1:]:
            send('touchMove', [point])
        send('touchEnd', [])
        time.sleep(0.1)

    def input_method(self, composing, committed):
        """What an input method sends as a person types: the text it composes, shown as it is
        composed, then the text it commits in its place."""
        self.driver.execute_cdp_cmd('Input.imeSetComposition', {
            'text': composing, 'selectionStart': len(composing), 'selectionEnd': len(composing)})
        self.driver.execute_cdp_cmd('Input.insertText', {'text': committed})

    def console_messages(self):
        """The errors and warnings in the page's console since the last call."""
        return [entry['message'] for entry in self.driver.get_log('browser')
                if entry['level'] in ('SEVERE', 'WARNING')]

    def run(self, base, program, arguments, output):
        """Runs a program of the build (base serves its folder) to its end, writing what it
        prints to output; returns its exit status.

        The program runs on the page's own thread and holds it while it computes: a script sent
        to the page meanwhile waits until the program lets go, so WebDriver's script and
        page-load timeouts are the program's limit, not their defaults of 30 s and 300 s, which a
        busy machine outlasts."""
        self.driver.set_script_timeout(PROGRAM_LIMIT)
        self.driver.set_page_load_timeout(PROGRAM_LIMIT)
        end = time.monotonic() + PROGRAM_LIMIT
        query = urllib.parse.urlencode({'program': program, 'arguments': json.dumps(arguments)})
        try:
            self.driver.get(f'{base}run.html?{query}')
            while True:
                lines, status = self.driver.execute_script(
                    'return [window.output.splice(0, 50000), window.exitStatus];')
                for line in lines:
                    output.write(line + '\n')
                if status is not None and not lines:
                    return status
                if time.monotonic() > end:
                    raise TimeoutException()
                if not lines:
                    time.sleep(0.2)
        except TimeoutException:
            raise TimeoutError(f'{program} {" ".join(arguments)} did not end within '
                               f'{PROGRAM_LIMIT // 60} minutes') from None


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


class Firefox(Page):
    """Firefox ESR, headless, over WebDriver BiDi: a WebSocket to the browser itself."""
    name = 'firefox'
    KEYS = {Keys.CONTROL: '\ue009', Keys.ENTER: '\ue007'}

    def __init__(self, ratio=1):
        import websocket  # Debian's python3-websocket; only this engine needs it
        self.ratio = ratio
        self.profile = tempfile.mkdtemp()
        port = free_port()
        self.process = subprocess.Popen(
            ['/usr/bin/firefox-esr', '--headless', '--no-remote', '--profile', self.profile,
             f'--remote-debugging-port={port}'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.socket = None
        self.wait_until(lambda: self.connect(websocket, port))
        self.socket.settimeout(PROGRAM_LIMIT)
        self.sent = 0
        self.log = []
        self.command('session.new', {'capabilities': {}})
        self.context = self.command('browsingContext.getTree', {})['contexts'][0]['context']
        self.command('session.subscribe', {'events': ['log.entryAdded']})
        self.command('browsingContext.setViewport', {
            'context': self.context, 'viewport': {'width': WINDOW[0], 'height': WINDOW[1]},
            'devicePixelRatio': ratio})

    def connect(self, websocket, port):
        try:
            # Firefox refuses a handshake that names an origin, as a page's would.
            self.socket = websocket.create_connection(f'ws://127.0.0.1:{port}/session',
                                                      suppress_origin=True)
            return True
        except OSError:
            return False

    def command(self, method, params):
        self.sent += 1
        self.socket.send(json.dumps({'id': self.sent, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('method') == 'log.entryAdded':
                self.log.append(message['params'])
            elif message.get('id') == self.sent:
                if message.get('type') == 'error':
                    raise RuntimeError(f"{method}: {message['error']}: {message['message']}")
                return message['result']

    def close(self):
        try:
            self.command('session.end', {})
        finally:
            self.process.kill()
            self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)

    def load(self, address):
        self.command('browsingContext.navigate',
                     {'context': self.context, 'url': address, 'wait': 'complete'})

    def script(self, script):
        result = self.command('script.callFunction', {
            'functionDeclaration': f'function () {{ {script} }}', 'awaitPromise': False,
            'target': {'context': self.context}})
        if result['type'] == 'exception':
            raise RuntimeError(result['exceptionDetails']['text'])
        return self.value(result['result'])

    @classmethod
    def value(cls, remote):
        """A script's result, as Python's: numbers, text, truth, null and arrays of them."""
        if remote['type'] == 'array':
            return [cls.value(item) for item in remote['value']]
        return remote.get('value')

    def actions(self, source):
        self.command('input.performActions', {'context': self.context, 'actions': [source]})
        time.sleep(0.1)

    def click(self, x, y):
        self.actions({'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
                      'actions': [{'type': 'pointerMove', 'x': int(x), 'y': int(y)},
                                  {'type': 'pointerDown', 'button': 0},
                                  {'type': 'pointerUp', 'button': 0}]})

    def keys(self, strokes):
        actions = []
        for down, up in strokes:
            if down:
                actions.append({'type': 'keyDown', 'value': self.KEYS.get(down, down)})
            if up:
                actions.append({'type': 'keyUp', 'value': self.KEYS.get(up, up)})
        self.actions({'type': 'key', 'id': 'keyboard', 'actions': actions})

    def resize(self, size):
        self.command('browsingContext.setViewport', {
            'context': self.context, 'viewport': {'width': size[0], 'height': size[1]},
            'devicePixelRatio': self.ratio})

    def shot(self):
        data = self.command('browsingContext.captureScreenshot', {'context': self.context})
        return Image.open(io.BytesIO(base64.b64decode(data['data']))).convert('RGB')

    def console_messages(self):
        """The errors and warnings in the page's console since the last call."""
        messages = [entry['text'] for entry in self.log if entry['level'] in ('error', 'warn')]
        self.log.clear()
        return messages


class WebKit(SeleniumPage):
    """WebKitGTK's MiniBrowser, through WebKitWebDriver, in an X server of its own (it has no
    headless mode); the ratio is GTK's scale, so a whole number."""
    name = 'webkit'

    def __init__(self, ratio=1):
        from selenium.webdriver.webkitgtk.options import Options
        self.ratio = ratio
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write), '-screen', '0', '1600x1200x24', '-nolisten',
             'tcp'], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            self.display = ':' + display.readline().strip()
        options = Options()
        options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
        options.add_argument('--automation')
        environment = {**os.environ, 'DISPLAY': self.display, 'GDK_SCALE': str(int(ratio))}
        saved = os.environ.copy()
        os.environ.update(environment)  # the driver starts the browser with this environment
        try:
            self.driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver',
                                              options=options)
        finally:
            os.environ.clear()
            os.environ.update(saved)
        # The window's outer size: its page is a little shorter than Chromium's.
        self.driver.set_window_size(*WINDOW)

    def close(self):
        try:
            self.driver.quit()
        finally:
            self.server.kill()
            self.server.wait()

    def console_messages(self):
        """WebKitWebDriver gives no console; what the page logs is not seen here."""
        return []


ENGINES = {engine.name: engine for engine in (Browser, Firefox, WebKit)}


def run_program(folder, program, arguments, output):
    """Serves the folder, runs the program of it (its name without .js) in a browser of its own
    to its end, writing what it prints to output; returns its exit status."""
    with served(folder) as base:
        session = Browser()
        try:
            return session.run(base, program, arguments, output)
        finally:
            session.close()
