// The bytes of a book for the core, fetched as the core asks for them:
// slices of a chosen file, or HTTP ranges of a URL (the whole file at once
// only where the server ignores ranges). Runs in the reader's worker, where
// reads may block. Within the page record being read, reads fetch whole
// blocks on a fixed grid, so rows read top down (the planes store them bottom
// up) and bottom up cost the same, and only a few blocks are kept: memory
// stays the same for any page size.
'use strict';

const kBlockBytes = 1 << 20;
// The three colour planes' reading points, the next page's first block, spare.
const kKeptBlocks = 6;
const kRequestTimeoutMs = 30000;

class BookBytes {
  // fetchRange(start, end) returns a Uint8Array of the bytes start … end - 1
  // or throws.
  constructor(size, fetchRange, firstBlock) {
    this.size = size;
    this.fetchRange = fetchRange;
    this.blocks = firstBlock ? [firstBlock] : [];
    this.windowStart = 0;
    this.windowEnd = 0;
  }

  // Reads within start … end - 1 (the page record being read) fetch whole
  // blocks of it; others fetch exactly what is asked. An empty window ends it.
  readWithin(start, end) {
    this.windowStart = start;
    this.windowEnd = Math.min(end, this.size);
  }

  // The bytes to fetch for a read that misses at `at` wanting `want` bytes.
  span(at, want) {
    if (at < this.windowStart || at >= this.windowEnd) return [at, Math.min(at + want, this.size)];
    const grid = Math.floor(at / kBlockBytes) * kBlockBytes;
    return [Math.max(this.windowStart, grid), Math.min(this.windowEnd, grid + kBlockBytes)];
  }

  // Exactly count bytes at offset, or null when they cannot be had. The
  // bytes are valid until the next read.
  read(offset, count) {
    if (offset < 0 || count < 0 || offset + count > this.size) return null;
    // Within one kept block: a view of it, which the core copies at once.
    const held = this.take(offset);
    if (held && offset + count <= held.start + held.bytes.length) {
      return held.bytes.subarray(offset - held.start, offset - held.start + count);
    }
    const out = new Uint8Array(count);
    let done = 0;
    while (done < count) {
      const at = offset + done;
      let block = this.take(at);
      if (!block) {
        const [start, end] = this.span(at, count - done);
        block = { start, bytes: this.fetchRange(start, end) };
        if (block.bytes.length !== end - start) return null;
        this.keep(block);
      }
      const from = at - block.start;
      const n = Math.min(count - done, block.bytes.length - from);
      out.set(block.bytes.subarray(from, from + n), done);
      done += n;
    }
    return out;
  }

  take(at) {
    const i = this.blocks.findIndex((b) => at >= b.start && at < b.start + b.bytes.length);
    if (i < 0) return null;
    const [block] = this.blocks.splice(i, 1);
    this.blocks.unshift(block);
    return block;
  }

  keep(block) {
    this.blocks.unshift(block);
    if (this.blocks.length > kKeptBlocks) this.blocks.length = kKeptBlocks;
  }
}

function fileBytes(file) {
  const reader = new FileReaderSync();
  return new BookBytes(file.size, (start, end) => new Uint8Array(reader.readAsArrayBuffer(file.slice(start, end))));
}

// A synchronous GET of bytes start … end - 1: {status, total, bytes}.
function getRange(url, start, end) {
  const request = new XMLHttpRequest();
  request.open('GET', url, false);
  request.timeout = kRequestTimeoutMs;
  request.responseType = 'arraybuffer';
  request.setRequestHeader('Range', `bytes=${start}-${end - 1}`);
  request.send();
  const bytes = new Uint8Array(request.response || new ArrayBuffer(0));
  if (request.status === 206) {
    const match = /\/(\d+)\s*$/.exec(request.getResponseHeader('Content-Range') || '');
    return { status: 206, total: match ? Number(match[1]) : -1, bytes };
  }
  return { status: request.status, total: bytes.length, bytes };
}

// The header of a book at url decides how the rest is read: by ranges, or
// from the one whole download a server that ignores ranges sends.
function urlBytes(url, headerLength) {
  const first = getRange(url, 0, headerLength);
  if (first.status === 200) {
    const whole = { start: 0, bytes: first.bytes };
    const bytes = new BookBytes(first.total, () => {
      throw new Error('outside the book');
    }, whole);
    bytes.keep = () => {};
    return bytes;
  }
  if (first.status !== 206 || first.total < 0) throw new Error(`the server answered ${first.status}`);
  const total = first.total;
  return new BookBytes(
    total,
    (start, end) => {
      const part = getRange(url, start, end);
      // A book that changed on the server since it was opened is damaged.
      if (part.status !== 206 || part.total !== total) throw new Error('the book changed on the server');
      return part.bytes;
    },
    { start: 0, bytes: first.bytes },
  );
}
