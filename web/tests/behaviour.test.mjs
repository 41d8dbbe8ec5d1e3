// The window's behaviours (tests/data/window-behaviour.jsonl, the rows the
// desktop window replays in tests/form1_behaviour_test.cpp) replayed through
// the page in each browser engine, by pointer and keyboard. The log holds what
// the page itself wrote (texts and ticks set from code) and the notices it
// opened, in order, but for the start-up row's "unlogged" boxes; what the user
// types or clicks is the action, not the log. Rows with "core": "loading" run
// their actions up to the first look or notice with the core held back;
// "refused" rows have it refused until "serve_core"; "page_only" rows (a link,
// Back, the core's absence) the desktop has no part in. What the person typed
// and the page puts back once the core is played is an edit, not a write.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {after, before, describe, test} from 'node:test';

import {engines, launch} from './driver.mjs';
import {noticeText, projectRoot, site, testServer, windowReady} from './support.mjs';

const rows = readFileSync(join(projectRoot, 'tests/data/window-behaviour.jsonl'), 'utf8')
               .split('\n')
               .filter((l) => l.trim() !== '')
               .map((l) => JSON.parse(l));
const startUp = rows[0].end;

// A notice the table names by its texts in calc/notices.h, as the page shows
// it: each carriage return a line break.
const shown = (entry) => {
  if (!entry.notice) return entry;
  const { title, text } = Array.isArray(entry.notice)
    ? { title: noticeText(entry.notice[0]), text: noticeText(entry.notice[1]) }
    : entry.notice;
  return { notice: { title, text: text.replaceAll('\r', '\n') } };
};

// ---- In the page.

// Each change in a task of its own, as a user's would come.
async function setStart(start) {
  for (const key of Object.keys(start).sort()) {
    await new Promise((r) => setTimeout(r, 0));
    const e = document.getElementById(key === 'option' ? start.option : key);
    if (e.type === 'text') {
      e.value = start[key];
      e.dispatchEvent(new Event('input', { bubbles: true }));
    } else if (e.type === 'radio' || e.checked !== start[key]) {
      e.click();
    }
  }
}

function record(unlogged) {
  const log = [];
  window.behaviourLog = log;
  const notice = document.getElementById('notice');
  window.behaviourProblems = [];
  const opened = (records) => {
    for (const r of records) {
      if (r.oldValue !== null || !notice.open) continue;
      log.push({
        notice: {
          title: document.getElementById('notice-title').textContent,
          // As drawn: the line breaks are the stylesheet's to keep.
          text: document.getElementById('notice-text').innerText
        }
      });
      // A notice is modal and waits with its button focused, as the desktop's does.
      if (!notice.matches(':modal') || document.activeElement?.id !== 'notice-ok')
        window.behaviourProblems.push(`notice opened with focus on ${document.activeElement?.id}`);
    }
  };
  const watch = new MutationObserver(opened);
  watch.observe(notice, { attributeFilter: ['open'], attributeOldValue: true });
  // Writes from code go through the property setters; a user's edits do not.
  const spy = (e, property, entry) => {
    if (unlogged.includes(e.id)) return;
    const { get, set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, property);
    Object.defineProperty(e, property, {
      configurable: true,
      get: () => get.call(e),
      set(value) {
        const before = get.call(e);
        set.call(e, value);
        if (get.call(e) === before) return;
        opened(watch.takeRecords());
        const written = entry(get.call(e));
        if (written) log.push(written);
      },
    });
  };
  for (const e of document.querySelectorAll('input')) {
    if (e.type === 'text') spy(e, 'value', (v) => `${e.id}=${v}`);
    if (e.type === 'checkbox') spy(e, 'checked', (on) => `${e.id}=${on ? 'on' : 'off'}`);
    if (e.type === 'radio') spy(e, 'checked', (on) => (on ? `${e.id}=on` : null));
  }
}

function stateOf() {
  const state = {};
  const disabled = [];
  const names = [...document.querySelectorAll('[data-control]')].map((e) => e.dataset.control).sort();
  for (const name of names) {
    const e = document.getElementById(name);
    if (e.disabled === true || e.getAttribute('aria-disabled') === 'true') disabled.push(name);
    if (e.type === 'text') state[name] = e.value;
    else if (e.type === 'checkbox') state[name] = e.checked;
    else if (e.type === 'radio' && e.checked) state.option = name;
    else if (name.startsWith('Label')) state[name] = e.textContent;
  }
  state.disabled = disabled;
  // The results wider than their labels (to be drawn ending in "…", the
  // whole text their title), and any below three quarters of the window's 12 px.
  state.cut = [...document.querySelectorAll('output')].flatMap((e) => {
    const range = document.createRange();
    range.selectNodeContents(e);
    const wide = range.getBoundingClientRect().width > e.clientWidth + 0.5;
    const cut = wide ? [e.id + (e.title === e.textContent ? '' : ' with no title')] : [];
    return parseFloat(getComputedStyle(e).fontSize) < 9 ? [...cut, `${e.id} too small`] : cut;
  });
  state.focus =
    document.activeElement?.closest('[id]:not([id=""])')?.id ?? ''; // an action beside the window by its region
  return state;
}

// A point given in window pixels from a control's corner (the window's client area).
function pointIn([name, [x, y]]) {
  const e = document.querySelector(`[data-control="${name}"]`) ?? document.getElementById(name);
  const r = e.getBoundingClientRect();
  const [left, top] = name === 'Form1' ? [e.clientLeft, e.clientTop] : [0, 0];
  return { x: r.left + left + x, y: r.top + top + y };
}

const noticeOpen = () => document.getElementById('notice').open;

// What a script does in one task (autofill, an assistive tool): writes boxes
// with their input events, as typing does, and clicks.
function inOneTask(actions) {
  const { set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  for (const { click, type } of actions) {
    const e = document.getElementById(click ?? type[0]);
    if (click) e.click();
    else set.call(e, type[1]);
    if (type) e.dispatchEvent(new Event('input', { bubbles: true }));
  }
}

// ---- In node.

const differences = (got, want) => Object.keys(want)
                                     .filter((k) => JSON.stringify(got[k]) !== JSON.stringify(want[k]))
                                     .map((k) => `${k}: ${JSON.stringify(got[k])}, want ${JSON.stringify(want[k])}`);

// Handlers may finish in later tasks: give them a few before looking.
const settle = (page) => page.evaluate(() => new Promise((r) => setTimeout(r, 20)));

async function perform(page, action, problems, server) {
  const control = (name) => (name === 'Form1' ? '#Form1' : `[data-control="${name}"]`);
  if (action.type) {
    await page.fill(`#${action.type[0]}`, action.type[1]);
  } else if (action.click) {
    await page.click(control(action.click));
  } else if (action.dblclick) {
    await page.dblclick(
      action.at ? await page.evaluate(pointIn, [action.dblclick, action.at]) : control(action.dblclick));
  } else if (action.focus) {
    await page.focus(`#${action.focus}`);
  } else if (action.press) {
    await page.focus(`#${action.in}`);
    for (const key of action.press) await page.press(key);
  } else if (action.tab || action.backtab) {
    const seen = [];
    for (let i = (action.tab ?? action.backtab).length; i > 0; --i) {
      await page.press(action.tab ? 'Tab' : 'Shift+Tab');
      seen.push(await page.evaluate(() => document.activeElement?.id));
    }
    if (JSON.stringify(seen) !== JSON.stringify(action.tab ?? action.backtab))
      problems.push(`${action.tab ? 'tab' : 'backtab'}: ${JSON.stringify(seen)}`);
  } else if (action.wait) {
    await page.waitFor((selector) => document.querySelector(selector), action.wait, 5000);
  } else if (action.keys) {
    for (const key of action.keys) await page.press(key);
  } else if (action.one_task) {
    await page.evaluate(inOneTask, action.one_task);
  } else if (action.open_link) {
    await page.evaluate((fragment) => { location.hash = fragment; }, action.open_link);
  } else if (action.back) {
    await page.evaluate(() => new Promise((done) => {
                          addEventListener('popstate', done, { once: true });
                          history.back();
                        }));
  } else if (action.load_list) { // rows typed into a new list, then its fill pressed
    await page.evaluate(() => localStorage.clear());
    await page.click('#loads > button');
    await page.waitFor(() => document.getElementById('loads-panel'));
    for (const [r, row] of action.load_list.entries()) {
      await page.click('#loads-add');
      for (const [c, text] of row.entries())
        await page.fill(`#loads-panel tr:nth-child(${r + 1}) td:nth-child(${c + 1}) input`, text);
    }
    await page.click('#loads-fill');
  } else if (action.serve_core) {
    server.refuseCore = false;
  } else if (action.see) {
    await settle(page);
    problems.push(...differences(await page.evaluate(stateOf), action.see));
  } else if (action.close_notice) {
    await page.waitFor(noticeOpen, null, 5000);
    const ok = await page.evaluate(() => document.getElementById('notice-ok').textContent);
    if (ok !== action.close_notice) problems.push(`notice button ${ok}`);
    if (action.key) await page.press(action.key);
    else await page.click('#notice-ok');
  } else {
    throw new Error(`unknown action ${JSON.stringify(action)}`);
  }
  await settle(page);
}

async function replay(page, server, row) {
  let release = null;
  server.holdCore = row.core === 'loading' ? new Promise((r) => { release = r; }) : null;
  server.refuseCore = row.core === 'refused';
  const problems = [];
  const arrive = async () => {
    if (await page.evaluate(() => Form1.dataset.ready)) problems.push('the core came before it was released');
    release();
    release = null;
    await windowReady(page);
  };
  // A query of the row's own: a new page even where only the link differs.
  await page.goto(`${server.url}?${rows.indexOf(row)}${row.link ? `#${row.link}` : ''}`);
  await page.waitFor(() => document.getElementById('Form1')?.dataset.loaded === 'true');
  if (!row.core) await windowReady(page);
  await page.evaluate(setStart, row.start ?? {});
  await settle(page);
  await page.evaluate(record, rows[0].unlogged);
  for (const action of row.actions) {
    if (release && (action.see || action.close_notice)) await arrive();
    await perform(page, action, problems, server);
  }
  if (release) await arrive();
  if (row.core) await windowReady(page);
  problems.push(...await page.evaluate(() => window.behaviourProblems));
  const { focus, ...base } = startUp;
  problems.push(...differences(await page.evaluate(stateOf), {...base, ...row.end }));
  if (await page.evaluate(noticeOpen)) problems.push('a notice was left open');
  assert.deepEqual(
    { problems, log: await page.evaluate(() => window.behaviourLog) },
    { problems: [], log: (row.log ?? []).map(shown) });
}

// No worker: each row's core comes from the network, to be held back or refused.
let server;
before(async () => { server = Object.assign(await testServer(site), { worker: false }); });
after(() => server?.stop());

for (const engine of engines) {
  describe(`window behaviours in ${engine}`, () => {
    let browser;
    let page;
    before(async () => {
      browser = await launch(engine);
      page = await browser.newPage({ width: 800, height: 700 });
    });
    after(async () => {
      await page?.close();
      await browser?.close();
    });
    for (const row of rows) test(row.name, () => replay(page, server, row));
  });
}
