// The load list and the module plan beside the window, fetched on the first
// press of their action together with their rules (loads.wasm, the same C++
// as the desktop's). The list fills the window's boxes through `typeInto`,
// the window's own input path, so its handlers run in order as if typed.
import {Core} from './core.js';

const ROWS_KEY = 'vorlaine-load-list';
const MODULES_KEY = 'vorlaine-modules';
// Result labels of the system voltage, panel voltage, capacity and panel power.
const RESULTS = ['Label12', 'Label8', 'Label9', 'Label13'];
const STYLE = [
  '#loads-panel{margin-top:8px;padding:8px;background:var(--window);border:1px solid var(--frame-line);' +
    'font:12px/1.4 var(--dialog-font);width:420px;max-width:calc(100vw - 40px)}',
  '#loads-panel h2{font-size:12px;margin:8px 0 4px}',
  '#loads-panel table{border-collapse:collapse;width:100%}',
  '#loads-panel th{font-weight:normal;text-align:left}',
  '#loads-panel td input{width:100%;box-sizing:border-box;font:inherit}',
  '#loads-panel td:first-child{width:30%}',
  '#loads-panel td button{white-space:nowrap}',
  '#loads-panel [aria-invalid=true]{outline:2px solid var(--dark-red)}',
  '#loads-panel p{margin:4px 0;white-space:pre-line}',
  '#loads-panel .problems{color:var(--dark-red)}',
  '#loads-panel label{display:block;margin:2px 0}',
  '#loads-panel label input{width:6em;margin-left:6px}',
];

const stored = (key, fallback) => {
  try {
    return JSON.parse(localStorage.getItem(key)) ?? fallback;
  } catch {
    return fallback;
  }
};
const keep = (key, value) => {
  try {
    localStorage.setItem(key, JSON.stringify(value));
  } catch {
  }
};

// Builds the panel into `aside` once; `typeInto(id, text)` types into a box of
// the window, `changed()` is told when the list changed (the address carries it).
// Returns the panel, the list's field for a link, the sizing sheet with the
// list and the plan, and `load(field)` for the list a link brings.
export async function start(aside, typeInto, changed) {
  const rules = await Core.load(new URL('loads.wasm', import.meta.url));
  const w = rules.listWords();
  const make = (tag, text = '', props = {}) => Object.assign(document.createElement(tag), { textContent: text }, props);
  const style = document.styleSheets[0];
  for (const rule of STYLE) style.insertRule(rule, style.cssRules.length);

  const panel = make('section', '', { id: 'loads-panel' });
  panel.setAttribute('aria-label', w.listTitle);
  const body = make('tbody');
  const head = make('tr');
  for (const h of w.headings) head.append(make('th', h));
  const table = make('table');
  table.append(make('thead'), body);
  table.tHead.append(head);
  const add = make('button', w.addRow, { type: 'button', id: 'loads-add' });
  const fill = make('button', w.fill, { type: 'button', id: 'loads-fill' });
  const problems = make('p', '', { className: 'problems' });
  const totals = make('p');
  const plan = make('p');
  totals.setAttribute('aria-live', 'polite');
  plan.setAttribute('aria-live', 'polite');
  const modules = w.moduleBoxes.map((name, i) => {
    const box = make('input', '', { value: stored(MODULES_KEY, w.moduleDefaults)[i] ?? w.moduleDefaults[i] });
    const label = make('label', name);
    label.append(box);
    return { box, label };
  });
  panel.append(
    make('h2', w.listTitle), table, add, fill, problems, totals, make('h2', w.planTitle),
    ...modules.map((m) => m.label), plan);
  aside.append(panel);

  const rows = () => [...body.rows].map((tr) => [...tr.querySelectorAll('input')].map((i) => i.value));
  let result = null;
  function check() {
    const list = rows();
    keep(ROWS_KEY, list);
    result = rules.checkList(list);
    [...body.rows].forEach((tr, r) => {
      const inputs = tr.querySelectorAll('input');
      inputs.forEach((input, c) => {
        input.setAttribute('aria-label', `${w.rowPrefix}${r + 1}${w.rowWord} ${w.headings[c]}`);
        const bad = result.cells.find((cell) => cell.row === r && cell.column === c);
        input.setAttribute('aria-invalid', Boolean(bad));
        input.title = bad?.message ?? '';
      });
      tr.querySelector('button').setAttribute('aria-label', `${w.removeRow} ${w.rowPrefix}${r + 1}${w.rowWord}`);
    });
    problems.textContent = [result.problem, ...result.cells.map((cell) => cell.message)].filter(Boolean).join('\n');
    const text = result.totals.join('\n');
    if (totals.textContent !== text) totals.textContent = text;
    fill.disabled = result.power === '';
    changed();
  }
  function addRow(cells = ['', '', '', '']) {
    if (body.rows.length >= 50) return null;
    const tr = body.insertRow();
    for (const value of cells) tr.insertCell().append(make('input', '', { value }));
    const remove = make('button', w.removeRow, { type: 'button' });
    remove.onclick = () => {
      const next = tr.nextElementSibling ?? tr.previousElementSibling;
      tr.remove();
      check();
      (next?.querySelector('input') ?? add).focus();
    };
    tr.insertCell().append(remove);
    return tr;
  }
  const sizes = () => modules.map((m) => m.box.value);
  function refreshPlan() {
    keep(MODULES_KEY, sizes());
    const answer = rules.planModules(RESULTS.map((id) => document.getElementById(id).textContent), sizes());
    const text = (answer.problems.length ? answer.problems : answer.lines).join('\n');
    if (plan.textContent !== text) plan.textContent = text;
  }

  for (const cells of stored(ROWS_KEY, [])) addRow(cells.map(String));
  body.addEventListener('input', check);
  add.onclick = () => {
    addRow()?.querySelector('input').focus();
    check();
  };
  fill.onclick = () => {
    check();
    if (result.power === '') return;
    typeInto('Text1', result.power);
    typeInto('Text3', result.hours);
  };
  for (const { box } of modules) box.addEventListener('input', refreshPlan);
  // The plan follows the results as the window's handlers write them.
  const watch = new MutationObserver(refreshPlan);
  for (const id of RESULTS)
    watch.observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
  check();
  refreshPlan();
  return {
    panel,
    field: () => rules.encodeList(rows()),
    sheet: (record, inputs, now, address) =>
      rules.sheet(record, inputs, now, address, { rows: rows(), modules: sizes() }),
    // A malformed field leaves the list as it is.
    load(field) {
      const list = rules.decodeList(field);
      if (!list) return;
      body.replaceChildren();
      for (const cells of list) addRow(cells);
      check();
    },
  };
}
