// The page where people open it: phones, a new version published, a network
// that is silent, the local server, a screen reader's view, and a link that
// carries the inputs. Events before the core has loaded are rows of the
// behaviour table (behaviour.test.mjs).
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import {cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, before, describe, test} from 'node:test';

import {engines, launch} from './driver.mjs';
import {projectRoot, readJsonLines, site, startServer, testServer, windowReady} from './support.mjs';

const ready = (page) => windowReady(page);
const settled = (page) => page.waitFor(() => new Promise((done) => setTimeout(done, 100, true)));
async function using(browser, options, body) {
  const page = await browser.newPage(options);
  try {
    return await body(page);
  } finally {
    await page.close();
  }
}
// The first case with five results and no notice that a user can type: a
// greyed 逆变器效率 keeps its default.
const plainCase =
  readJsonLines('sizing-cases.jsonl')
    .find((c) => c.effects.length === 5 && c.effects.every((e) => e.caption) && (c.check2 || c.texts.Text7 === '0.8'));
const inputs = (page) => page.evaluate(
  () => Object.fromEntries(
    [...document.querySelectorAll('#Form1 input')].map((e) => [e.id, e.type === 'text' ? e.value : e.checked])));

// Enters the plain case by taps and keys, Check2 first: Text7 takes no text before.
async function enterPlainCase(page) {
  if (plainCase.check2) await page.tap('#Check2');
  for (const [id, value] of Object.entries(plainCase.texts))
    if (await page.evaluate(
          ([i, v]) => !document.getElementById(i).disabled && document.getElementById(i).value !== v, [id, value])) {
      await page.tap(`#${id}`);
      await page.fill(`#${id}`, value);
    }
  await page.tap(`#Option${plainCase.option}`);
}

for (const name of engines) {
  describe(name, () => {
    let browser;
    let server;
    before(async () => { [browser, server] = await Promise.all([launch(name), testServer(site)]); });
    after(async () => {
      await browser?.close();
      server?.stop();
    });

    for (const [width, height] of [[360, 740], [390, 844]]) {
      test(
        `a phone of ${width}×${height}: one column, big targets, results and notice in view`,
        () => using(browser, { width, height, touch: true, deviceScaleFactor: 2 }, async (page) => {
          await page.goto(server.url);
          await ready(page);
          assert.deepEqual(
            await page.evaluate(() => {
              const width = document.documentElement.clientWidth;
              const named = (list) => list.map((e) => e.id || e.dataset.control);
              const all = [...document.querySelectorAll('#Form1 [data-control], #Form1 input, #Form1 button')];
              // A target is a box, a button or a caption; a tick box's is its caption.
              const targets = [...document.querySelectorAll('#Form1 input[type="text"], #Form1 button, #Form1 label')];
              return {
                overflow: Math.max(0, document.documentElement.scrollWidth - width),
                outside: named(
                  all.filter((e) => e.getBoundingClientRect().left < 0 || e.getBoundingClientRect().right > width)),
                small: named(targets.filter((e) => e.getBoundingClientRect().height < 44)),
                tinyText: named(all.filter(
                  (e) => (e.textContent.trim() || e.type === 'text') && parseFloat(getComputedStyle(e).fontSize) < 16)),
                // The slogan on one line, or on lines of even length: no lone 色.
                slogan: (() => {
                  const range = document.createRange();
                  range.selectNodeContents(document.getElementById('Label5'));
                  const widths = [...range.getClientRects()].map((r) => r.width);
                  return Math.max(...widths) - Math.min(...widths) < 24 ? 'even' : widths;
                })(),
              };
            }),
            { overflow: 0, outside: [], small: [], tinyText: [], slogan: 'even' });

          await enterPlainCase(page);
          await page.tap('#Command1');
          await page.waitFor(() => document.getElementById('Form1').dataset.calculated === '1');
          assert.deepEqual(
            await page.evaluate(
              (ids) => ids.map((id) => {
                const r = document.getElementById(id).getBoundingClientRect();
                return [id, document.getElementById(id).textContent, r.top >= 0 && r.bottom <= innerHeight];
              }),
              plainCase.effects.map((e) => e.caption.label)),
            plainCase.effects.map((e) => [e.caption.label, e.caption.text, true]));

          // The empty window's notice, inside the screen.
          await page.tap('#Command2');
          await page.tap('#Command1');
          const box = await page.waitFor(
            () => document.getElementById('notice').open &&
              (({ left, right, top, bottom }) =>
                 ({ left, right, top, bottom }))(document.getElementById('notice').getBoundingClientRect()));
          assert.ok(box.left >= 0 && box.right <= width && box.top >= 0 && box.bottom <= height, JSON.stringify(box));
          await page.tap('#notice-ok');
        }));
    }

    test('a new version arrives on the next visit; a silent network loses to the kept copy within 3 s', async () => {
      const folder = mkdtempSync(join(tmpdir(), 'vorlaine-field-'));
      cpSync(site, folder, { recursive: true });
      const published = await testServer(folder);
      try {
        await using(browser, {}, async (page) => {
          const version = () => page.evaluate(() => document.querySelector('meta[name="version"]').content);
          await page.goto(published.url);
          await ready(page);
          await page.waitFor(() => navigator.serviceWorker.controller !== null);
          // Publish B: a new version of the page and of its worker.
          const next = `${await version()}-b`;
          for (const file of ['index.html', 'sw.js'])
            writeFileSync(
              join(folder, file), readFileSync(join(folder, file), 'utf8').replaceAll(next.slice(0, -2), next));
          const seen = [];
          for (let visit = 0; visit < 2 && seen.at(-1) !== next; ++visit) {
            await page.goto(published.url);
            await ready(page);
            seen.push(await version());
          }
          assert.equal(seen.at(-1), next, `visits showed ${seen.join(', ')}`);
          // B's worker is active once A's copy is gone: its own copy is complete by then.
          await page.waitFor((v) => caches.keys().then((k) => k.length > 0 && k.every((n) => n.endsWith(v))), next);

          // The load list, once used, opens on a silent network too.
          await page.click('#loads > button');
          await page.waitFor(() => document.getElementById('loads-panel'));
          published.silent = true;
          const start = Date.now();
          await page.goto(published.url);
          await page.waitFor(() => document.getElementById('Form1')?.dataset.loaded === 'true', null, 3000);
          assert.ok(Date.now() - start < 3000, `opened in ${Date.now() - start} ms`);
          assert.equal(await version(), next);
          await ready(page);
          await page.click('#loads > button');
          await page.waitFor(() => document.getElementById('loads-panel'), null, 5000);
        });
      } finally {
        published.stop();
        rmSync(folder, { recursive: true, force: true });
      }
    });

    test(
      'the address carries the inputs, and a link brings them back without calculating',
      () => using(browser, {}, async (page) => {
        await page.goto(server.url);
        await ready(page);
        assert.equal(await page.evaluate(() => location.href), server.url, 'no fragment until something is typed');
        await page.type('#Text1', '100');
        await page.type('#Text2', '12');
        await page.click('#Option3');
        await page.click('#Check2');
        await page.fill('#Text4', '3');
        const link = await page.waitFor(() => location.hash.includes('Check2') && location.href);
        assert.deepEqual(
          Object.fromEntries(new URLSearchParams(new URL(link).hash.slice(1))),
          { Option: '3', Check2: '1', Text1: '100', Text2: '12', Text4: '3', Text5: ' 15' });
        const typed = await inputs(page);
        await page.goto(`${server.url}index.html`);
        await page.goto(link);
        await ready(page);
        await page.waitFor(() => document.getElementById('Text1').value === '100');
        assert.deepEqual(await inputs(page), typed);
        assert.deepEqual(
          await page.evaluate(() => [Label12.textContent, Form1.dataset.calculated ?? null]), ['V', null]);
      }));

    test(
      'a malformed, unknown, 10,000-character or markup fragment is ignored or read as plain text',
      () => using(browser, {}, async (page) => {
        await page.goto(server.url);
        await ready(page);
        const clean = await inputs(page);
        const markup = '<img src=x onerror="window.hit=1">';
        for (const [n, [fragment, text1]] of [
               ['%E0%A4%A&&==&Text1', ''], [`Text1=${'9'.repeat(10000)}`, ''],
               ['Text99=1&Foo=2&Option=9&Check1=0&Check3=1&Text7=9&__proto__=1', ''],
               [`Text1=${encodeURIComponent(markup)}`, markup]]
               .entries()) {
          // A query of its own, so that each fragment opens a page of its own.
          await page.goto(`${server.url}?${n}#${fragment}`);
          await ready(page);
          await settled(page);
          assert.deepEqual(await inputs(page), {...clean, Text1: text1 }, fragment.slice(0, 40));
          assert.deepEqual(
            await page.evaluate(() => [window.hit ?? null, document.querySelectorAll('img').length]), [null, 0]);
        }
      }));
  });
}

describe('the local server', () => {
  test('a busy port: one line naming it, status 1, nothing served; --help and a missing folder', async () => {
    const holder = await startServer();
    try {
      const port = new URL(holder.url).port;
      const serve = (...args) =>
        spawnSync('python3', [join(projectRoot, 'scripts/serve-web.py'), ...args], { encoding: 'utf8' });
      const run = serve(site, port);
      assert.deepEqual([run.status, run.stdout, run.stderr.trim().split('\n').length], [1, '', 1]);
      assert.match(run.stderr, new RegExp(`\\b${port}\\b`));
      // --help answers with the usage; a folder that is not there is refused with it.
      assert.deepEqual(
        [serve('--help'), serve(join(site, 'absent'))].map(
          (r) => [r.status, r.stdout + r.stderr].join(' ').slice(0, 8)),
        ['0 usage:', '2 usage:']);
      for (const file of ['', 'core.js', 'sw.js', 'vorlaine.wasm']) {
        const { headers } = await fetch(holder.url + file);
        assert.deepEqual(
          [headers.get('cache-control'), headers.get('x-content-type-options')], ['no-cache', 'nosniff'], file);
      }
    } finally {
      holder.stop();
    }
  });
});

// What only Chromium tells: its accessibility tree, forced colours,
// installability, and each policy violation as it happens.
describe('chromium only', { skip: !engines.includes('chromium') }, () => {
  let browser;
  let server;
  let page;
  let cdp;
  before(async () => {
    [browser, server] = await Promise.all([launch('chromium'), testServer(site)]);
    page = await browser.newPage();
    await page.chromium.context().addInitScript(() => {
      window.violations = [];
      addEventListener(
        'securitypolicyviolation', (e) => window.violations.push(`${e.violatedDirective} ${e.blockedURI}`));
    });
    cdp = await page.chromium.context().newCDPSession(page.chromium);
    await page.goto(server.url);
    await ready(page);
  });
  after(async () => {
    await browser?.close();
    server?.stop();
  });

  // Id, role, name, description (必填: required), as the desktop's screen-reader test has them.
  const results = [
    ['Label12', '电池电压'], ['Label9', '电池容量'], ['Label8', '太阳能电池板电压'], ['Label13', '太阳能电池板功率'],
    ['Label15', '安装角度']
  ];
  const tree = [
    ...`Image1 image 太阳能照明装置图
    Text1 textbox 负载功率 必填|Text2 textbox 负载电压 必填|Text3 textbox 日平均工作时间 必填
    Text9 textbox 有效日照时间 必填|Text4 textbox 阴雨天数|Text5 textbox 阴雨天间格|Text10 textbox 当地纬度
    Text6 textbox 电池放电深度|Text8 textbox 充放效率|Text7 textbox 逆变器效率|Frame1 group 系统计算配置
    Check1 checkbox 自动配置|Check2 checkbox 需要逆变器|Check3 checkbox 光跟踪支架|Check4 checkbox 移动式系统
    Option1 radio 有效日照时间|Option2 radio 平均日照时间|Option3 radio 平均日辐射量|Option4 radio 平均年辐射量
    Command1 button 计算|Command2 button 清除|Line1 separator`.split(/\s*[|\n]\s*/)
      .map((row) => row.split(' ')),
    ...results.map(([id, name]) => [id, 'status', name])
  ].map(([id, role, label = '', description = '']) => [id, role, label, description, description === '必填']);

  test('every control in the accessibility tree: role, name, description, required', async () => {
    const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
    const ids = new Map();
    (function walk(node) {
      const at = node.attributes?.indexOf('id') ?? -1;
      if (at >= 0) ids.set(node.backendNodeId, node.attributes[at + 1]);
      node.children?.forEach(walk);
    })(root);
    const seen = new Map();
    const groups = [];
    for (const n of (await cdp.send('Accessibility.getFullAXTree')).nodes) {
      if (n.role?.value === 'radiogroup') groups.push(n.name?.value);
      if (ids.has(n.backendDOMNodeId))
        seen.set(ids.get(n.backendDOMNodeId), [
          ids.get(n.backendDOMNodeId), n.role?.value, n.name?.value?.trim() ?? '', n.description?.value ?? '',
          n.properties?.some((p) => p.name === 'required' && p.value.value) ?? false
        ]);
    }
    assert.deepEqual(tree.map(([id]) => seen.get(id)), tree);
    assert.deepEqual(groups, ['日照数据类型']);
    assert.equal(
      await page.evaluate(() => document.querySelectorAll('[role="radiogroup"] input[type="radio"]').length), 4);
  });

  test('after 计算 one polite announcement carries the five results with their names', async () => {
    await enterPlainCase(page);
    await page.click('#Command1');
    const byLabel = Object.fromEntries(plainCase.effects.map((e) => [e.caption.label, e.caption.text.trim()]));
    assert.equal(
      await page.waitFor(() => document.getElementById('announcer').textContent),
      results.map(([id, name]) => `${name} ${byLabel[id]}`).join('，'));
    // The only live region: an output is one by its role unless switched off.
    assert.deepEqual(
      await page.evaluate(
        () => [...document.querySelectorAll('[aria-live]:not([aria-live="off"]), output:not([aria-live])')].map(
          (e) => [e.id, e.getAttribute('aria-live'), e.getAttribute('aria-atomic')])),
      [['announcer', 'polite', 'true']]);
  });

  test('in forced colours the greyed look greyed and the required keep a cue beyond colour', async () => {
    await cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
    try {
      const seen = await page.evaluate(() => {
        const look = (e) => [getComputedStyle(e).color, getComputedStyle(e).textDecorationLine];
        const grey =
          document.body.appendChild(Object.assign(document.createElement('i'), { style: 'color: GrayText' }));
        const greyText = getComputedStyle(grey).color;
        grey.remove();
        return {
          greyText,
          Text7: look(Text7),
          Label4: look(Label4),
          Check3: look(Check3.closest('label')),
          Label2: look(Label2)[1],
          Text1: look(Text1)[0] !== greyText
        };
      });
      const greyed = [seen.greyText, 'none'];
      assert.deepEqual(
        seen,
        { greyText: seen.greyText, Text7: greyed, Label4: greyed, Check3: greyed, Label2: 'underline', Text1: true });
    } finally {
      await cdp.send('Emulation.setEmulatedMedia', { features: [] });
    }
  });

  test('installable, and sealed by its own policy with no violation', async () => {
    // A test profile is always incognito: that one error is the profile's, not the page's.
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.filter((e) => e.errorId !== 'in-incognito'), []);
    const policy =
      await page.evaluate(() => document.querySelector('meta[http-equiv="Content-Security-Policy"]').content);
    assert.doesNotMatch(policy, /'unsafe-inline'|'unsafe-eval'/);
    for (const directive
           of ['default-src \'self\'', 'object-src \'none\'', 'base-uri \'none\'', '\'wasm-unsafe-eval\''])
      assert.ok(policy.includes(directive), directive);
    // The information box, from the bare background left of the first result row.
    await page.click('#Command2');
    await page.dblclick(await page.evaluate(
      () => ({ x: Form1.getBoundingClientRect().left + 20, y: Form1.getBoundingClientRect().top + 50 })));
    await page.waitFor(() => document.getElementById('notice').open);
    await page.click('#notice-ok');
    assert.deepEqual(await page.evaluate(() => window.violations), []);
  });
});
