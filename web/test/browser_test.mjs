// The reader page in the system's headless Chromium, served from 127.0.0.1
// by a server that honours ranges: a published book and the test books
// drawn exactly as the native full screen draws them, the keys, wheel,
// slider and touch, the password gate, INFO, damaged books, and the bytes a
// page costs. Usage: node browser_test.mjs WEB_FIXTURES QBBTOOL SAMPLE.qbb
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, truncateSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import puppeteer from 'puppeteer-core';
import { serveFolder } from './static_server.mjs';

const [fixturesTool, qbbtool, sample] = process.argv.slice(2);
const kDamagedBook = 'ファイルが壊れているか、デジタルブックではありません。';
const dir = mkdtempSync(join(tmpdir(), 'qbweb-'));
const site = join(dir, 'site');
const books = join(dir, 'books');
execFileSync(qbbtool, ['publish', sample, site]);
execFileSync(fixturesTool, ['books', books]);
for (const name of readdirSync(books)) if (name.endsWith('.qbb')) copyFileSync(join(books, name), join(site, name));
const manifest = JSON.parse(readFileSync(join(books, 'manifest.json'), 'utf8'));
const positionsOf = (name) => manifest.books.find((b) => b.name === name).positions;

let server;
let browser;
before(async () => {
  server = await serveFolder(site);
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: join(dir, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});
after(async () => {
  await browser?.close();
  await server?.close();
  rmSync(dir, { recursive: true, force: true });
});

// A fresh tab on the reader; every request it makes and every page error
// or blocked load is kept for the checks.
async function openReader(query = '', { width = 800, height = 600, dpr = 1, touch = false, origin } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: dpr, hasTouch: touch });
  page.requests = [];
  page.problems = [];
  page.on('request', (request) => request.url().startsWith('data:') || page.requests.push(request.url()));
  page.on('pageerror', (error) => page.problems.push(error.message));
  await page.evaluateOnNewDocument(() => {
    document.addEventListener('securitypolicyviolation', (e) => console.error(`blocked ${e.blockedURI}`));
  });
  page.on('console', (message) => message.type() === 'error' && page.problems.push(message.text()));
  await page.goto(`${origin || server.url}index.html${query}`);
  return page;
}

async function shown(page, label) {
  await page.waitForFunction(
    (want) => document.getElementById('canvas').getAttribute('aria-label') === want && !document.body.classList.contains('busy'),
    {},
    label,
  );
}

async function canvasBytes(page) {
  const { width, height, data } = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, data: btoa(text) };
  });
  return { width, height, pixels: Buffer.from(data, 'base64') };
}

async function assertDrawnAsNative(page, bookPath, pageNumber) {
  const canvas = await canvasBytes(page);
  const out = join(dir, 'native.rgba');
  execFileSync(fixturesTool, ['draw', bookPath, String(pageNumber), String(canvas.width), String(canvas.height), out]);
  const native = readFileSync(out);
  assert.ok(native.equals(canvas.pixels), `${bookPath} page ${pageNumber} at ${canvas.width}x${canvas.height}`);
}

async function messageShown(page) {
  await page.waitForSelector('#message-dialog[open]');
  return page.$eval('#message-text', (p) => p.textContent);
}

test('the published sample draws every page as Quilly does', async () => {
  const page = await openReader();
  await page.waitForFunction(() => document.getElementById('canvas').getAttribute('aria-label'));
  const count = Number(await page.$eval('#page', (s) => s.max));
  assert.ok(count >= 1);
  for (let n = 1; n <= count; ++n) {
    await shown(page, `${n} / ${count}`);
    await assertDrawnAsNative(page, sample, n);
    await page.keyboard.press('ArrowRight');
  }
  assert.deepEqual(page.problems, []);
  assert.ok(page.requests.every((url) => url.startsWith(server.url)), page.requests.join(' '));
  await page.close();
});

test('keys, wheel, slider and touch turn pages', async () => {
  const page = await openReader('?book=pages20.qbb', { touch: true });
  await shown(page, '1 / 20');
  const box = await page.$eval('#view', (v) => {
    const r = v.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  });
  const midY = box.y + box.height / 2;
  const tap = async (x) => {
    await page.touchscreen.tap(box.x + x, midY);
  };
  const swipe = async (fromX, toX) => {
    await page.touchscreen.touchStart(box.x + fromX, midY);
    await page.touchscreen.touchMove(box.x + (fromX + toX) / 2, midY);
    await page.touchscreen.touchMove(box.x + toX, midY);
    await page.touchscreen.touchEnd();
  };
  const steps = [
    [() => page.keyboard.press('ArrowRight'), 2],
    [() => page.keyboard.press('PageDown'), 3],
    [() => page.keyboard.press('Space'), 4],
    [() => page.keyboard.press('Backspace'), 3],
    [() => page.keyboard.press('PageUp'), 2],
    [() => page.keyboard.press('ArrowLeft'), 1],
    [() => page.keyboard.press('ArrowLeft'), 1],
    [() => page.keyboard.press('End'), 20],
    [() => page.keyboard.press('ArrowRight'), 20],
    [() => page.keyboard.press('Home'), 1],
    [() => page.mouse.move(box.x + 100, midY).then(() => page.mouse.wheel({ deltaY: 100 })), 2],
    [() => page.mouse.wheel({ deltaY: -100 }), 1],
    [() => page.$eval('#page', (s) => { s.value = '7'; s.dispatchEvent(new Event('input')); }), 7],
    [() => swipe(box.width * 0.6, box.width * 0.3), 8],
    [() => swipe(box.width * 0.3, box.width * 0.6), 7],
    [() => tap(box.width * 0.9), 8],
    [() => tap(box.width * 0.1), 7],
    [() => tap(box.width * 0.5), 7],
  ];
  for (const [act, want] of steps) {
    await act();
    await shown(page, `${want} / 20`);
    assert.equal(await page.$eval('#page', (s) => s.value), String(want));
  }
  await assertDrawnAsNative(page, join(books, 'pages20.qbb'), 7);
  assert.deepEqual(page.problems, []);
  await page.close();
});

test('page 1 costs the header, the table and at most two records, fetched by ranges', async () => {
  server.sent.clear();
  server.requests.length = 0;
  const page = await openReader('?book=pages20.qbb');
  await shown(page, '1 / 20');
  await new Promise((resolve) => setTimeout(resolve, 500));
  const positions = positionsOf('pages20.qbb');
  const sent = server.sent.get('/pages20.qbb');
  // Up to the start of record 3: header, texts, table, record 1, filler, record 2.
  assert.ok(sent >= positions[0] - 1 + 6 && sent <= positions[2] - 1, `${sent} bytes`);
  const bookRequests = server.requests.filter(([path]) => path === '/pages20.qbb');
  assert.ok(bookRequests.every(([, range]) => range.startsWith('bytes=')), JSON.stringify(bookRequests));
  // Header, texts, table, record 1 and the start of record 2, whatever the
  // page count: no record is read to open the book.
  assert.ok(bookRequests.length <= 5, JSON.stringify(bookRequests));
  await page.close();
});

test('a server that ignores ranges sends the book once', async () => {
  const whole = await serveFolder(site, { ranges: false });
  try {
    const page = await openReader('?book=pages20.qbb', { origin: whole.url });
    await shown(page, '1 / 20');
    await page.keyboard.press('End');
    await shown(page, '20 / 20');
    await assertDrawnAsNative(page, join(books, 'pages20.qbb'), 20);
    assert.equal(whole.sent.get('/pages20.qbb'), readFileSync(join(site, 'pages20.qbb')).length);
    await page.close();
  } finally {
    await whole.close();
  }
});

test('the password gate: wrong, cancelled, right', async () => {
  const page = await openReader('?book=locked.qbb');
  await page.waitForSelector('#password-dialog[open]');
  await shown(page, '1 / 3');
  assert.equal(await page.$eval('#price', (e) => e.textContent), '¥1,500');
  await page.type('#password', 'ab1');
  await page.keyboard.press('Enter');
  assert.equal(await messageShown(page), 'パスワードが違います');
  await page.click('#message-ok');
  assert.equal(await page.$eval('#password-dialog', (d) => d.open), true);
  assert.equal(await page.$eval('#password', (e) => e.value), 'ab1');
  await page.click('#password-cancel');
  await page.waitForFunction(() => document.getElementById('next').disabled);
  await page.keyboard.press('End');
  await page.keyboard.press('ArrowRight');
  await new Promise((resolve) => setTimeout(resolve, 200));
  await shown(page, '1 / 3');
  await page.reload();
  await page.waitForSelector('#password-dialog[open]');
  await page.type('#password', 'Ab1');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('next').disabled);
  await page.keyboard.press('End');
  await shown(page, '3 / 3');
  await assertDrawnAsNative(page, join(books, 'locked.qbb'), 3);
  await page.close();
});

test('INFO shows book texts as text, links only web and mail addresses', async () => {
  const page = await openReader('?book=texts.qbb');
  await shown(page, '1 / 1');
  assert.equal(await page.title(), 'Quillberry:[①の本/髙橋ｶﾀｶﾅ]');
  await page.click('#info');
  await page.waitForSelector('#info-dialog[open]');
  const info = await page.evaluate(() => ({
    author: document.getElementById('info-author').textContent,
    title: document.getElementById('info-title-text').textContent,
    comment: document.getElementById('info-comment').textContent,
    url: document.querySelector('#info-url a')?.href,
    mail: document.querySelector('#info-mail a')?.href,
    elements: document.querySelectorAll('#info-dialog script, #info-dialog img').length,
  }));
  assert.equal(info.author.trimEnd(), '髙橋ｶﾀｶﾅ');
  assert.equal(info.title.trimEnd(), '①の本');
  assert.equal(info.comment, '<script>alert(1)</script>\n<img src=x onerror=alert(2)>');
  assert.equal(info.url, 'https://example.com/?q=%3Cb%3E');
  assert.equal(info.mail, 'mailto:mail@example.com');
  assert.equal(info.elements, 0);
  await page.click('#info-close');
  await page.goto(`${server.url}index.html?book=javascript.qbb`);
  await shown(page, '1 / 1');
  await page.click('#info');
  assert.equal(await page.$('#info-url a'), null);
  assert.equal(await page.$eval('#info-url', (e) => e.textContent), 'javascript:alert(3)');
  assert.deepEqual(page.problems, []);
  await page.close();
});

test('damaged books, damaged pages and other origins give the damaged-book message', async () => {
  for (const query of ['?book=check.qbb', '?book=missing.qbb', '?book=http://example.com/a.qbb',
    '?book=//example.com/a.qbb']) {
    const page = await openReader(query);
    assert.equal(await messageShown(page), kDamagedBook, query);
    assert.equal(await page.$eval('#canvas', (c) => c.getAttribute('aria-label')), null, query);
    assert.ok(page.requests.every((url) => url.startsWith(server.url)), page.requests.join(' '));
    await page.close();
  }
  // A last record cut short, and a book that became shorter on the server
  // since it was opened: page 1 shows, the last page gives the message.
  const shrinking = join(site, 'shrinking.qbb');
  copyFileSync(join(books, 'pages20.qbb'), shrinking);
  for (const name of ['page-cut.qbb', 'shrinking.qbb']) {
    const page = await openReader(`?book=${name}`);
    await shown(page, '1 / 20');
    if (name === 'shrinking.qbb') truncateSync(shrinking, statSync(shrinking).size - 10);
    await page.keyboard.press('End');
    assert.equal(await messageShown(page), kDamagedBook, name);
    await page.click('#message-ok');
    // Nothing half-drawn: the page shown before stays whole.
    await shown(page, '1 / 20');
    await assertDrawnAsNative(page, join(books, 'pages20.qbb'), 1);
    await page.close();
  }
});

test('a book chosen from the disk, on a high-density screen', async () => {
  const page = await openReader('', { width: 500, height: 400, dpr: 2 });
  await page.waitForFunction(() => document.getElementById('canvas').getAttribute('aria-label'));
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#open')]);
  await chooser.accept([join(books, 'pages20.qbb')]);
  await shown(page, '1 / 20');
  const size = await page.$eval('#view', (v) => [v.clientWidth, v.clientHeight]);
  const canvas = await canvasBytes(page);
  assert.deepEqual([canvas.width, canvas.height], [size[0] * 2, size[1] * 2]);
  await page.keyboard.press('ArrowRight');
  await shown(page, '2 / 20');
  await assertDrawnAsNative(page, join(books, 'pages20.qbb'), 2);
  await page.close();
});
