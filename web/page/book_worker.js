// The reader's worker: holds the WebAssembly core and the open book's
// bytes, so that reading and drawing block here and never the page.
// Messages in: open {file | url}, draw {page, width, height}, password
// {text}. Each is answered in turn.
'use strict';

importScripts('book_bytes.js', 'qb_core.js');

const kHeaderLength = 109;
const kTexts = ['author', 'title', 'url', 'mail', 'comment', 'price', 'windowTitle'];

let bytes = null;
let records = new Map();

// A read that fails (the network, a book changed on the server) is a
// damaged page for the core; nothing is thrown through its frames.
function readBytes(offset, count) {
  try {
    return bytes ? bytes.read(offset, count) : null;
  } catch {
    return null;
  }
}

const corePromise = createCore({ readBytes });

function utf8Argument(core, text, use) {
  const length = core.lengthBytesUTF8(text) + 1;
  const at = core._malloc(length);
  core.stringToUTF8(text, at, length);
  try {
    return use(at);
  } finally {
    core._free(at);
  }
}

// Where each page record lies at most: from its start to the next record's
// start, or the end of the file. Only bounds what a read fetches with it.
function measureRecords(core, pageCount, size) {
  const starts = [];
  for (let page = 1; page <= pageCount; ++page) starts.push(core._qb_page_position(page) - 1);
  const sorted = [...new Set(starts)].sort((a, b) => a - b);
  const ends = new Map();
  sorted.forEach((start, i) => ends.set(start, i + 1 < sorted.length ? sorted[i + 1] : size));
  records = new Map(starts.map((start, i) => [i + 1, [start, ends.get(start)]]));
}

function bookSummary(core, status) {
  const texts = {};
  kTexts.forEach((name, i) => {
    texts[name] = core.UTF8ToString(core._qb_text(i));
  });
  return {
    type: 'opened',
    status,
    pageCount: core._qb_page_count(),
    hasPassword: core._qb_has_password() === 1,
    texts,
  };
}

function open(core, message) {
  bytes = null;
  let status = 4;
  try {
    bytes = message.file ? fileBytes(message.file) : urlBytes(message.url, kHeaderLength);
    status = core._qb_open(bytes.size);
  } catch (error) {
    // Unreachable, missing or refused: the Viewer's damaged-book case.
    status = core._qb_open(0);
  }
  if (status === 0) measureRecords(core, core._qb_page_count(), bytes.size);
  return bookSummary(core, status);
}

function readWithin(page) {
  if (bytes) bytes.readWithin(...(records.get(page) || [0, 0]));
}

function draw(core, { page, width, height }) {
  const shown = core._qb_showable_page(page);
  readWithin(shown);
  const status = core._qb_draw(shown, width, height);
  const reply = { type: 'drawn', status, page: shown, width, height, pixels: null };
  if (status === 0) {
    const at = core._qb_pixels();
    reply.pixels = core.HEAPU8.slice(at, at + width * height * 4).buffer;
  }
  postMessage(reply, reply.pixels ? [reply.pixels] : []);
  // The next page's first block, while the reader looks at this one.
  const next = shown + 1;
  if (status === 0 && next <= core._qb_page_count() && core._qb_showable_page(next) === next) {
    readWithin(next);
    core._qb_check_page(next);
  }
  if (bytes) bytes.readWithin(0, 0);
}

onmessage = async (event) => {
  const message = event.data;
  try {
    const core = await corePromise;
    if (message.type === 'open') {
      postMessage(open(core, message));
    } else if (message.type === 'draw') {
      draw(core, message);
    } else if (message.type === 'password') {
      const unlocked = utf8Argument(core, message.text, (at) => core._qb_try_password(at)) === 1;
      postMessage({ type: 'password', unlocked });
    }
  } catch {
    // Every request is answered, so the page never waits for nothing.
    postMessage({ type: 'failed', status: 4, unlocked: false });
  }
};

corePromise.then(() => postMessage({ type: 'ready' }));
