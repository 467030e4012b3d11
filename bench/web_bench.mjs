// The browser half of bench/web-bench.sh. Usage: node web_bench.mjs SITE NATIVE.json
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';

const require = createRequire(new URL('../web/test/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const { serveFolder } = await import('../web/test/static_server.mjs');

const [site, nativeJson] = process.argv.slice(2);
const kRounds = Number(process.env.QB_WEB_BENCH_ROUNDS || 10);
const native = new Map(
  JSON.parse(readFileSync(nativeJson, 'utf8')).benchmarks.map((b) => [b.name, b.real_time]), // milliseconds
);
writeFileSync(join(site, 'blank.html'),
  '<!DOCTYPE html><title>blank</title><link rel="icon" href="data:,"><input type="file" id="book">');

const server = await serveFolder(site);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  protocolTimeout: 600000,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});

// Median milliseconds of one page drawn and put on a 640 x 480 canvas, as
// the reader does it: its worker reads and draws, the page shows the result.
// The book is a file chosen from the disk, as the native side reads one, or
// (fromServer) fetched by ranges from the local server.
async function webPageToScreen(book, fromServer) {
  const page = await browser.newPage();
  await page.goto(`${server.url}blank.html`);
  if (!fromServer) await (await page.$('#book')).uploadFile(join(site, book));
  const times = await page.evaluate(async (url, rounds) => {
    const worker = new Worker('book_worker.js');
    const ask = (message) => new Promise((resolve) => {
      worker.onmessage = (event) => event.data.type !== 'ready' && resolve(event.data);
      worker.postMessage(message);
    });
    const opened = await ask(url ? { type: 'open', url } : { type: 'open', file: document.getElementById('book').files[0] });
    if (opened.status !== 0) throw new Error(`the book did not open: ${opened.status}`);
    const context = new OffscreenCanvas(640, 480).getContext('2d');
    const times = [];
    for (let i = 0; i <= rounds; ++i) {
      const start = performance.now();
      const reply = await ask({ type: 'draw', page: 1, width: 640, height: 480 });
      context.putImageData(new ImageData(new Uint8ClampedArray(reply.pixels), 640, 480), 0, 0);
      if (i > 0) times.push(performance.now() - start); // the first round warms the compiler
    }
    worker.terminate();
    return times;
  }, fromServer ? `${server.url}${book}` : '', kRounds);
  await page.close();
  return median(times);
}

// Cold: page load to the first page drawn, the reader's scripts and
// WebAssembly included; against fetching the header, texts, table and first
// record the same way from the same server.
async function webFirstPage() {
  const loads = [];
  const fetches = [];
  for (let i = 0; i < 5; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    await page.evaluateOnNewDocument(() => {
      new MutationObserver(() => {
        if (document.getElementById('canvas')?.getAttribute('aria-label')) window.firstPageAt ??= performance.now();
      }).observe(document, { attributes: true, subtree: true, childList: true });
    });
    await page.goto(`${server.url}index.html`);
    await page.waitForFunction(() => window.firstPageAt, { timeout: 120000 });
    loads.push(await page.evaluate(() => window.firstPageAt));
    await page.goto(`${server.url}blank.html`);
    fetches.push(await page.evaluate(async () => {
      const book = 'sample.qbb';
      const range = async (start, length) => {
        const response = await fetch(book, { headers: { Range: `bytes=${start}-${start + length - 1}` }, cache: 'no-store' });
        return new DataView(await response.arrayBuffer());
      };
      const start = performance.now();
      const header = await range(0, 109);
      const textLength = header.getInt32(103, true);
      const pageCount = header.getInt16(89, true);
      await range(109, textLength);
      const table = await range(109 + textLength, 4 * pageCount);
      const record = table.getInt32(0, true) - 1;
      const size = await range(record, 6);
      const pixels = size.getInt16(0, true) * size.getInt16(2, true);
      await range(record + 6, 3 * (pixels + 1));
      return performance.now() - start;
    }));
    await context.close();
  }
  return [median(loads), median(fetches)];
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function ratio(ours, args, value, baseline, meaning) {
  console.log(`${ours.padEnd(24)} ${args.padEnd(10)} ${(value / baseline).toFixed(2).padStart(6)}x  ${meaning}` +
    ` (${value.toFixed(3)} ms vs ${baseline.toFixed(3)} ms)`);
}

const lines = [];
for (const fromServer of [false, true]) {
  for (const [width, height] of [[1280, 960], [4000, 3000]]) {
    const web = await webPageToScreen(`page${width}x${height}.qbb`, fromServer);
    lines.push([fromServer ? 'BM_WebServerPageToScreen' : 'BM_WebPageToScreen', `${width}/${height}`, web,
      native.get(`BM_ScreenPageToScreen/${width}/${height}`),
      `web page to screen${fromServer ? ' (from a server)' : ''} vs native page to screen`]);
  }
}
const [load, fetched] = await webFirstPage();
lines.push(['BM_WebFirstPage', 'sample', load, fetched, 'web first page vs fetching its bytes']);
console.log('\nRatios (time of ours / time of the baseline, same run):');
for (const line of lines) ratio(...line);
await browser.close();
await server.close();
