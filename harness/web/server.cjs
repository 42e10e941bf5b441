'use strict';
// A static server for the web page on 127.0.0.1, for `make serve`, the browser tests
// and the benchmarks: it serves one folder, counts what it is asked for, and can be
// told to leave files out (as a damaged site would) or to stop answering.
//
//     node harness/web/server.cjs FOLDER [PORT]      serves FOLDER and prints its address

const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/manifest+json',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
  '.ttf': 'font/ttf',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};

// Resolves to { url, requests, leaveOut, close() }: `requests` lists the paths asked
// for, in order; a path in `leaveOut` is answered 404.
function serve(folder, port = 0) {
  folder = path.resolve(folder);
  const state = { requests: [], leaveOut: new Set() };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    state.requests.push(name);
    const file = path.join(folder, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(folder) || state.leaveOut.has(name)) {
      response.writeHead(404).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => {
      state.url = `http://127.0.0.1:${server.address().port}/`;
      state.close = () => new Promise((done) => {
        server.closeAllConnections();
        server.close(done);
      });
      resolve(state);
    });
  });
}

module.exports = { serve };

if (require.main === module) {
  const [folder, port] = process.argv.slice(2);
  if (!folder || !fs.existsSync(path.join(folder, 'index.html'))) {
    console.error('usage: server.cjs FOLDER [PORT]   (FOLDER holds the site: make web writes build/web/site)');
    process.exit(2);
  }
  serve(path.resolve(folder), Number(port || 8018)).then((s) => {
    console.log(`Tervanel is served at ${s.url} (Ctrl+C ends)`);
  });
}
