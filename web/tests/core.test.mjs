// The whole reference set through the WebAssembly core directly, so that a
// difference between its number conversions and the desktop's shows up as a
// failing case, not as a wrong last digit on a user's screen.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {before, test} from 'node:test';

import {expectedEffects, faultNotice, readJsonLines, site} from './support.mjs';

const { Core } = await import(join(site, 'core.js'));
let core;
before(async () => { core = await Core.load(readFileSync(join(site, 'vorlaine.wasm'))); });

const textsOf = (c) => Array.from({ length: 10 }, (_, i) => c.texts[`Text${i + 1}`]);

test('every sizing case gives the reference effects in order', () => {
  const cases = readJsonLines('sizing-cases.jsonl');
  assert.equal(cases.length, 600);
  const failures = [];
  for (const [i, c] of cases.entries()) {
    const got = core.calculate(textsOf(c), c.check2, c.option ?? 0);
    try {
      assert.deepEqual(got, expectedEffects(c));
    } catch {
      failures.push({ line: i + 1, texts: c.texts, want: c.effects, got });
    }
  }
  assert.deepEqual(failures.slice(0, 3), [], `${failures.length} of 600 cases differ`);
});

test('every rainy-days case gives the reference interval or the fault notice', () => {
  const cases = readJsonLines('rainy-days-cases.jsonl');
  assert.equal(cases.length, 57);
  for (const c of cases) {
    const effect = core.rainyInterval(c.rainy_days);
    if (c.fault) {
      assert.deepEqual(effect, faultNotice, c.rainy_days);
    } else {
      assert.deepEqual(effect, { caption: { label: 'Text5', text: c.interval } }, c.rainy_days);
    }
  }
});

test('texts of any length and characters cross to the core unchanged', () => {
  // The latitude is copied into the angle caption as typed.
  const latitude = '北纬 23°26′ ' +
    'x'.repeat(5000) + '\u0000end';
  const effects = core.calculate(['60', '12', '5', '1', '5', '0.75', '0.8', '0.85', '5', latitude], 0, 1);
  assert.deepEqual(effects.at(-1), { caption: { label: 'Label15', text: `${latitude}度` } });
  assert.equal(effects.length, 5);
});

test('a missing sunshine option and a greyed check box reach the core as such', () => {
  const texts = ['60', '220', '5', '1', '5', '0.75', '0.8', '0.85', '5', '30'];
  // Greyed (2) counts as ticked: the inverter branch with its advice.
  assert.equal(core.calculate(texts, 2, 1)[0].notice.title, '提示');
  assert.equal(core.calculate(texts, 0, 1)[0].notice.text, '您输入的数据为非常规值,如需对此计算.请升级本软件!');
});

test('every case of the load list table gives the desktop rules\' answer', async () => {
  const core = await Core.load(readFileSync(join(site, 'loads.wasm')));
  const lines = readFileSync(new URL('../../tests/data/load-list.jsonl', import.meta.url), 'utf8').trim().split('\n');
  for (const c of lines.map((l) => JSON.parse(l))) {
    if ('link' in c) {
      assert.deepEqual(core.decodeList(c.link), c.malformed ? null : c.rows, c.name);
      if (c.rows) assert.equal(core.encodeList(c.rows), c.link, c.name);
    } else if (c.rows) {
      const got = core.checkList(c.rows);
      const messages = [got.problem, ...got.cells.map((cell) => cell.message)].filter(Boolean);
      assert.deepEqual([got.power, got.hours, messages], [c.power ?? '', c.hours ?? '', c.messages ?? []], c.name);
      if (c.totals) assert.deepEqual(got.totals, c.totals, c.name);
    } else {
      const got = core.planModules(c.results, c.modules);
      assert.deepEqual(got, { problems: c.problems ?? [], lines: c.plan ?? [] }, c.name);
    }
  }
});

test('the sizing sheet and link table gives the desktop\'s pieces and fields', async () => {
  const kinds = ['Title', 'Line', 'Heading', 'Row', 'Notice', 'Link', 'Code', 'Cells'];
  const listCore = await Core.load(readFileSync(join(site, 'loads.wasm')));
  const expand = (t) => t.replace(/<([^<>*]+)\*(\d+)>/g, (_, s, n) => s.repeat(Number(n)));
  const moment = (t) => new Date(...t.split(/[- :]/).map((n, i) => n - (i === 1)));
  const defaults = ['', '', '', '1', '5', '0.75', '0.8', '0.85', '', ''];
  const texts = (r, over) => defaults.map((d, i) => expand(over[`Text${i + 1}`] ?? r.read[`Text${i + 1}`] ?? d));
  const inputs = (r, over = {}) => ({ texts: texts(r, over), check2: over.check2 ?? r.check2, option: r.option });
  for (const r of readJsonLines('../data/sizing-sheet.jsonl')) {
    if (r.fragment) {
      assert.deepEqual(core.linkFields(expand(r.fragment)), r.fields.map(([n, v]) => [n, expand(v)]), r.name);
      continue;
    }
    const read = inputs(r);
    const record = r.calculated === false
      ? null
      : { inputs: read, effects: core.calculate(read.texts, read.check2, read.option), pressed: moment(r.pressed) };
    const list = r.loads && { rows: r.loads, modules: r.modules };
    const pieces = (list ? listCore : core).sheet(record, inputs(r, r.window), moment(r.now), r.address, list);
    assert.deepEqual(
      pieces.map(({ kind, text, value }) => [kinds[kind], text, ...(value && value !== text ? [value] : [])].join('|')),
      r.sheet.map(expand), r.name);
  }
});
