// A static file server on 127.0.0.1 for the reader's tests and benchmark:
// serves a folder, honours single byte ranges (unless told to ignore them,
// as some hosts do) and counts the bytes it sends per file.
import { createServer } from 'node:http';
import { open, stat } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.qbb': 'application/octet-stream',
};

// serveFolder(root, {ranges}) resolves to {url, sent, requests, close()}:
// sent maps a path to its bytes sent, requests lists [path, range header].
export async function serveFolder(root, { ranges = true } = {}) {
  const sent = new Map();
  const requests = [];
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = normalize(join(root, path));
    requests.push([path, request.headers.range || '']);
    let size;
    try {
      if (!file.startsWith(root + sep) && file !== root) throw new Error('outside');
      const info = await stat(file);
      if (!info.isFile()) throw new Error('not a file');
      size = info.size;
    } catch {
      response.writeHead(404).end();
      return;
    }
    let start = 0;
    let end = size;
    const range = ranges && /^bytes=(\d+)-(\d*)$/.exec(request.headers.range || '');
    const headers = { 'Content-Type': kTypes[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store' };
    if (range) {
      start = Number(range[1]);
      end = range[2] ? Math.min(Number(range[2]) + 1, size) : size;
      if (start >= size || end <= start) {
        response.writeHead(416, { 'Content-Range': `bytes */${size}` }).end();
        return;
      }
      headers['Content-Range'] = `bytes ${start}-${end - 1}/${size}`;
    }
    headers['Content-Length'] = end - start;
    const handle = await open(file);
    const body = Buffer.alloc(end - start);
    await handle.read(body, 0, body.length, start);
    await handle.close();
    sent.set(path, (sent.get(path) || 0) + body.length);
    response.writeHead(range ? 206 : 200, headers).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    sent,
    requests,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}
