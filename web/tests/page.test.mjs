// The window in headless Chromium: the reference set through the page, the
// layout against the control table, and the behaviours of the desktop window.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  controlTable, expectedEffects, faultNotice, launchBrowser, openWindow, projectRoot,
  readJsonLines, startServer,
} from './support.mjs';

let server;
let browser;
let page;
before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
  server?.stop();
});
const fresh = async () => {
  await page?.close();
  page = await openWindow(browser, server.url);
  await recordEffects();
};

// Logs, in order, every notice shown and every result caption written, as the
// user sees them: a notice when its dialog opens, a caption when it changes.
async function recordEffects() {
  await page.evaluate(() => {
    window.effectLog = [];
    const results = ['Label12', 'Label8', 'Label9', 'Label13', 'Label15'];
    const watch = new MutationObserver((changes) => {
      for (const change of changes) {
        const target = change.target.nodeType === 1 ? change.target : change.target.parentNode;
        if (target.id === 'notice' && change.attributeName === 'open' && target.open) {
          window.effectLog.push({ notice: {
            title: document.getElementById('notice-title').textContent,
            text: document.getElementById('notice-text').textContent,
          } });
        } else if (results.includes(target.id) && change.type !== 'attributes') {
          window.effectLog.push({ caption: { label: target.id, text: target.textContent } });
        }
      }
    });
    watch.observe(document.getElementById('notice'), { attributes: true });
    for (const id of results)
      watch.observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
  });
}
const takeLog = () => page.evaluate(() => window.effectLog.splice(0));

// Clicks 计算 and closes each notice with its button as it comes, until the
// calculation has finished; returns the effects in the order they were seen.
// Notices are counted as they open: one may follow another in the same task
// that closed it, so the dialog is never seen closed in between.
async function calculate() {
  const [before, earlier] = await page.evaluate(() => [
    Number(document.getElementById('Form1').dataset.calculated ?? 0),
    window.effectLog.filter((e) => e.notice).length]);
  await page.click('#Command1');
  for (let closed = earlier; ; ++closed) {
    const state = await page.waitForFunction(([n, closed]) => {
      if (Number(document.getElementById('Form1').dataset.calculated ?? 0) > n) return 'done';
      const opened = window.effectLog.filter((e) => e.notice).length;
      return document.getElementById('notice').open && opened > closed ? 'notice' : false;
    }, [before, closed]).then((h) => h.jsonValue());
    if (state === 'done') break;
    await page.click('#notice-ok');
  }
  const log = await takeLog();
  // The dialog shows a carriage return as a line break.
  return log.map((e) => (e.notice ? { notice: { ...e.notice, text: e.notice.text.replaceAll('\n', '\r') } } : e));
}

// Types the first reference case that shows no notice and writes the five
// results into `on`, and presses 计算; returns the case.
async function computePlainCase(on) {
  const c = readJsonLines('sizing-cases.jsonl').find((r) => r.effects.length === 5 && r.effects.every((e) => e.caption));
  if (c.check2) await on.click('#Check2');
  await on.evaluate((texts) => {
    for (const [id, value] of Object.entries(texts)) document.getElementById(id).value = value;
  }, c.texts);
  await on.click(`#Option${c.option}`);
  await on.click('#Command1');
  return c;
}

async function setInputs(c) {
  await page.evaluate((c) => {
    // Values set directly: the case's Text5 stays as given, as on the desktop,
    // where the case's texts are typed in before its click.
    for (const [id, value] of Object.entries(c.texts)) document.getElementById(id).value = value;
    const check2 = document.getElementById('Check2');
    if (check2.checked !== (c.check2 === 1)) check2.click();
    for (const n of [1, 2, 3, 4]) document.getElementById(`Option${n}`).checked = false;
    if (c.option) document.getElementById(`Option${c.option}`).click();
    for (const [id, unit] of [['Label12', 'V'], ['Label8', 'V'], ['Label9', 'Ah'], ['Label13', 'W'], ['Label15', '度']])
      document.getElementById(id).textContent = unit;
  }, c);
  await takeLog();
}

describe('the reference cases through the page', () => {
  before(fresh);

  test('600 calculations, notice by notice and caption by caption', async () => {
    const cases = readJsonLines('sizing-cases.jsonl');
    const failures = [];
    for (const [i, c] of cases.entries()) {
      await setInputs(c);
      const got = await calculate();
      try {
        assert.deepEqual(got, expectedEffects(c));
      } catch {
        failures.push({ line: i + 1, want: c.effects, got });
      }
    }
    assert.deepEqual(failures.slice(0, 3), [], `${failures.length} of ${cases.length} differ`);
  });

  test('57 rainy-day texts typed into Text4', async () => {
    for (const c of readJsonLines('rainy-days-cases.jsonl')) {
      await page.fill('#Text4', c.rainy_days);
      if (c.fault) {
        await page.waitForSelector('#notice[open]');
        assert.deepEqual(await page.evaluate(() => ({ notice: {
          title: document.getElementById('notice-title').textContent,
          text: document.getElementById('notice-text').textContent.replaceAll('\n', '\r') } })),
        faultNotice, c.rainy_days);
        await page.click('#notice-ok');
        assert.equal(await page.inputValue('#Text5'), '', c.rainy_days);
      } else {
        assert.equal(await page.inputValue('#Text5'), c.interval, c.rainy_days);
      }
    }
  });
});

describe('layout', () => {
  before(fresh);
  const table = controlTable();
  // Colour, font and enabled state once started, as the desktop's table test has them.
  const looks = Object.fromEntries(readFileSync(join(projectRoot, 'tests/data/form1-controls.tsv'), 'utf8')
    .split('\n').filter((l) => l && !l.startsWith('#')).map((l) => l.split('\t'))
    .map((f) => [f[0], { colour: f[9], font: f[10], enabled: f[11] === 'yes' }]));

  test('the table has its 44 controls and the page all of them', async () => {
    assert.equal(table.length, 44);
    const names = await page.$$eval('[data-control]', (all) => all.map((e) => e.dataset.control));
    assert.deepEqual(names.sort(), table.map((r) => r.name).sort());
  });

  test('each control lies within half a pixel of its table rectangle, rounded to whole pixels', async () => {
    const boxes = await page.evaluate(() => {
      const corner = (e) => e.getBoundingClientRect();
      const form = corner(document.getElementById('Form1'));
      const frame = corner(document.getElementById('Frame1'));
      return Object.fromEntries([...document.querySelectorAll('[data-control]')].map((e) => {
        const r = corner(e);
        const origin = e.parentElement.id === 'Frame1' ? frame : form;
        return [e.dataset.control, { left: r.left - origin.left, top: r.top - origin.top,
          width: r.width, height: r.height, inFrame: e.parentElement.id === 'Frame1' }];
      }));
    });
    for (const row of table) {
      const box = boxes[row.name];
      assert.equal(box.inFrame, row.inFrame, row.name);
      for (const side of ['left', 'top', 'width', 'height'])
        assert.ok(Math.abs(box[side] - row[side] / 15) <= 0.5,
          `${row.name} ${side}: ${box[side]} px, table ${row[side] / 15} px`);
    }
  });

  test('the client area is 615 × 522 and the title is the window caption', async () => {
    const size = await page.$eval('#Form1', (e) => [e.offsetWidth, e.offsetHeight]);
    assert.deepEqual(size, [615, 522]);
    assert.equal(await page.title(), 'Vorlaine');
  });

  test('captions, default texts, kinds, colours and fonts are the table\'s, blanks kept', async () => {
    const seen = await page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('[data-control]')].map((e) => {
        const named = document.getElementById(e.dataset.control);
        const legend = named.querySelector(':scope > legend');
        const shown = legend ?? (named.type === 'text' ? named : named.closest('label') ?? named);
        const { color, fontWeight, fontSize } = getComputedStyle(shown);
        return [e.dataset.control, { tag: named.tagName, type: named.type ?? null,
          text: named.tagName === 'INPUT' && named.type === 'text' ? named.value : shown.textContent,
          look: [color, fontWeight, fontSize] }];
      })));
    const tags = { Label: ['SPAN', 'LABEL', 'OUTPUT'], TextBox: ['INPUT'], Button: ['BUTTON'],
      CheckBox: ['INPUT'], Option: ['INPUT'], Frame: ['FIELDSET'], Line: ['DIV'], Picture: ['DIV'] };
    for (const row of table) {
      assert.ok(tags[row.kind].includes(seen[row.name].tag), `${row.name} is a ${seen[row.name].tag}`);
      if (row.caption !== null && row.name !== 'Label18') assert.equal(seen[row.name].text, row.caption, row.name);
      const look = looks[row.name];
      assert.deepEqual(seen[row.name].look, [look.enabled ? colours[look.colour] : colours.greyed,
        ...(look.font === 'slogan' ? ['700', '16px'] : ['400', '12px'])], row.name);
    }
    assert.equal(seen.Check1.type, 'checkbox');
    assert.equal(seen.Option3.type, 'radio');
  });

  test('labels are tied to their boxes, results are polite live regions', async () => {
    for (const row of table.filter((r) => r.buddy)) {
      const labels = await page.$eval(`#${row.buddy}`, (e) => [...e.labels].map((l) => l.id));
      assert.ok(labels.includes(row.name), `${row.buddy} is labelled by ${row.name}`);
    }
    for (const row of table.filter((r) => r.resultName)) {
      const attrs = await page.$eval(`#${row.name}`, (e) => {
        const text = document.createRange();
        text.selectNodeContents(e);
        const rightAligned = Math.abs(e.getBoundingClientRect().right - text.getBoundingClientRect().right) < 1;
        return [e.getAttribute('aria-live'), e.getAttribute('aria-label'), rightAligned];
      });
      assert.deepEqual(attrs, ['polite', row.resultName, true], row.name);
    }
    for (const n of [1, 2, 3, 4]) {
      assert.equal(await page.$eval(`#Check${n}`, (e) => e.labels.length), 1);
      assert.equal(await page.$eval(`#Option${n}`, (e) => e.labels.length), 1);
    }
  });
});

const state = () => page.evaluate(() => {
  const $ = (id) => document.getElementById(id);
  const texts = Object.fromEntries(Array.from({ length: 10 }, (_, i) => [`Text${i + 1}`, $(`Text${i + 1}`).value]));
  return {
    texts,
    checks: [1, 2, 3, 4].map((n) => $(`Check${n}`).checked),
    options: [1, 2, 3, 4].map((n) => $(`Option${n}`).checked),
    label18: $('Label18').textContent,
    text7Enabled: !$('Text7').disabled,
    label4Greyed: $('Label4').getAttribute('aria-disabled') === 'true',
    results: ['Label12', 'Label8', 'Label9', 'Label13', 'Label15'].map((id) => $(id).textContent),
  };
});
const defaults = {
  texts: { Text1: '', Text2: '', Text3: '', Text4: '1', Text5: '5', Text6: '0.75', Text7: '0.8',
    Text8: '0.85', Text9: '', Text10: '' },
  checks: [true, false, false, false],
  options: [true, false, false, false],
  label18: '有效日照时间',
  text7Enabled: false,
  label4Greyed: true,
  results: ['V', 'V', 'Ah', 'W', '度'],
};
// Text colours as drawn: the table's design colours, and one grey for greyed controls.
const colours = { default: 'rgb(0, 0, 0)', darkred: 'rgb(192, 0, 0)', green: 'rgb(0, 128, 0)',
  greyed: 'rgb(160, 160, 160)' };
const coloursOf = (ids) => page.evaluate(
  (ids) => ids.map((id) => getComputedStyle(document.getElementById(id)).color), ids);
const focused = () => page.evaluate(() => document.activeElement?.id ?? null);
const typeWorkedExample = async () => {
  for (const [id, v] of [['Text1', '60'], ['Text2', '12'], ['Text3', '5'], ['Text9', '5'], ['Text10', '30']])
    await page.fill(`#${id}`, v);
};

describe('start-up and keyboard', () => {
  before(fresh);

  test('the window starts as Form_Load leaves it, the focus in Text1', async () => {
    assert.deepEqual(await state(), defaults);
    assert.equal(await focused(), 'Text1');
    const disabled = await page.evaluate(() => [1, 2, 3, 4].map((n) => document.getElementById(`Check${n}`).disabled));
    assert.deepEqual(disabled, [true, false, true, true]);
  });

  const order = async (steps, key = 'Tab') => {
    await page.focus('#Text1');
    const seen = [];
    for (let i = 0; i < steps; ++i) {
      await page.keyboard.press(key);
      seen.push(await focused());
    }
    return seen;
  };
  const unticked = ['Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Command1', 'Command2', 'Text8',
    'Text9', 'Check2', 'Option1', 'Text10', 'Text1'];

  test('tab order with Check2 unticked skips Text7 and wraps to Text1', async () => {
    assert.deepEqual(await order(13), unticked);
    assert.deepEqual(await order(13, 'Shift+Tab'), [...unticked].reverse().slice(1).concat('Text1'));
  });

  test('tab order with Check2 ticked stops on Text7; the option group at its selection', async () => {
    await page.click('#Check2');
    await page.click('#Option3');
    const ticked = [...unticked];
    ticked.splice(5, 0, 'Text7');
    ticked[ticked.indexOf('Option1')] = 'Option3';
    assert.deepEqual(await order(14), ticked);
    await page.click('#Command2');
  });

  test('Enter and Escape in a box press neither button', async () => {
    await typeWorkedExample();
    await page.evaluate(() => { document.getElementById('Label9').textContent = 'kept'; });
    const before = await state();
    for (const box of ['Text1', 'Text4', 'Text10'])
      for (const key of ['Enter', 'Escape']) {
        await page.focus(`#${box}`);
        await page.keyboard.press(key);
      }
    assert.equal(await page.evaluate(() => document.getElementById('notice').open), false);
    assert.deepEqual(await state(), before);
    await page.click('#Command2');
  });
});

describe('behaviours', () => {
  before(fresh);

  test('Check2 switches Text7 and Label4, keeping Text7\'s text', async () => {
    await page.click('#Check2');
    let s = await state();
    assert.deepEqual([s.text7Enabled, s.label4Greyed, s.texts.Text7], [true, false, '0.8']);
    assert.deepEqual(await coloursOf(['Text7', 'Label4']), [colours.default, colours.default]);
    await page.fill('#Text7', '0.9');
    await page.click('#Check2');
    s = await state();
    assert.deepEqual([s.text7Enabled, s.label4Greyed, s.texts.Text7], [false, true, '0.9']);
    assert.deepEqual(await coloursOf(['Text7', 'Label4']), [colours.greyed, colours.greyed]);
    await page.click('#Command2');
  });

  test('each option writes its caption into Label18', async () => {
    for (const [n, caption] of [[2, '平均日照时间'], [4, '平均年辐射量'], [3, '平均日辐射量'], [1, '有效日照时间']]) {
      await page.click(`#Option${n}`);
      assert.equal((await state()).label18, caption);
    }
    // Arrow keys move the selection inside the group, with the same effect.
    await page.focus('#Option1');
    await page.keyboard.press('ArrowRight');
    assert.equal((await state()).label18, '平均日照时间');
    await page.click('#Command2');
  });

  test('Text4 rewrites Text5 as it is typed, over a hand-edited Text5', async () => {
    await page.fill('#Text4', '');
    for (const [key, want] of [['2', ' 10'], ['.', ' 10'], ['5', ' 12.5']]) {
      await page.focus('#Text4');
      await page.keyboard.press(key);
      assert.equal(await page.inputValue('#Text5'), want, `after ${key}`);
    }
    await page.fill('#Text5', '99');
    await page.fill('#Text4', '-1');
    assert.equal(await page.inputValue('#Text5'), '-5');
    await page.fill('#Text4', '');
    assert.equal(await page.inputValue('#Text5'), ' 0');
  });

  test('an overflowing Text4 shows our fault notice and leaves Text5 empty', async () => {
    await page.focus('#Text4');
    await page.fill('#Text4', '1e308');
    await page.waitForSelector('#notice[open]');
    assert.equal(await focused(), 'notice-ok');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => !document.getElementById('notice').open);
    assert.equal(await page.inputValue('#Text5'), '');
    assert.equal(await focused(), 'Text4', 'the focus comes back');
    await page.click('#Command2');
  });

  test('清除 puts back every default, whatever came before', async () => {
    await typeWorkedExample();
    await page.fill('#Text2', '220'); // the inverter's voltage: the results are written
    await page.click('#Check2');
    await page.fill('#Text7', '0.95');
    await page.click('#Option3');
    await page.fill('#Text4', '3');
    await page.fill('#Text6', '0.5');
    await page.evaluate(() => { window.text5Writes = []; });
    await page.evaluate(() => {
      // The order of 清除: Text4's change handler runs, then Text5 is set.
      const box = document.getElementById('Text5');
      const { get, set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
      Object.defineProperty(box, 'value', { configurable: true,
        get: () => get.call(box),
        set(v) { window.text5Writes.push(v); set.call(box, v); } });
    });
    await calculate();
    assert.ok((await state()).results.every((r, i) => r !== defaults.results[i]), 'five results shown');
    await page.click('#Command2');
    const writes = await page.evaluate(() => window.text5Writes);
    assert.deepEqual(writes.slice(-3), ['', ' 5', '5']);
    assert.deepEqual(await state(), defaults);
  });

  test('a notice waits for its 确定, then the calculation goes on', async () => {
    await page.click('#Command2');
    await typeWorkedExample();
    await page.fill('#Text2', '220');
    await page.click('#Check2');
    await page.click('#Command1');
    await page.waitForSelector('#notice[open]');
    const shown = await page.evaluate(() => ({
      role: document.getElementById('notice').getAttribute('role'),
      focus: document.activeElement.id,
      ok: document.getElementById('notice-ok').textContent,
      results: document.getElementById('Label12').textContent,
      modal: document.getElementById('notice').matches(':modal'),
    }));
    assert.deepEqual(shown, { role: 'alertdialog', focus: 'notice-ok', ok: '确定', results: 'V', modal: true });
    // The page under a modal notice takes no clicks.
    await page.click('#Command2', { force: true, timeout: 1000 }).catch(() => {});
    assert.equal(await page.inputValue('#Text1'), '60');
    await page.click('#notice-ok');
    await page.waitForFunction(() => document.getElementById('Label12').textContent !== 'V');
    assert.match(await page.textContent('#Label15'), /^30度$/);
    assert.equal(await focused(), 'Command1');
    await page.click('#Command2');
  });

  test('a double click on the bare background shows the information box', async () => {
    const form = await page.$('#Form1');
    const box = await form.boundingBox();
    // Left of Label6, in the gap between the result rows: no control there.
    await page.mouse.dblclick(box.x + 20, box.y + 50);
    await page.waitForSelector('#notice[open]');
    const about = await page.evaluate(() => [document.getElementById('notice-title').textContent,
      document.getElementById('notice-text').innerText]);
    assert.equal(about[0], '信息');
    const lines = about[1].split('\n');
    assert.equal(lines.length, 4);
    assert.equal(lines[0], '         Vorlaine             版本: 1.0 ');
    assert.equal(lines[1], '      此软件仅供大家参考 , 如有问题 , 请多多指教 ! ');
    assert.equal(lines[3], '         Hollandry!');
    await page.click('#notice-ok');
  });

  test('a double click on a control shows no information box', async () => {
    await page.click('#Command2');
    await recordEffects();
    for (const id of ['Label6', 'Text1', 'Frame1', 'Image1', 'Line1', 'Label5', 'Check1', 'Command1']) {
      const target = await page.$(`[data-control="${id}"]`);
      const b = await target.boundingBox();
      const x = id === 'Frame1' ? b.x + b.width - 6 : b.x + b.width / 2;
      const y = id === 'Frame1' ? b.y + b.height - 6 : b.y + b.height / 2;
      await page.mouse.dblclick(x, y);
      // 计算 takes the double click as clicks: calculations over the empty
      // boxes with their invalid-input notice, and no information box.
      while (await page.evaluate(() => document.getElementById('notice').open))
        await page.click('#notice-ok');
      const log = await takeLog();
      const invalid = { notice: { title: '错误', text: '请输入有效的数傎' } };
      if (id === 'Command1') {
        assert.ok(log.length >= 1, 'a click on 计算 calculates');
        for (const effect of log) assert.deepEqual(effect, invalid);
      } else {
        assert.deepEqual(log, [], id);
      }
    }
  });
});

describe('first drawing', () => {
  const source = (name) => readFileSync(join(projectRoot, 'web/page', name), 'utf8');

  test('the page carries its style and script, as written, and asks for neither', async () => {
    const fetched = [];
    const context = await browser.newContext();
    try {
      const first = await context.newPage();
      first.on('request', (r) => fetched.push(`${r.resourceType()} ${r.url()}`));
      await first.goto(server.url);
      await first.waitForSelector('#Form1[data-ready="true"]');
      const inline = await first.evaluate(() => [document.querySelector('head > style').textContent,
        document.querySelector('script[type="module"]').textContent]);
      assert.deepEqual(inline, [`\n${source('style.css')}`, `\n${source('app.js')}`]);
      assert.deepEqual(fetched.filter((f) => /^(stylesheet|script) /.test(f)), []);
    } finally {
      await context.close();
    }
  });

  test('importing app.js for its core does not start the window twice', async () => {
    const second = await openWindow(browser, server.url);
    try {
      await second.evaluate(() => import('./app.js'));
      await computePlainCase(second);
      await second.waitForFunction(() => document.getElementById('Form1').dataset.calculated !== undefined);
      await second.waitForTimeout(100);
      assert.equal(await second.evaluate(() => document.getElementById('Form1').dataset.calculated), '1');
    } finally {
      await second.close();
    }
  });
});

describe('offline', () => {
  test('after one visit the window opens and calculates with the network off', async () => {
    const context = await browser.newContext();
    try {
      const online = await context.newPage();
      await online.goto(server.url);
      await online.waitForSelector('#Form1[data-ready="true"]');
      await online.evaluate(() => navigator.serviceWorker.ready);
      await online.waitForFunction(() => navigator.serviceWorker.controller !== null);
      await online.close();

      await context.setOffline(true);
      const offline = await context.newPage();
      // A new address, so that the browser's HTTP cache cannot stand in for the service worker.
      await offline.goto(`${server.url}?offline`);
      await offline.waitForSelector('#Form1[data-ready="true"]');
      const c = await computePlainCase(offline);
      await offline.waitForFunction(() => document.getElementById('Form1').dataset.calculated === '1');
      for (const { caption } of c.effects)
        assert.equal(await offline.textContent(`#${caption.label}`), caption.text, caption.label);
    } finally {
      await context.close();
    }
  });
});
