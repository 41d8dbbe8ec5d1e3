// The window in each browser engine: the reference set through the page, the
// layout against the control table, and the behaviours of the desktop window.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, before, describe, test} from 'node:test';
import {setTimeout as sleep} from 'node:timers/promises';

import {engines, launch} from './driver.mjs';
import {controlTable, expectedEffects, faultNotice, openWindow, projectRoot, readJsonLines, resultLabels, site, startServer, windowReady,} from './support.mjs';

let server;
before(async () => { server = await startServer(); });
after(() => server?.stop());

// Logs, in order, every notice shown and every result caption written, as the
// user sees them: a notice when its dialog opens, a caption when it changes.
// A notice's line breaks are read back as the core's carriage returns.
function recordEffects(results) {
  window.effectLog = [];
  const watch = new MutationObserver((changes) => {
    for (const change of changes) {
      const target = change.target.nodeType === 1 ? change.target : change.target.parentNode;
      if (target.id === 'notice' && change.attributeName === 'open' && target.open) {
        window.effectLog.push({
          notice: {
            title: document.getElementById('notice-title').textContent,
            text: document.getElementById('notice-text').textContent.replaceAll('\n', '\r'),
          }
        });
      } else if (results.includes(target.id) && change.type !== 'attributes') {
        // A caption cut to fit (its whole text in its title) is logged as such.
        window.effectLog.push({ caption: { label: target.id, text: target.textContent + (target.title && ' cut') } });
      }
    }
  });
  watch.observe(document.getElementById('notice'), { attributes: true });
  for (const id of results)
    watch.observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
}
const takeLog = (page) => page.evaluate(() => window.effectLog.splice(0));

// Text colours as drawn: the table's design colours, and one grey for greyed controls.
const colours = {
  default: 'rgb(0, 0, 0)',
  darkred: 'rgb(192, 0, 0)',
  green: 'rgb(0, 128, 0)',
  greyed: 'rgb(160, 160, 160)'
};
const units = [['Label12', 'V'], ['Label8', 'V'], ['Label9', 'Ah'], ['Label13', 'W'], ['Label15', '度']];

// Clicks 计算 with the pointer and closes each notice with its button as it
// comes, until the calculation has finished; returns the effects in order.
// Notices are counted as they open: one may follow another in the same task
// that closed it, so the dialog is never seen closed in between.
async function calculate(page) {
  const [calculated, earlier] = await page.evaluate(
    () =>
      [Number(document.getElementById('Form1').dataset.calculated ?? 0),
       window.effectLog.filter((e) => e.notice).length]);
  await page.click('#Command1');
  for (let closed = earlier;; ++closed) {
    const state = await page.waitFor(([n, closed]) => {
      if (Number(document.getElementById('Form1').dataset.calculated ?? 0) > n) return 'done';
      const opened = window.effectLog.filter((e) => e.notice).length;
      return document.getElementById('notice').open && opened > closed ? 'notice' : false;
    }, [calculated, closed]);
    if (state === 'done') break;
    await page.click('#notice-ok');
  }
  return takeLog(page);
}

// Puts each case's inputs into the window: the texts set directly (the case's
// Text5 stays as given, as on the desktop, where they are typed before the
// click), Check2 and the option through their own handlers, results blanked.
// With `press`, then presses 计算 and each notice's 确定 by their click events,
// which run the page's own handlers, and returns each case's effects.
async function runCases({ cases, units, press }) {
  const $ = (id) => document.getElementById(id);
  // Waits for a notice to open or close, or a calculation to end: watched,
  // not polled, as a poll's tasks may wait for the next frame.
  const change = () => new Promise((done) => {
    const watch = new MutationObserver(() => {
      watch.disconnect();
      done(true);
    });
    watch.observe($('notice'), { attributes: true, attributeFilter: ['open'] });
    watch.observe($('Form1'), { attributes: true, attributeFilter: ['data-calculated'] });
    setTimeout(() => {
      watch.disconnect();
      done(false);
    }, 5000);
  });
  const logs = [];
  for (const c of cases) {
    for (const [id, value] of Object.entries(c.texts)) $(id).value = value;
    if ($('Check2').checked !== (c.check2 === 1)) $('Check2').click();
    for (const n of [1, 2, 3, 4]) $(`Option${n}`).checked = false;
    if (c.option) $(`Option${c.option}`).click();
    for (const [id, unit] of units) $(id).textContent = unit;
    await null; // the blanking reaches the log first
    window.effectLog.splice(0);
    if (!press) continue;
    const calculated = $('Form1').dataset.calculated;
    let next = change();
    $('Command1').click();
    // The handler runs within the click itself, to its end or to a notice:
    // look before waiting.
    for (let closed = 0;;) {
      if ($('Form1').dataset.calculated !== calculated) break;
      if ($('notice').open && window.effectLog.filter((e) => e.notice).length > closed) {
        next = change();
        $('notice-ok').click();
        ++closed;
        continue;
      }
      if (!(await next)) return { stuck: c, logs };
      next = change();
    }
    await null; // the observer's last records reach the log
    logs.push(window.effectLog.splice(0));
  }
  return { logs };
}

// Types the first reference case that shows no notice and writes the five
// results into `page`, and presses 计算; returns the case.
async function computePlainCase(page) {
  const c =
    readJsonLines('sizing-cases.jsonl').find((r) => r.effects.length === 5 && r.effects.every((e) => e.caption));
  if (c.check2) await page.click('#Check2');
  await page.evaluate((texts) => {
    for (const [id, value] of Object.entries(texts)) document.getElementById(id).value = value;
  }, c.texts);
  await page.click(`#Option${c.option}`);
  await page.click('#Command1');
  return c;
}

for (const engine of engines) {
  describe(engine, () => {
    let browser;
    let page;
    before(async () => { browser = await launch(engine); });
    after(async () => { await browser?.close(); });
    const fresh = async () => {
      await page?.close();
      page = await openWindow(browser, server.url);
      await page.evaluate(recordEffects, resultLabels);
    };

    describe(`${engine}: the reference cases through the page`, () => {
      before(fresh);
      const cases = readJsonLines('sizing-cases.jsonl');

      test(`${engine}: 600 calculations, notice by notice and caption by caption`, async () => {
        assert.equal(cases.length, 600);
        const failures = [];
        for (let from = 0; from < cases.length; from += 100) {
          const { stuck, logs } =
            await page.evaluate(runCases, { cases: cases.slice(from, from + 100), units, press: true });
          assert.equal(stuck, undefined, `${engine}: the calculation did not end`);
          for (const [i, got] of logs.entries()) {
            const c = cases[from + i];
            try {
              assert.deepEqual(got, expectedEffects(c));
            } catch {
              failures.push({ line: from + i + 1, want: c.effects, got });
            }
          }
        }
        assert.deepEqual(failures.slice(0, 3), [], `${engine}: ${failures.length} of 600 differ`);
      });

      test(`${engine}: cases with notices, by pointer clicks on 计算 and 确定`, async () => {
        for (const c of cases.filter((r) => r.effects.some((e) => e.notice)).slice(0, 6)) {
          await page.evaluate(runCases, { cases: [c], units, press: false });
          assert.deepEqual(await calculate(page), expectedEffects(c), JSON.stringify(c.texts));
        }
      });

      test(`${engine}: 57 rainy-day texts entered into Text4`, async () => {
        const seen = await page.evaluate(async (texts) => {
          const $ = (id) => document.getElementById(id);
          const out = [];
          for (const text of texts) {
            $('Text4').value = text;
            $('Text4').dispatchEvent(new Event('input', { bubbles: true }));
            // A fault notice opens as soon as the handler's task is done.
            await new Promise((done) => setTimeout(done));
            const notice = $('notice').open ? {
              notice:
                { title: $('notice-title').textContent, text: $('notice-text').textContent.replaceAll('\n', '\r') }
            }
                                            : null;
            if (notice) {
              const closed = new Promise((done) => $('notice').addEventListener('close', done, { once: true }));
              $('notice-ok').click();
              await closed;
            }
            out.push({ notice, text5: $('Text5').value });
          }
          return out;
        }, readJsonLines('rainy-days-cases.jsonl').map((c) => c.rainy_days));
        for (const [i, c] of readJsonLines('rainy-days-cases.jsonl').entries()) {
          const want = c.fault ? { notice: faultNotice, text5: '' } : { notice: null, text5: c.interval };
          assert.deepEqual(seen[i], want, c.rainy_days);
        }
      });
    });

    describe(`${engine}: layout`, () => {
      before(fresh);
      const table = controlTable();

      test(`${engine}: the table has its 44 controls and the page all of them`, async () => {
        assert.equal(table.length, 44);
        const names =
          await page.evaluate(() => [...document.querySelectorAll('[data-control]')].map((e) => e.dataset.control));
        assert.deepEqual(names.sort(), table.map((r) => r.name).sort());
      });

      test(`${engine}: each control lies within half a pixel of its table rectangle`, async () => {
        const boxes = await page.evaluate(() => {
          const corner = (e) => e.getBoundingClientRect();
          const form = corner(document.getElementById('Form1'));
          const frame = corner(document.getElementById('Frame1'));
          return Object.fromEntries([...document.querySelectorAll('[data-control]')].map((e) => {
            const r = corner(e);
            const inFrame = e.parentElement.closest('#Frame1') !== null; // options may sit in a group inside
            const origin = inFrame ? frame : form;
            return [
              e.dataset.control,
              { left: r.left - origin.left, top: r.top - origin.top, width: r.width, height: r.height, inFrame }
            ];
          }));
        });
        for (const row of table) {
          const box = boxes[row.name];
          assert.equal(box.inFrame, row.inFrame, row.name);
          for (const side of ['left', 'top', 'width', 'height'])
            assert.ok(
              Math.abs(box[side] - row[side] / 15) <= 0.5,
              `${row.name} ${side}: ${box[side]} px, table ${row[side] / 15} px`);
        }
      });

      test(`${engine}: the client area is 615 × 522, the title the window caption, no text overflows`, async () => {
        const seen = await page.evaluate(() => {
          const form = document.getElementById('Form1');
          // Each text's drawn width against its box: a font drawn wider than
          // the desktop's must still fit.
          const overflowing = [...document.querySelectorAll('[data-control]')]
                                .filter((e) => {
                                  const range = document.createRange();
                                  range.selectNodeContents(e);
                                  return range.getBoundingClientRect().width > e.getBoundingClientRect().width + 1;
                                })
                                .map((e) => e.dataset.control);
          return { size: [form.offsetWidth, form.offsetHeight], title: document.title, overflowing };
        });
        assert.deepEqual(seen, { size: [615, 522], title: 'Vorlaine', overflowing: [] });
      });

      test(`${engine}: captions, default texts and kinds are the table's, blanks kept`, async () => {
        const seen =
          await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('[data-control]')].map((e) => {
            const named = document.getElementById(e.dataset.control);
            const legend = named.querySelector(':scope > legend');
            const shown = legend ?? (named.type === 'text' ? named : named.closest('label') ?? named);
            const { color, fontWeight, fontSize } = getComputedStyle(shown);
            return [
              e.dataset.control, {
                tag: named.tagName,
                type: named.type ?? null,
                disabled: named.disabled ?? null,
                look: [color, fontWeight, fontSize],
                text: named.tagName === 'INPUT' && named.type === 'text' ? named.value
                  : legend                                               ? legend.textContent
                           : named.closest('label')?.textContent ?? named.textContent
              }
            ];
          })));
        const tags = {
          Label: ['SPAN', 'LABEL', 'OUTPUT'],
          TextBox: ['INPUT'],
          Button: ['BUTTON'],
          CheckBox: ['INPUT'],
          Option: ['INPUT'],
          Frame: ['FIELDSET'],
          Line: ['DIV'],
          Picture: ['DIV']
        };
        for (const row of table) {
          const control = seen[row.name];
          assert.ok(tags[row.kind].includes(control.tag), `${row.name} is a ${control.tag}`);
          if (row.kind !== 'Picture') assert.equal(control.text, row.caption, row.name);
          if (['TextBox', 'CheckBox', 'Option'].includes(row.kind))
            assert.equal(control.disabled, !row.enabled, `${row.name} enabled`);
          // Drawn in the table's colour, or grey when greyed, and in its font.
          const slogan = row.font === 'slogan';
          assert.deepEqual(
            control.look,
            [row.enabled ? colours[row.colour] : colours.greyed, slogan ? '700' : '400', slogan ? '16px' : '12px'],
            row.name);
        }
        assert.equal(seen.Check1.type, 'checkbox');
        assert.equal(seen.Option3.type, 'radio');
      });

      test(`${engine}: labels are tied to their boxes, results are named`, async () => {
        const seen = await page.evaluate(
          (results) => ({
            labels: Object.fromEntries([...document.querySelectorAll('input')].map(
              (e) => [e.id, [...e.labels].map((l) => l.id || l.textContent)])),
            results: results.map((id) => {
              const e = document.getElementById(id);
              const text = document.createRange();
              text.selectNodeContents(e);
              const flushRight = Math.abs(e.getBoundingClientRect().right - text.getBoundingClientRect().right) < 1;
              return [e.getAttribute('aria-live'), e.getAttribute('aria-label'), flushRight];
            }),
          }),
          resultLabels);
        for (const row of controlTable().filter((r) => r.buddy))
          assert.ok(seen.labels[row.buddy].includes(row.name), `${row.buddy} is labelled by ${row.name}`);
        for (const n of [1, 2, 3, 4]) {
          assert.equal(seen.labels[`Check${n}`].length, 1);
          assert.equal(seen.labels[`Option${n}`].length, 1);
        }
        // Each result is heard by its name, not as a bare value: announced by
        // itself (a polite live region) or by the page's one announcement.
        for (const [i, [live, name, flushRight]] of seen.results.entries()) {
          assert.ok(flushRight, `${resultLabels[i]} is aligned right`);
          assert.ok([null, 'polite', 'off'].includes(live), `${resultLabels[i]} aria-live ${live}`);
          assert.ok(name && !units.some(([, unit]) => unit === name), `${resultLabels[i]} is named, not "${name}"`);
        }
      });
    });

    describe(`${engine}: first drawing`, () => {
      // The build's minified copies go into the page.
      const source = (name) => readFileSync(join(site, '..', name), 'utf8');

      test(`${engine}: the page carries its style and script, as written, and asks for neither`, async () => {
        const first = await openWindow(browser, server.url);
        try {
          await first.waitFor(() => document.getElementById('sheet'));
          const seen = await first.evaluate(
            () => ({
              inline: [
                document.querySelector('head > style').textContent,
                document.querySelector('script[type="module"]').textContent
              ],
              // The service worker's own script is fetched for it, not for the page;
              // the core's and the sizing sheet's once the window stands (Firefox's
              // clock steps by a millisecond: the core's may start in the same one).
              fetched: performance.getEntriesByType('resource')
                         .map((e) => [new URL(e.name).pathname, e.startTime >= window.vorlaineDrawnAt])
                         .filter(([p]) => /\.(css|m?js)$/.test(p) && p !== '/sw.js'),
            }));
          // The window's colours and fonts stand first, as variables from the design.
          seen.inline[0] = seen.inline[0].replace(/^\n:root \{( --[a-z-]+: [^;]+;)+ \}\n/, '\n');
          // The window's and the controls' rectangles stand last, as rules from the table.
          seen.inline[0] = seen.inline[0].replace(
            /\n#Form1\{[^}]+\}([#[][\w=\]-]+\{left:\d+px;top:\d+px;width:\d+px;height:\d+px\})+$/, '');
          assert.deepEqual(seen, {
            inline: [`\n${source('style.min.css')}`, `\n${source('app.min.js')}`],
            fetched: [['/core.js', true], ['/sheet.js', true]]
          });
        } finally {
          await first.close();
        }
      });
    });

    describe(`${engine}: the sizing sheet`, () => {
      // Chromium and Firefox print to PDF (A4 and Letter); WebKit's driver
      // cannot, so there the print rules are made to hold on screen instead.
      // Each row: the link opened, the steps (计算, 清除, a box filled, a
      // box clicked), lines the sheet holds and does not, and its code's fragment.
      const example = 'Option=2&Text1=100&Text2=12&Text3=5&Text9=4&Text10=%E5%8C%97%E7%BA%AC40';
      const advice = 'Option=3&Check2=1&Text1=100&Text2=220&Text3=8&Text9=15000&Text10=40';
      const north = '北'.repeat(400);
      const list = 'Loads=LED%2C2%2C50%2C5.5'; // LED,2,50,5.5
      // Lists joined by |; a step is calc, clear, #Box=text or #Box to click.
      const rows = [
        [
          'a change after 计算', example, 'calc|#Text1=500',
          '计算之后窗口已有改动|负载功率 100 W|平均日照时间 4 小时|当地纬度 北纬40', '500|逆变器效率', example
        ],
        [
          'a notice after results', example, 'calc|#Text1=1e12|#Check2|calc',
          '负载功率 1e12 W|需要逆变器 是|电池电压 —|提示: 您输入的数据为非常规值,如需对此计算.请升级本软件!',
          '130.7189|计算之后', example.replace('Text1=100', 'Check2=1&Text1=1e12')
        ],
        [
          'the inverter advice', advice, 'calc',
          '平均日辐射量 15000 kJ/m²|提示: 如果您使用的是电视|要使用正弦波逆变器!|安装角度 40度', '15000 小时', advice
        ],
        [
          'a list the link brought, which filled the window', `${example.replace('Text3=5', 'Text3=5.5')}&${list}`,
          '#loads-panel h2|calc',
          '负载清单|LED 2 50 5.5|总功率 P：100W|配置建议|蓄电池组：1块串联，2串并联|太阳电池组件：1块串联，5串并联', '',
          `${example.replace('Text3=5', 'Text3=5.5')}&${list}`
        ],
        ['清除 then print', 'Text2=220', 'calc|clear', '尚未计算|日照数据类型 有效日照时间', '提示|220|电池电压', ''],
        ['a print before any 计算', example, '', '尚未计算|负载功率 100 W|当地纬度 北纬40', '电池电压', example],
        [
          'a 400-character 当地纬度', example, `#Text10=${north}|calc`,
          `${north.slice(0, 40)}…（共 400 个字符）|当地纬度太长，未放入链接。`, north.slice(0, 41),
          example.replace(/&Text10=.*/, '')
        ],
      ].map(([name, fragment,
              ...lists]) => [name, fragment, ...lists.slice(0, 3).map((l) => l.split('|').filter(Boolean)), lists[3]]);
      for (const [name, fragment, steps, present, absent, code] of rows)
        test(`${engine}: ${name}: one printed page, its code opens the recorded inputs`, async () => {
          const sheet = await openWindow(browser, `${server.url}#${fragment}`, { width: 800, height: 1150 });
          const folder = mkdtempSync(join(tmpdir(), 'vorlaine-sheet-'));
          const run = (program, ...args) => execFileSync(program, args, { encoding: 'utf8' });
          let again;
          try {
            await sheet.evaluate(recordEffects, resultLabels);
            await sheet.evaluate(() => {
              window.faults = [];
              addEventListener('error', (e) => window.faults.push(e.message));
              addEventListener('unhandledrejection', (e) => window.faults.push(String(e.reason)));
            });
            await sheet.click('#phone button');
            await sheet.waitFor(() => document.querySelector('#phone svg path'));
            for (const step of steps) {
              if (step === 'calc') await calculate(sheet);
              else if (step === 'clear') await sheet.click('#Command2');
              else if (step.includes('=')) await sheet.fill(...step.split('='));
              else await sheet.click(step);
            }
            await sheet.evaluate(
              () => new Promise((done) => setTimeout(done, 50))); // the sheet is filled after the event
            let text;
            if (engine === 'webkit') {
              text = await sheet.evaluate(() => {
                for (const rule of document.styleSheets[0].cssRules)
                  if (rule.media?.mediaText === 'print') rule.media.mediaText = 'all';
                const sheet = document.getElementById('sheet');
                // Letter's printable height at 15 mm margins, in CSS pixels.
                return sheet.getBoundingClientRect().height <= (279.4 - 30) / 25.4 * 96 && sheet.innerText;
              });
              assert.ok(text, 'the sheet is longer than one page');
              // WebKit's picture may still be the frame before the rules changed.
              await sheet.evaluate(
                () => new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn))));
              await sheet.screenshot(join(folder, 'sheet.png'));
            } else {
              writeFileSync(
                join(folder, 'sheet.pdf'),
                await sheet[engine].pdf({ format: engine === 'chromium' ? 'A4' : 'Letter' }));
              assert.match(run('pdfinfo', join(folder, 'sheet.pdf')), /^Pages:\s+1$/m);
              text = run('pdftotext', '-layout', join(folder, 'sheet.pdf'), '-');
              run('pdftoppm', '-r', '150', '-png', '-singlefile', join(folder, 'sheet.pdf'), join(folder, 'sheet'));
            }
            // Compared without blanks: PDF text puts them where the glyphs stand.
            text = text.replace(/\s+/g, '');
            for (const line of ['Vorlaine 系统配置单', ...present])
              assert.ok(text.includes(line.replace(/\s+/g, '')), `${engine}: ${line} not in ${text}`);
            for (const line of absent)
              assert.ok(!text.includes(line.replace(/\s+/g, '')), `${engine}: ${line} in ${text}`);
            const link = server.url + (code && `#${code}`);
            assert.ok(text.includes(link), `${engine}: no link in ${text}`);
            assert.equal(run('zbarimg', '-q', '--raw', join(folder, 'sheet.png')).trim(), link);
            assert.deepEqual(await sheet.evaluate(() => window.faults), []);
            if (steps.length > 0) return;
            again = await openWindow(browser, link);
            const inputs = () => [...document.querySelectorAll('#Form1 input, #Label12')].map(
              (e) => `${e.id}=${e.value}${e.checked ? '√' : ''}`);
            assert.equal(String(await again.evaluate(inputs)), String(await sheet.evaluate(inputs)));
          } finally {
            rmSync(folder, { recursive: true, force: true });
            await sheet.close();
            await again?.close();
          }
        });
    });

    describe(`${engine}: offline`, () => {
      test(`${engine}: after one visit the window opens and calculates with the server gone`, async () => {
        const own = await startServer();
        let visitor;
        try {
          visitor = await openWindow(browser, own.url);
          await visitor.waitFor(async () => {
            await navigator.serviceWorker.ready;
            return navigator.serviceWorker.controller !== null;
          });
          await own.stop();
          // A new address, so that the browser's HTTP cache cannot stand in for the service worker.
          await visitor.goto(`${own.url}?offline`);
          await windowReady(visitor, 30000);
          const c = await computePlainCase(visitor);
          await visitor.waitFor(() => document.getElementById('Form1').dataset.calculated === '1');
          const shown = await visitor.evaluate(
            (ids) => ids.map((id) => document.getElementById(id).textContent), c.effects.map((e) => e.caption.label));
          assert.deepEqual(shown, c.effects.map((e) => e.caption.text));
          await visitor.click('#phone button'); // the QR encoder from the worker's copy
          await visitor.waitFor(() => document.querySelector('#phone svg path'));
        } finally {
          await own.stop();
          await visitor?.close();
        }
      });
    });
  });
}
