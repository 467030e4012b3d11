// The reader page: the Viewer's controls, keys and gate around the core,
// which reads and draws in book_worker.js. Book texts only ever reach the
// page as text, never as markup.
import { WheelSteps, touchStep } from './gestures.js';

const kDamagedBook = 'ファイルが壊れているか、デジタルブックではありません。';
const kWrongPassword = 'パスワードが違います';
const kBookSound = 0;

const $ = (id) => document.getElementById(id);
const controls = {
  open: $('open'), prev: $('prev'), next: $('next'), info: $('info'), page: $('page'), file: $('file'),
  view: $('view'), canvas: $('canvas'),
};

// A worker that could not start (its scripts or WebAssembly did not load)
// fails every request as a damaged book would, so the page never waits.
const kFailed = { type: 'failed', status: 4 };

class CoreWorker {
  constructor() {
    this.worker = new Worker('book_worker.js');
    this.waiting = [];
    this.broken = false;
    this.worker.onmessage = (event) => {
      if (event.data.type !== 'ready') this.waiting.shift()(event.data);
    };
    this.worker.onerror = () => {
      this.broken = true;
      for (const resolve of this.waiting.splice(0)) resolve(kFailed);
    };
  }

  // The worker answers every request, in the order they were made.
  ask(message) {
    if (this.broken) return Promise.resolve(kFailed);
    return new Promise((resolve) => {
      this.waiting.push(resolve);
      this.worker.postMessage(message);
    });
  }
}

const core = new CoreWorker();
const state = {
  book: null, // what the worker reported of the open book
  page: 1,
  unlocked: false,
  deviceWidth: 1,
  deviceHeight: 1,
  drawing: false,
  drawn: null, // page and size now on the canvas
};

function setBusy(busy) {
  document.body.classList.toggle('busy', busy);
}

function showModal(dialog) {
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(dialog.returnValue), { once: true });
    dialog.showModal();
  });
}

async function showMessage(text) {
  const dialog = $('message-dialog');
  $('message-text').textContent = text;
  dialog.returnValue = '';
  const closed = showModal(dialog);
  $('message-ok').focus();
  await closed;
}

$('message-ok').addEventListener('click', () => $('message-dialog').close('ok'));

function updateNavigation() {
  for (const control of [controls.prev, controls.next, controls.page]) control.disabled = !state.unlocked;
}

// Draws the current page at the canvas's device size, one request at a
// time; a page or size asked for meanwhile is drawn next. A page that
// cannot be drawn whole leaves the canvas as it was.
async function drawCurrentPage() {
  if (state.drawing || !state.book) return;
  state.drawing = true;
  setBusy(true);
  let failed = false;
  // A file rejected meanwhile leaves no book, which ends the loop.
  while (state.book) {
    const count = state.book.pageCount;
    const want = { page: state.page, width: state.deviceWidth, height: state.deviceHeight };
    const now = state.drawn;
    if (now && now.page === want.page && now.width === want.width && now.height === want.height) break;
    const reply = await core.ask({ type: 'draw', ...want });
    if (reply.status !== kBookSound) {
      state.drawn = want;
      failed = true;
      break;
    }
    const canvas = controls.canvas;
    canvas.width = reply.width;
    canvas.height = reply.height;
    const image = new ImageData(new Uint8ClampedArray(reply.pixels), reply.width, reply.height);
    canvas.getContext('2d').putImageData(image, 0, 0);
    canvas.setAttribute('aria-label', `${reply.page} / ${count}`);
    state.drawn = want;
  }
  state.drawing = false;
  setBusy(false);
  if (failed) await showMessage(kDamagedBook);
}

function showPage(page) {
  const count = state.book ? state.book.pageCount : 1;
  // While locked only page 1 may be shown.
  state.page = state.unlocked ? Math.min(Math.max(page, 1), count) : 1;
  controls.page.value = String(state.page);
  return drawCurrentPage();
}

function stepPage(direction) {
  if (!state.unlocked || !state.book) return;
  showPage(state.page + direction);
}

async function askPassword() {
  const dialog = $('password-dialog');
  const entry = $('password');
  $('price').textContent = state.book.texts.price;
  entry.value = '';
  dialog.returnValue = '';
  const closed = showModal(dialog);
  entry.focus();
  return (await closed) === 'unlocked';
}

$('password-form').addEventListener('submit', async (event) => {
  event.preventDefault();
  const reply = await core.ask({ type: 'password', text: $('password').value });
  if (reply.unlocked) {
    $('password-dialog').close('unlocked');
    return;
  }
  await showMessage(kWrongPassword);
  $('password').focus();
});
$('password-cancel').addEventListener('click', () => $('password-dialog').close('cancel'));

// Opens a book ({file} or {url}), draws page 1 and runs the password gate.
async function openBook(source) {
  setBusy(true);
  const summary = await core.ask({ type: 'open', ...source });
  setBusy(false);
  state.page = 1;
  state.drawn = null;
  controls.page.max = '1';
  controls.page.value = '1';
  if (summary.status !== kBookSound) {
    // No book stays open; the title and the canvas keep what they showed.
    state.book = null;
    state.unlocked = true;
    updateNavigation();
    await showMessage(kDamagedBook);
    return;
  }
  state.book = summary;
  state.unlocked = !summary.hasPassword;
  document.title = summary.texts.windowTitle;
  controls.page.max = String(summary.pageCount);
  updateNavigation();
  await showPage(1);
  if (summary.hasPassword) state.unlocked = await askPassword();
  updateNavigation();
}

function showInfo() {
  const texts = state.book ? state.book.texts : { author: '', title: '', url: '', mail: '', comment: '' };
  $('info-author').textContent = texts.author;
  $('info-title-text').textContent = texts.title;
  // Only web and mail addresses become links; anything else stays text.
  const url = $('info-url');
  url.replaceChildren();
  if (/^https?:/i.test(texts.url)) {
    url.append(link(texts.url, texts.url));
  } else {
    url.textContent = texts.url;
  }
  $('info-mail').replaceChildren(link(`mailto:${texts.mail}`, texts.mail));
  $('info-comment').textContent = texts.comment.replace(/\r\n/g, '\n');
  const closed = showModal($('info-dialog'));
  $('info-close').focus();
  return closed;
}

function link(href, text) {
  const a = document.createElement('a');
  a.href = href;
  a.textContent = text;
  a.target = '_blank';
  a.rel = 'noopener noreferrer';
  return a;
}

$('info-close').addEventListener('click', () => $('info-dialog').close());

function toggleFullScreen() {
  if (document.fullscreenElement) {
    document.exitFullscreen().catch(() => {});
  } else {
    controls.view.requestFullscreen().catch(() => {});
  }
}

function chooseFile() {
  controls.file.value = '';
  controls.file.click();
}

controls.open.addEventListener('click', chooseFile);
controls.file.addEventListener('change', () => {
  const file = controls.file.files[0];
  if (file) openBook({ file });
});
controls.prev.addEventListener('click', () => stepPage(-1));
controls.next.addEventListener('click', () => stepPage(1));
controls.info.addEventListener('click', showInfo);
controls.page.addEventListener('input', () => showPage(Number(controls.page.value)));
controls.canvas.addEventListener('dblclick', toggleFullScreen);

const keyActions = {
  ArrowLeft: () => stepPage(-1),
  PageUp: () => stepPage(-1),
  Backspace: () => stepPage(-1),
  ArrowRight: () => stepPage(1),
  PageDown: () => stepPage(1),
  ' ': () => stepPage(1),
  Home: () => state.unlocked && showPage(1),
  End: () => state.unlocked && state.book && showPage(state.book.pageCount),
  F11: toggleFullScreen,
};

document.addEventListener('keydown', (event) => {
  if (document.querySelector('dialog[open]')) return;
  if (event.ctrlKey && !event.altKey && !event.metaKey && (event.key === 'o' || event.key === 'i')) {
    event.preventDefault();
    if (event.key === 'o') chooseFile();
    else showInfo();
    return;
  }
  if (event.ctrlKey || event.altKey || event.metaKey) return;
  const target = event.target;
  // A focused button takes Space and Enter; the slider takes its own keys.
  if (event.key === ' ' && target instanceof HTMLButtonElement) return;
  if (target === controls.page && event.key !== 'F11') return;
  const action = keyActions[event.key];
  if (!action) return;
  event.preventDefault();
  action();
});

const wheel = new WheelSteps();
controls.view.addEventListener(
  'wheel',
  (event) => {
    event.preventDefault();
    const steps = wheel.add(event.deltaY, event.deltaMode);
    if (steps !== 0 && state.unlocked && state.book) showPage(state.page + steps);
  },
  { passive: false },
);

let touchStart = null;
controls.view.addEventListener('pointerdown', (event) => {
  if (event.pointerType === 'touch') touchStart = { x: event.clientX, y: event.clientY };
});
controls.view.addEventListener('pointerup', (event) => {
  if (event.pointerType !== 'touch' || !touchStart) return;
  const box = controls.view.getBoundingClientRect();
  const step = touchStep(touchStart.x, touchStart.y, event.clientX, event.clientY, box.left, box.width);
  touchStart = null;
  if (step !== 0) stepPage(step);
});

document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', (event) => {
  event.preventDefault();
  const file = [...event.dataTransfer.files].find((f) => /\.qbb$/i.test(f.name));
  if (file) openBook({ file });
});

// The canvas has as many pixels as the screen shows of it: its CSS size
// times the device pixel ratio, measured again when either changes.
function measureView() {
  const box = controls.view.getBoundingClientRect();
  state.deviceWidth = Math.max(1, Math.round(box.width * devicePixelRatio));
  state.deviceHeight = Math.max(1, Math.round(box.height * devicePixelRatio));
  drawCurrentPage();
}
new ResizeObserver(measureView).observe(controls.view);
window.addEventListener('resize', measureView);

// A book named beside the page: ?book=NAME.qbb, or the one a published
// folder names. Anything that resolves to another origin is refused.
function bookBesidePage() {
  const name = new URLSearchParams(location.search).get('book') ||
    document.querySelector('meta[name="quillberry-book"]').content;
  if (!name) return null;
  const url = new URL(name, location.href);
  return url.origin === location.origin && /^https?:$/.test(url.protocol) ? url.href : undefined;
}

const named = bookBesidePage();
if (named) {
  openBook({ url: named });
} else if (named === undefined) {
  showMessage(kDamagedBook);
}
