// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Runs a program built for WebAssembly with Qt under Node.js, as a command line program runs:
//   node node-run.js PROGRAM.js [ARG ...]
// Qt builds every program as a module that makes an instance when asked (createQtAppInstance);
// this makes one with the arguments given, its output on stdout and stderr, and its exit status.
'use strict';
const fs = require('fs');
const path = require('path');

const [program, ...args] = process.argv.slice(2);
if (!program) {
    process.stderr.write('usage: node node-run.js PROGRAM.js [ARG ...]\n');
    process.exit(2);
}
const createInstance = require(path.resolve(program));
createInstance({
    arguments: args,
    // Emscripten 3.1.6 would fetch() the binary by its path when Node.js has fetch (Node.js 18
    // and later), which fails: it is handed the binary instead.
    wasmBinary: fs.readFileSync(path.resolve(program).replace(/\.js$/, '.wasm')),
    print: (text) => process.stdout.write(text + '\n'),
    printErr: (text) => process.stderr.write(text + '\n'),
}).catch((error) => {
    process.stderr.write(`${program}: ${error}\n`);
    process.exit(1);
});
