// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Starts the program on the page: checks that the browser can run it, downloads it with a
// progress bar, hands it the files it carries (its font and Qt's Japanese catalogue) and shows
// the page's notice again when the program ends, with a button to start it again.
'use strict';

(function () {
    const program = 'pendulum';
    // The folder in the program's file system where it looks for the files the page hands it.
    const pageFiles = '/pendulum';
    const carried = {
        '/fonts/pendulum-gothic.ttf': 'fonts/pendulum-gothic.ttf',
        '/translations/qtbase_ja.qm': 'translations/qtbase_ja.qm',
    };
    const wasmBytes = @PENDULUM_WASM_BYTES@; // the program's size, when the server gives none

    const screen = document.getElementById('screen');
    const notice = document.getElementById('notice');
    const message = document.getElementById('message');
    const progress = document.getElementById('progress');
    const restart = document.getElementById('restart');
    restart.addEventListener('click', () => window.location.reload());

    function say(text, { showProgress = false, offerRestart = false } = {}) {
        message.textContent = text;
        progress.hidden = !showProgress;
        restart.hidden = !offerRestart;
        notice.hidden = false;
        screen.hidden = true;
    }

    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
        say('このブラウザーは WebAssembly に対応していないため、振り子シミュレーターを動かせません。' +
            'Chrome、Edge、Firefox、Safari の新しい版でこのページを開いてください。');
        return;
    }

    // The program itself, downloaded here to show how much has arrived, then handed to Qt's
    // loader in place of its own download.
    async function download(url) {
        const response = await fetch(url);
        if (!response.ok)
            throw new Error(`${url}: ${response.status} ${response.statusText}`);
        const declared = Number(response.headers.get('Content-Length'));
        const encoded = response.headers.get('Content-Encoding');
        const total = declared && !encoded ? declared : wasmBytes;
        const reader = response.body.getReader();
        const chunks = [];
        let received = 0;
        for (;;) {
            const { done, value } = await reader.read();
            if (done)
                break;
            chunks.push(value);
            received += value.length;
            progress.value = Math.min(1, received / total);
        }
        return new Blob(chunks);
    }

    async function fetchBytes(url) {
        const response = await fetch(url);
        if (!response.ok)
            throw new Error(`${url}: ${response.status} ${response.statusText}`);
        return new Uint8Array(await response.arrayBuffer());
    }

    async function start() {
        say('振り子シミュレーターを読み込んでいます…', { showProgress: true });
        const [wasm, ...files] = await Promise.all(
            [download(`${program}.wasm`), ...Object.values(carried).map(fetchBytes)]);
        message.textContent = '起動しています…';

        const pageFetch = window.fetch;
        window.fetch = (resource, init) =>
            resource === `${program}.wasm`
                ? Promise.resolve(new Response(wasm, { headers: { 'Content-Type': 'application/wasm' } }))
                : pageFetch(resource, init);

        let ended = false;
        const end = (text) => {
            if (ended)
                return;
            ended = true;
            say(text, { offerRestart: true });
        };
        const loader = QtLoader({
            canvasElements: [screen],
            showLoader: () => {},
            showCanvas: () => {
                notice.hidden = true;
                screen.hidden = false;
            },
            showError: (errorText) => end(`振り子シミュレーターを起動できませんでした: ${errorText}`),
            showExit: () => end(loader.crashed
                ? `振り子シミュレーターが異常終了しました: ${loader.exitText}`
                : '振り子シミュレーターは終了しました。'),
        });
        // Qt's loader keeps the program's settings in moduleConfig; these are added to them.
        moduleConfig.preRun = [(module) => {
            Object.keys(carried).forEach((path, i) => {
                const folder = pageFiles + path.substring(0, path.lastIndexOf('/'));
                module.FS.mkdirTree(folder);
                module.FS.writeFile(pageFiles + path, files[i]);
            });
        }];
        // The program ends with status 0 when its last window is closed, which Qt's loader
        // takes for a program that goes on running. Ending, the program unwinds by throwing
        // what Emscripten hands to quit, as its own quit does.
        moduleConfig.onExit = (status) => end(status === 0
            ? '振り子シミュレーターは終了しました。'
            : `振り子シミュレーターが終了しました (終了コード ${status})。`);
        moduleConfig.quit = (status, exception) => {
            throw exception;
        };
        loader.loadEmscriptenModule(program);
    }

    start().catch((error) => say(`振り子シミュレーターを読み込めませんでした: ${error.message}`,
                                 { offerRestart: true }));
})();
