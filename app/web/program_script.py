#!/usr/bin/env python3
"""Writes the program's script for the site: its WebAssembly inside it, handed to
emscripten's loader through the loader's own Module.wasmBinary, since the page's policy
lets it fetch nothing, not even that; then the loader emcc wrote.

    program_script.py LOADER.js PROGRAM.wasm OUT.js
"""
import base64
import sys

# Decoded by the browser's own decoder where it has one: faster than a script's, and it
# leaves no garbage to collect.
PRELUDE = """var Module = {'wasmBinary': (function(text) {
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
  var bytes = atob(text), out = new Uint8Array(bytes.length);
  for (var i = 0; i < bytes.length; ++i) out[i] = bytes.charCodeAt(i);
  return out;
})('%s')};
"""


def main(loader, wasm, out):
    with open(wasm, 'rb') as f:
        encoded = base64.b64encode(f.read()).decode()
    with open(loader, encoding='utf-8') as f:
        script = f.read()
    with open(out, 'w', encoding='utf-8') as f:
        f.write(PRELUDE % encoded + script)


if __name__ == '__main__':
    main(*sys.argv[1:])
