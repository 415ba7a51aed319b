// Runs a WebAssembly command built for WASI under node, handing it the bytes (node's fetch
// cannot read a file path): node run-wasi.mjs PROGRAM.wasm [ARGUMENT...]. The exit status is
// the program's. It sees its arguments and the GTEST_ variables of the environment, no files.
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';

const [program, ...args] = process.argv.slice(2);
const env = Object.fromEntries(Object.entries(process.env).filter(([name]) => name.startsWith('GTEST_')));
const wasi = new WASI({ version: 'preview1', args: [program, ...args], env, returnOnExit: true });
const instance = await WebAssembly.instantiate(await WebAssembly.compile(await readFile(program)), { wasi_snapshot_preview1: wasi.wasiImport });
process.exitCode = wasi.start(instance);
