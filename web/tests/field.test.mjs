// The page where people open it: phones, a new version published, a network
// that is off or silent, the local server, a screen reader's view, events
// before the core has loaded, and a link that carries the inputs.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createServer as createTcpServer } from 'node:net';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { after, before, describe, test } from 'node:test';

import { engines, launch } from './driver.mjs';
import { projectRoot, readJsonLines, site, startServer } from './support.mjs';

// The site from a folder of its own, never cached by the browser (no-store:
// the days between visits), able to hold the core back or to fall silent.
function testServer(folder) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png' };
  const control = { silent: false, holdCore: null };
  const server = createServer(async (request, response) => {
    if (control.silent) return; // accepts, never answers
    const path = new URL(request.url, 'http://x').pathname;
    if (path.endsWith('.wasm')) await control.holdCore;
    let body;
    try {
      body = readFileSync(join(folder, path.endsWith('/') ? `${path}index.html` : path));
    } catch {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'text/html; charset=utf-8',
      'Cache-Control': 'no-store' }).end(body);
  });
  return new Promise((done) => server.listen(0, '127.0.0.1', () => done(Object.assign(control, {
    url: `http://127.0.0.1:${server.address().port}/`,
    stop: () => { server.closeAllConnections(); server.close(); },
  }))));
}

const ready = (page) => page.waitFor(() => document.getElementById('Form1')?.dataset.ready === 'true');
// The first case with five results and no notice that a user can type: a
// greyed 逆变器效率 keeps its default.
const plainCase = readJsonLines('sizing-cases.jsonl').find((c) => c.effects.length === 5
  && c.effects.every((e) => e.caption) && (c.check2 || c.texts.Text7 === '0.8'));
const inputs = (page) => page.evaluate(() => Object.fromEntries(
  [...document.querySelectorAll('#Form1 input')].map((e) => [e.id, e.type === 'text' ? e.value : e.checked])));

// Types the plain case as a user would, by taps and keys; Check2 first, as
// Text7 takes no text before.
async function enterPlainCase(page) {
  if (plainCase.check2) await page.tap('#Check2');
  for (const [id, value] of Object.entries(plainCase.texts))
    if (await page.evaluate(([i, v]) => !document.getElementById(i).disabled && document.getElementById(i).value !== v, [id, value])) {
      await page.tap(`#${id}`);
      await page.fill(`#${id}`, value);
    }
  await page.tap(`#Option${plainCase.option}`);
}

let scratch;
before(() => { scratch = mkdtempSync(join(tmpdir(), 'vorlaine-field-')); });
after(() => rmSync(scratch, { recursive: true, force: true }));

for (const name of engines) {
  describe(name, () => {
    let browser;
    let server;
    before(async () => {
      browser = await launch(name);
      server = await testServer(site);
    });
    after(async () => {
      await browser?.close();
      server?.stop();
    });

    for (const [width, height] of [[360, 740], [390, 844]]) {
      test(`a phone of ${width}×${height}: one column, big targets, results and notice in view`, async () => {
        const page = await browser.newPage({ width, height, touch: true, deviceScaleFactor: 2 });
        try {
          await page.goto(server.url);
          await ready(page);
          const layout = await page.evaluate(() => {
            const all = [...document.querySelectorAll('#Form1 [data-control], #Form1 input, #Form1 button')];
            const targets = [...document.querySelectorAll('#Form1 input, #Form1 button, #Form1 label')];
            return {
              overflow: Math.max(0, document.documentElement.scrollWidth - document.documentElement.clientWidth),
              outside: all.filter((e) => {
                const r = e.getBoundingClientRect();
                return r.left < 0 || r.right > document.documentElement.clientWidth;
              })
                .map((e) => e.id || e.dataset.control),
              small: targets.filter((e) => e.closest('label') !== e.parentElement || e.tagName === 'LABEL')
                .filter((e) => e.getBoundingClientRect().height < 44).map((e) => e.id || e.dataset.control),
              tinyText: all.filter((e) => e.textContent.trim() || e.type === 'text')
                .filter((e) => parseFloat(getComputedStyle(e).fontSize) < 16).map((e) => e.id || e.dataset.control),
            };
          });
          assert.deepEqual(layout, { overflow: 0, outside: [], small: [], tinyText: [] });

          await enterPlainCase(page);
          await page.tap('#Command1');
          await page.waitFor(() => document.getElementById('Form1').dataset.calculated === '1');
          const seen = await page.evaluate((ids) => ids.map((id) => {
            const r = document.getElementById(id).getBoundingClientRect();
            return [id, document.getElementById(id).textContent, r.top >= 0 && r.bottom <= innerHeight];
          }), plainCase.effects.map((e) => e.caption.label));
          assert.deepEqual(seen, plainCase.effects.map((e) => [e.caption.label, e.caption.text, true]));

          // The empty window's notice, inside the screen.
          await page.tap('#Command2');
          await page.tap('#Command1');
          const box = await page.waitFor(() => document.getElementById('notice').open
            && (({ left, right, top, bottom }) => ({ left, right, top, bottom }))(document.getElementById('notice').getBoundingClientRect()));
          assert.ok(box.left >= 0 && box.right <= width && box.top >= 0 && box.bottom <= height, JSON.stringify(box));
          await page.tap('#notice-ok');
        } finally {
          await page.close();
        }
      });
    }

    test('a new version arrives on the next visit; a silent network loses to the kept copy within 3 s', async () => {
      const folder = join(scratch, `${name}-site`);
      cpSync(site, folder, { recursive: true });
      const published = await testServer(folder);
      const page = await browser.newPage();
      const version = () => page.evaluate(() => document.querySelector('meta[name="version"]').content);
      try {
        await page.goto(published.url);
        await ready(page);
        await page.waitFor(() => navigator.serviceWorker.controller !== null);
        const first = await version();

        // Publish B: a new version of the page and of its worker.
        const next = `${first}-b`;
        for (const file of ['index.html', 'sw.js'])
          writeFileSync(join(folder, file), readFileSync(join(folder, file), 'utf8').replaceAll(first, next));
        const seen = [];
        for (let visit = 0; visit < 2 && seen.at(-1) !== next; ++visit) {
          await page.goto(published.url);
          await ready(page);
          seen.push(await version());
        }
        assert.equal(seen.at(-1), next, `visits showed ${seen.join(', ')}`);
        await page.waitFor((v) => navigator.serviceWorker.controller?.scriptURL.endsWith('sw.js')
          && caches.keys().then((k) => k.some((n) => n.endsWith(v))), next);

        published.silent = true;
        const start = Date.now();
        await page.goto(published.url);
        await page.waitFor(() => document.getElementById('Form1')?.dataset.loaded === 'true', null, 3000);
        const opened = Date.now() - start;
        assert.ok(opened < 3000, `opened in ${opened} ms`);
        assert.equal(await version(), next);
        await ready(page);
      } finally {
        await page.close();
        published.stop();
      }
    });

    test('events before the core has loaded run in the order of the user', async () => {
      let release;
      server.holdCore = new Promise((r) => { release = r; });
      const page = await browser.newPage();
      try {
        await page.goto(server.url);
        await page.waitFor(() => document.getElementById('Form1')?.dataset.loaded === 'true');
        await page.type('#Text4', '3');
        await page.click('#Command2');
        assert.equal(await page.evaluate(() => document.getElementById('Form1').dataset.ready), null);
        release();
        await ready(page);
        await page.waitFor(() => new Promise((done) => setTimeout(done, 100, true)));
        assert.deepEqual(await page.evaluate(() => [Text4.value, Text5.value]), ['1', '5']);
      } finally {
        server.holdCore = null;
        release();
        await page.close();
      }
    });

    test('the address carries the inputs, and a link brings them back without calculating', async () => {
      const page = await browser.newPage();
      try {
        await page.goto(server.url);
        await ready(page);
        assert.equal(await page.evaluate(() => location.href), server.url, 'no fragment until something is typed');
        await page.type('#Text1', '100');
        await page.type('#Text2', '12');
        await page.click('#Option3');
        await page.click('#Check2');
        await page.fill('#Text4', '3');
        const link = await page.waitFor(() => location.hash.includes('Check2') && location.href);
        assert.deepEqual(Object.fromEntries(new URLSearchParams(new URL(link).hash.slice(1))),
          { Option: '3', Check2: '1', Text1: '100', Text2: '12', Text4: '3', Text5: ' 15' });
        const typed = await inputs(page);

        await page.goto(server.url.replace(/\/$/, '/index.html'));
        await ready(page);
        await page.goto(link);
        await ready(page);
        await page.waitFor(() => document.getElementById('Text1').value === '100');
        assert.deepEqual(await inputs(page), typed);
        assert.deepEqual(await page.evaluate(() => [Label12.textContent, Form1.dataset.calculated ?? null]), ['V', null]);
      } finally {
        await page.close();
      }
    });

    const markup = '<img src=x onerror="window.hit=1">';
    for (const [what, fragment, text1] of [
      ['malformed', '%E0%A4%A&&==&Text1', ''],
      ['unknown', 'Text99=1&Foo=2&Option=9&Check1=0&Check3=1&Text7=9&__proto__=1', ''],
      ['10,000 characters', `Text1=${'9'.repeat(10000)}`, ''],
      ['markup', `Text1=${encodeURIComponent(markup)}`, markup],
    ]) {
      test(`a ${what} fragment is ignored or read as plain text`, async () => {
        const page = await browser.newPage();
        try {
          await page.goto(server.url);
          await ready(page);
          const clean = await inputs(page);
          await page.goto(`${server.url}index.html#${fragment}`);
          await ready(page);
          await page.waitFor(() => new Promise((done) => setTimeout(done, 100, true)));
          assert.deepEqual(await inputs(page), { ...clean, Text1: text1 });
          assert.deepEqual(await page.evaluate(() => [window.hit ?? null, document.querySelectorAll('img').length]), [null, 0]);
        } finally {
          await page.close();
        }
      });
    }
  });
}

// ---- The local server: one line and status 1 on a busy port, its headers.
describe('the local server', () => {
  test('a busy port: one line naming it, status 1, nothing served', async () => {
    const holder = createTcpServer();
    await new Promise((done) => holder.listen(0, '127.0.0.1', done));
    const { port } = holder.address();
    try {
      const child = spawn('python3', [join(projectRoot, 'scripts/serve-web.py'), site, String(port)]);
      let out = '';
      let err = '';
      child.stdout.on('data', (c) => { out += c; });
      child.stderr.on('data', (c) => { err += c; });
      const code = await new Promise((done) => child.on('exit', done));
      assert.deepEqual([code, out, err.trim().split('\n').length], [1, '', 1]);
      assert.match(err, new RegExp(`\\b${port}\\b`));
    } finally {
      holder.close();
    }
  });

  test('every file is revalidated and sent as its own type', async () => {
    const local = await startServer();
    try {
      for (const file of ['', 'app.js', 'sw.js', 'vorlaine.wasm']) {
        const { headers } = await fetch(local.url + file);
        assert.deepEqual([headers.get('cache-control'), headers.get('x-content-type-options')],
          ['no-cache', 'nosniff'], file || '/');
      }
    } finally {
      local.stop();
    }
  });
});

// ---- What only Chromium can tell: its accessibility tree, installability,
// and each policy violation as it happens.
describe('chromium only', { skip: !engines.includes('chromium') }, () => {
  let browser;
  let server;
  let page;
  let cdp;
  before(async () => {
    browser = await launch('chromium');
    server = await testServer(site);
    page = await browser.newPage();
    await page.chromium.context().addInitScript(() => {
      window.violations = [];
      addEventListener('securitypolicyviolation', (e) => window.violations.push(`${e.violatedDirective} ${e.blockedURI}`));
    });
    cdp = await page.chromium.context().newCDPSession(page.chromium);
    await page.goto(server.url);
    await ready(page);
  });
  after(async () => {
    await browser?.close();
    server?.stop();
  });

  // Role, name, description, required: as the desktop's screen-reader test has them.
  const required = (id, name) => [id, 'textbox', name, '必填', true];
  const box = (id, name) => [id, 'textbox', name, '', false];
  const results = [['Label12', '电池电压'], ['Label9', '电池容量'], ['Label8', '太阳能电池板电压'],
    ['Label13', '太阳能电池板功率'], ['Label15', '安装角度']];
  const tree = [
    ['Image1', 'image', '太阳能照明装置图', '', false],
    ...results.map(([id, name]) => [id, 'status', name, '', false]),
    required('Text1', '负载功率'), required('Text2', '负载电压'), required('Text3', '日平均工作时间'),
    required('Text9', '有效日照时间'), box('Text4', '阴雨天数'), box('Text5', '阴雨天间格'),
    box('Text10', '当地纬度'), box('Text6', '电池放电深度'), box('Text8', '充放效率'), box('Text7', '逆变器效率'),
    ['Frame1', 'group', '系统计算配置', '', false],
    ['Check1', 'checkbox', '自动配置', '', false], ['Check2', 'checkbox', '需要逆变器', '', false],
    ['Check3', 'checkbox', '光跟踪支架', '', false], ['Check4', 'checkbox', '移动式系统', '', false],
    ['Option1', 'radio', '有效日照时间', '', false], ['Option2', 'radio', '平均日照时间', '', false],
    ['Option3', 'radio', '平均日辐射量', '', false], ['Option4', 'radio', '平均年辐射量', '', false],
    ['Command1', 'button', '计算', '', false], ['Command2', 'button', '清除', '', false],
    ['Line1', 'separator', '', '', false],
  ];

  test('every control in the accessibility tree: role, name, description, required', async () => {
    const { root } = await cdp.send('DOM.getDocument', { depth: -1, pierce: false });
    const ids = new Map();
    (function walk(node) {
      const at = node.attributes?.indexOf('id') ?? -1;
      if (at >= 0) ids.set(node.backendNodeId, node.attributes[at + 1]);
      for (const child of node.children ?? []) walk(child);
    })(root);
    const { nodes } = await cdp.send('Accessibility.getFullAXTree');
    const seen = new Map();
    let group = null;
    for (const n of nodes) {
      const id = ids.get(n.backendDOMNodeId);
      const entry = [id, n.role?.value, n.name?.value?.trim() ?? '', n.description?.value ?? '',
        n.properties?.some((p) => p.name === 'required' && p.value.value) ?? false];
      if (id) seen.set(id, entry);
      if (n.role?.value === 'radiogroup') group = [n.name?.value, n.childIds.length];
    }
    assert.deepEqual(tree.map(([id]) => seen.get(id)), tree);
    assert.deepEqual(group?.[0], '日照数据类型');
  });

  test('after 计算 one polite announcement carries the five results with their names', async () => {
    await enterPlainCase(page);
    await page.click('#Command1');
    const byLabel = Object.fromEntries(plainCase.effects.map((e) => [e.caption.label, e.caption.text.trim()]));
    const want = results.map(([id, name]) => `${name} ${byLabel[id]}`).join('，');
    assert.equal(await page.waitFor(() => document.getElementById('announcer').textContent), want);
    const live = await page.evaluate(() => [...document.querySelectorAll('[aria-live]')]
      .map((e) => [e.id, e.getAttribute('aria-live'), e.getAttribute('aria-atomic')]));
    assert.deepEqual(live, [['announcer', 'polite', 'true']]);
  });

  test('in forced colours the greyed look greyed and the required keep a cue beyond colour', async () => {
    await cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
    try {
      const seen = await page.evaluate(() => {
        const look = (e) => [getComputedStyle(e).color, getComputedStyle(e).textDecorationLine];
        const grey = Object.assign(document.createElement('i'), { style: 'color: GrayText' });
        document.body.append(grey);
        const greyText = getComputedStyle(grey).color;
        grey.remove();
        return { greyText, Text7: look(Text7), Label4: look(Label4), Check3: look(Check3.closest('label')),
          Label2: look(Label2)[1], Text1: look(Text1)[0] !== greyText };
      });
      const greyed = [seen.greyText, 'none'];
      assert.deepEqual(seen, { greyText: seen.greyText, Text7: greyed, Label4: greyed, Check3: greyed,
        Label2: 'underline', Text1: true });
    } finally {
      await cdp.send('Emulation.setEmulatedMedia', { features: [] });
    }
  });

  test('installable, and sealed by its own policy with no violation', async () => {
    // A test profile is always incognito: that one error is the profile's, not the page's.
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.filter((e) => e.errorId !== 'in-incognito'), []);
    const policy = await page.evaluate(() => document.querySelector('meta[http-equiv="Content-Security-Policy"]').content);
    assert.doesNotMatch(policy, /'unsafe-inline'|'unsafe-eval'/);
    for (const directive of ["default-src 'self'", "object-src 'none'", "base-uri 'none'", "'wasm-unsafe-eval'"])
      assert.ok(policy.includes(directive), directive);
    await page.click('#Command2');
    // The information box, from the bare background left of the first result row.
    await page.dblclick(await page.evaluate(() => {
      const r = document.getElementById('Form1').getBoundingClientRect();
      return { x: r.left + 20, y: r.top + 50 };
    }));
    await page.waitFor(() => document.getElementById('notice').open);
    await page.click('#notice-ok');
    assert.deepEqual(await page.evaluate(() => window.violations), []);
  });
});
