// Compiles a MicroPython script with Pybricks' mpy-cross (ABI v6), as the hub's
// tools do before a download. Exits 0 when it compiled, 1 with its messages
// otherwise. Usage: node mpy_cross_check.js NODE_MODULES_DIR SCRIPT.py
globalThis.fetch = undefined; // the package must load its WebAssembly from disk
const fs = require('fs');
const path = require('path');
const [modules, script] = process.argv.slice(2);
const packageDir = path.join(modules, '@pybricks', 'mpy-cross-v6');
const { compile } = require(packageDir);
compile(path.basename(script), fs.readFileSync(script, 'utf8'), [],
        path.join(packageDir, 'build', 'mpy-cross-v6.wasm'))
    .then((result) => {
        process.stderr.write(result.err.join('\n'));
        process.exit(result.status === 0 && result.mpy && result.mpy.length > 0 ? 0 : 1);
    })
    .catch((error) => {
        process.stderr.write(String(error));
        process.exit(1);
    });
