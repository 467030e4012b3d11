// The core's one way to the book's bytes: the host sets Module.readBytes
// (offset, count) to return a Uint8Array of exactly count bytes, or null.
mergeInto(LibraryManager.library, {
  qb_host_read: function (offset, count, out) {
    const bytes = Module['readBytes'](offset, count);
    if (!bytes || bytes.length !== count) return 0;
    HEAPU8.set(bytes, out);
    return 1;
  },
});
