// What the web tests share: the built site, its server, a fresh window, the
// reference cases and the window's control table as the desktop has it.
import {execFileSync, spawn} from 'node:child_process';
import {existsSync, readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {dirname, extname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const projectRoot = resolve(here, '../..');
export const site = resolve(process.env.VORLAINE_SITE ?? join(projectRoot, 'build-web/web/site'));

export function readJsonLines(name) {
  return readFileSync(join(projectRoot, 'tests/reference', name), 'utf8')
    .split('\n')
    .filter((line) => line.trim() !== '')
    .map((line) => JSON.parse(line));
}

// The window's controls as the desktop shows them once started, from the
// same table its Qt test reads, so that the page is checked against the
// design and not against what the generator made of it.
const kinds = {
  QLabel: 'Label',
  QLineEdit: 'TextBox',
  QPushButton: 'Button',
  QCheckBox: 'CheckBox',
  QRadioButton: 'Option',
  QGroupBox: 'Frame',
  QFrame: 'Line',
  'vorlaine::ui::SolarPicture': 'Picture'
};
export function controlTable() {
  return readFileSync(join(projectRoot, 'tests/data/form1-controls.tsv'), 'utf8')
    .split('\n')
    .filter((line) => line.trim() !== '' && !line.startsWith('#'))
    .map((line) => {
      const [name, kind, container, caption, left, top, width, height, tab, colour, font, enabled, buddy] =
        line.split('\t');
      if (!kinds[kind]) throw new Error(`unknown kind ${kind} of ${name}`);
      return {
        name,
        kind: kinds[kind],
        caption: JSON.parse(caption),
        left: +left,
        top: +top,
        width: +width,
        height: +height,
        inFrame: container === 'Frame1',
        tabIndex: tab === '-' ? -1 : +tab,
        colour,
        font,
        enabled: enabled === 'yes',
        buddy: buddy === '-' ? null : buddy
      };
    });
}

// The labels 计算 writes its results into, in the order it writes them.
export const resultLabels = ['Label12', 'Label8', 'Label9', 'Label13', 'Label15'];

// The site's server on a free port of 127.0.0.1; stop() ends it.
export async function startServer(folder = site) {
  if (!existsSync(join(folder, 'index.html')))
    throw new Error(`no built site in ${folder}: run scripts/build-web.sh first`);
  const child =
    spawn('python3', [join(projectRoot, 'scripts/serve-web.py'), folder], { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((done, fail) => {
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
      if (out.includes('\n')) done(out.split('\n')[0].trim());
    });
    child.on('exit', (code) => fail(new Error(`server ended with ${code}`)));
  });
  const ended = new Promise((done) => child.on('exit', done));
  // stop() resolves once the server is gone, its port closed.
  return {
    url,
    stop: () => {
      child.kill();
      return ended;
    }
  };
}

// The site from a folder, never kept in the browser's HTTP cache (the days
// between visits), able to hold the core back, refuse it, keep its worker
// away, or fall silent.
export function testServer(folder) {
  const types = {
    '.wasm': 'application/wasm',
    '.js': 'text/javascript',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
    '.webmanifest': 'application/manifest+json'
  };
  const control = { silent: false, holdCore: null, refuseCore: false, worker: true };
  const server = createServer(async (request, response) => {
    if (control.silent) return; // accepts, never answers
    const path = new URL(request.url, 'http://x').pathname;
    if (path.endsWith('vorlaine.wasm')) await control.holdCore;
    const refused =
      (path.endsWith('vorlaine.wasm') && control.refuseCore) || (path.endsWith('sw.js') && !control.worker);
    let body = null;
    try {
      if (!refused) body = readFileSync(join(folder, path.endsWith('/') ? `${path}index.html` : path));
    } catch {
      body = null;
    }
    response
      .writeHead(
        body ? 200 : 404,
        { 'Content-Type': types[extname(path)] ?? 'text/html; charset=utf-8', 'Cache-Control': 'no-store' })
      .end(body);
  });
  control.stop = () => {
    server.closeAllConnections();
    server.close();
  };
  return new Promise((done) => server.listen(0, '127.0.0.1', () => {
    control.url = `http://127.0.0.1:${server.address().port}/`;
    done(control);
  }));
}

// Playwright's own Chromium, for the benchmark that reads Chromium's timings.
export async function launchBrowser() {
  const { chromium } = await import('playwright-core');
  return chromium.launch({ executablePath: process.env.VORLAINE_CHROMIUM ?? '/usr/bin/chromium', headless: true });
}

// A fresh page of the window in a driver's browser (driver.mjs), ready for
// use: core loaded, fonts drawn.
export async function openWindow(browser, url, viewport) {
  const page = await browser.newPage(viewport);
  await page.goto(url);
  await windowReady(page, 30000);
  return page;
}

// Waits until the window stands with its core loaded.
export const windowReady = (page, timeoutMs) =>
  page.waitFor(() => document.getElementById('Form1')?.dataset.ready === 'true', null, timeoutMs);

// A notice text of calc/notices.h (or, for the page's own, design/window_texts.h),
// as the string check's C++ reader joins its literals.
let namedTexts = null;
export function noticeText(name) {
  namedTexts ??= JSON.parse(execFileSync(
    join(projectRoot, 'scripts/source_texts.py'), ['calc/notices.h', 'design/window_texts.h'],
    { cwd: projectRoot, encoding: 'utf8' }));
  if (!(name in namedTexts)) throw new Error(`no notice ${name}`);
  return namedTexts[name];
}

// The reference cases name the arithmetic fault without its wording, which is
// the program's own: its notice is the one in calc/notices.h.
export const faultNotice = {
  notice: {title: noticeText('error_title'), text: noticeText('arithmetic_fault')},
};
export const expectedEffects = (c) => c.effects.map((e) => (e.fault ? faultNotice : e));
