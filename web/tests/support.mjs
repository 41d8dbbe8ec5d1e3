// What the web tests share: the built site, its server, the browser, the
// reference cases and the window's control table as the desktop has it.
import { spawn } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const projectRoot = resolve(here, '../..');
export const site = resolve(process.env.VORLAINE_SITE ?? join(projectRoot, 'build-web/web/site'));

export function readJsonLines(name) {
  return readFileSync(join(projectRoot, 'tests/reference', name), 'utf8')
    .split('\n').filter((line) => line.trim() !== '').map((line) => JSON.parse(line));
}

// The rows of ui/control_table.cpp, read from the source itself so that the
// page is checked against the table and not against what the generator made.
export function controlTable() {
  const source = readFileSync(join(projectRoot, 'design/control_table.cpp'), 'utf8');
  const row = /\{"(\w+)", (\w+), (nullptr|calc::kAngleUnit.data\(\)|"(?:[^"\\]|\\.)*"), (\d+), (\d+), (\d+), (\d+), (kForm|kFrame), (kNone|\d+)(.*)\},\s*$/gm;
  const rows = [];
  for (const m of source.matchAll(row)) {
    const extra = m[10].split(',').map((s) => s.trim()).filter(Boolean);
    rows.push({
      name: m[1], kind: m[2], caption: m[3] === 'nullptr' ? null : m[3].startsWith('calc::') ? '度' : JSON.parse(m[3]),
      left: +m[4], top: +m[5], width: +m[6], height: +m[7], inFrame: m[8] === 'kFrame',
      tabIndex: m[9] === 'kNone' ? -1 : +m[9],
      colour: extra[0] ?? 'Default', enabled: extra[2] !== 'false',
      buddy: extra[3] && extra[3] !== 'nullptr' ? JSON.parse(extra[3]) : null,
      resultName: extra[4] && extra[4] !== 'nullptr' ? JSON.parse(extra[4]) : null,
    });
  }
  return rows;
}

// The site's server on a free port of 127.0.0.1; stop() ends it.
export async function startServer(folder = site) {
  if (!existsSync(join(folder, 'index.html')))
    throw new Error(`no built site in ${folder}: run scripts/build-web.sh first`);
  const child = spawn('python3', [join(projectRoot, 'scripts/serve-web.py'), folder],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((done, fail) => {
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
      if (out.includes('\n')) done(out.split('\n')[0].trim());
    });
    child.on('exit', (code) => fail(new Error(`server ended with ${code}`)));
  });
  return { url, stop: () => child.kill() };
}

export const chromiumPath = process.env.VORLAINE_CHROMIUM ?? '/usr/bin/chromium';

export async function launchBrowser() {
  const { chromium } = await import('playwright-core');
  return chromium.launch({ executablePath: chromiumPath, headless: true });
}

// A fresh page of the window, ready for use: core loaded, fonts drawn.
export async function openWindow(browser, url) {
  const page = await browser.newPage({ viewport: { width: 800, height: 700 } });
  await page.goto(url);
  await page.waitForSelector('#Form1[data-ready="true"]');
  return page;
}

export const sunshineOption = (n) => n; // options are numbered as in the cases

// A notice text of calc/notices.h: its string literals joined, as C++ joins them.
export function noticeText(name) {
  const source = readFileSync(join(projectRoot, 'calc/notices.h'), 'utf8');
  const m = source.match(new RegExp(`\\b${name}\\s*=([^;]*);`));
  if (!m) throw new Error(`no notice ${name} in calc/notices.h`);
  return [...m[1].matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((l) => JSON.parse(`"${l[1]}"`)).join('');
}

// The reference cases name the arithmetic fault without its wording, which is
// the program's own: its notice is the one in calc/notices.h.
export const faultNotice = {
  notice: { title: noticeText('error_title'), text: noticeText('arithmetic_fault') },
};
export const expectedEffects = (c) => c.effects.map((e) => (e.fault ? faultNotice : e));
