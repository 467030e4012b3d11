// The WebAssembly core against the native code, under node: every header
// the native reader reads (damaged books included) and every page drawn at
// several view sizes must come out the same, pixel for pixel.
// Usage: node core_test.mjs WEB_FIXTURES READER_DIR
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

const [fixturesTool, readerDir] = process.argv.slice(2);
const dir = mkdtempSync(join(tmpdir(), 'qbweb-'));
process.on('exit', () => rmSync(dir, { recursive: true, force: true }));
execFileSync(fixturesTool, ['books', dir]);
const manifest = JSON.parse(readFileSync(join(dir, 'manifest.json'), 'utf8'));

let bookBytes = null;
let failFrom = Infinity; // reads reaching this offset fail, as a host that lost the file
const createCore = createRequire(import.meta.url)(join(readerDir, 'qb_core.js'));
const core = await createCore({
  readBytes: (offset, count) => (bookBytes && offset + count <= failFrom ? bookBytes.subarray(offset, offset + count) : null),
});

function openBook(name) {
  bookBytes = new Uint8Array(readFileSync(join(dir, name)));
  failFrom = Infinity;
  return core._qb_open(bookBytes.length);
}

const text = (field) => core.UTF8ToString(core._qb_text(field));

function nativeDrawing(name, page, width, height) {
  const out = join(dir, 'native.rgba');
  try {
    execFileSync(fixturesTool, ['draw', join(dir, name), String(page), String(width), String(height), out]);
  } catch (error) {
    return { status: error.status };
  }
  return { status: 0, pixels: new Uint8Array(readFileSync(out)) };
}

function coreDrawing(page, width, height) {
  const status = core._qb_draw(page, width, height);
  if (status !== 0) return { status };
  const at = core._qb_pixels();
  return { status, pixels: core.HEAPU8.slice(at, at + width * height * 4) };
}

function assertSameDrawing(name, page, width, height, corePage = page) {
  const native = nativeDrawing(name, page, width, height);
  const wasm = coreDrawing(corePage, width, height);
  assert.equal(wasm.status, native.status, `${name} page ${page} at ${width}x${height}`);
  if (native.status !== 0) return;
  const differs = native.pixels.findIndex((v, i) => v !== wasm.pixels[i]);
  assert.equal(differs, -1, `${name} page ${page} at ${width}x${height}: first difference at byte ${differs}`);
}

test('headers read as the native reader reads them', () => {
  for (const book of manifest.books) {
    const status = openBook(book.name);
    // Records are checked when drawn, so only the header and table decide.
    assert.equal(status, book.tableStatus, book.name);
    if (book.status !== 0 && status === 0) continue;
    if (status !== 0) {
      // A rejected file leaves no book: nothing to show, nothing locked.
      assert.equal(core._qb_page_count(), 0, book.name);
      assert.equal(text(0), ' '.repeat(24), book.name);
      continue;
    }
    assert.equal(core._qb_page_count(), book.pageCount, book.name);
    assert.deepEqual([0, 1, 2, 3, 4].map(text), [book.author, book.title, book.url, book.mail, book.comment], book.name);
    assert.equal(core._qb_has_password() === 1, book.password.trim() !== '', book.name);
    const positions = book.positions.map((_, i) => core._qb_page_position(i + 1));
    assert.deepEqual(positions, book.positions, book.name);
  }
});

test('texts of code page 932 and the price label', () => {
  assert.equal(openBook('texts.qbb'), 0);
  assert.equal(text(0).trimEnd(), '髙橋ｶﾀｶﾅ');
  assert.equal(text(1).trimEnd(), '①の本');
  assert.equal(text(5), '¥2,147,483,647');
  assert.equal(text(6), 'Quillberry:[①の本/髙橋ｶﾀｶﾅ]');
});

test('every page at every view size equals the native full-screen drawing', () => {
  assert.equal(openBook('pages20.qbb'), 0);
  const views = [[640, 480], [1280, 960], [333, 1000], [1, 1]];
  for (let page = 1; page <= 20; ++page) {
    for (const [width, height] of views) assertSameDrawing('pages20.qbb', page, width, height);
  }
});

test('a locked book shows page 1 until its exact password is given', () => {
  assert.equal(openBook('locked.qbb'), 0);
  assert.equal(core._qb_unlocked(), 0);
  assertSameDrawing('locked.qbb', 1, 200, 150, 3);
  for (const wrong of ['ab1', 'Ab1 ', ' Ab1', 'Ab', '']) {
    const at = core._malloc(16);
    core.stringToUTF8(wrong, at, 16);
    assert.equal(core._qb_try_password(at), 0, JSON.stringify(wrong));
    core._free(at);
  }
  assert.equal(core._qb_showable_page(3), 1);
  const at = core._malloc(16);
  core.stringToUTF8('Ab1', at, 16);
  assert.equal(core._qb_try_password(at), 1);
  core._free(at);
  assertSameDrawing('locked.qbb', 3, 200, 150);
});

test('a page whose bytes the host cannot deliver is damaged, the others still draw', () => {
  assert.equal(openBook('pages20.qbb'), 0);
  const start = manifest.books.find((b) => b.name === 'pages20.qbb').positions[1] - 1;
  failFrom = start + 1000;
  assert.equal(core._qb_draw(2, 640, 480), 4);
  assert.equal(core._qb_draw(1, 640, 480), 0);
  for (const [width, height] of [[0, 480], [640, 0], [16385, 1], [10000, 10000]]) {
    assert.equal(core._qb_draw(1, width, height), 4, `${width}x${height}`);
  }
  // A record cut short opens the book; only that page is damaged.
  assert.equal(openBook('page-cut.qbb'), 0);
  assert.equal(core._qb_check_page(20), 4);
  assert.equal(core._qb_draw(20, 640, 480), 4);
  assert.equal(core._qb_draw(1, 640, 480), 0);
});

test('opening reads the header, texts and table, never a record', () => {
  openBook('pages20.qbb');
  failFrom = Math.min(...manifest.books.find((b) => b.name === 'pages20.qbb').positions) - 1;
  assert.equal(core._qb_open(bookBytes.length), 0);
  assert.equal(core._qb_page_count(), 20);
});
