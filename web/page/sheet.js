// The sizing sheet the page prints (hidden on screen), and the action beside
// the window that shows the link's QR code for a phone. Loaded once the window
// stands; the QR encoder (qr.js) only when a code is first needed.

const SVG = 'http://www.w3.org/2000/svg';
let encoder = null; // the encoder's generate(), once it is here
let encoderLoad = null;

function loadEncoder() {
  encoderLoad ??= import('./qr.js').then((m) => { encoder = m.generate; });
  return encoderLoad;
}

// The code as an SVG of one path, with its quiet zone of four modules.
function codeOf(link) {
  const code = encoder(link);
  let path = '';
  for (let y = 0; y < code.size; ++y)
    for (let x = 0; x < code.size; ++x)
      if (code.get(x, y)) path += `M${x} ${y}h1v1h-1z`;
  const svg = document.createElementNS(SVG, 'svg');
  svg.setAttribute('viewBox', `-4 -4 ${code.size + 8} ${code.size + 8}`);
  svg.setAttribute('shape-rendering', 'crispEdges');
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', link);
  const back = document.createElementNS(SVG, 'rect');
  for (const [k, v] of [['x', -4], ['y', -4], ['width', code.size + 8], ['height', code.size + 8], ['fill', '#fff']])
    back.setAttribute(k, v);
  const modules = document.createElementNS(SVG, 'path');
  modules.setAttribute('d', path);
  svg.append(back, modules);
  return svg;
}

const two = (n) => String(n).padStart(2, '0');
// Local date and time, the same form on every browser and on the desktop.
function now() {
  const d = new Date();
  return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())} ${two(d.getHours())}:${two(d.getMinutes())}`;
}

// `view` is the window's side (app.js): $(id), its texts, the current link,
// the notice the last calculation ended with, and a caption's text.
export function start(view) {
  const { $, texts } = view;
  const words = texts.sheet;
  const sheet = $('sheet');
  const phone = $('phone');
  const action = $('phone-action');
  const code = $('phone-code');
  const element = (tag, text, className) => {
    const e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    if (className) e.className = className;
    return e;
  };
  const table = (rows) => {
    const t = element('table');
    for (const [caption, value] of rows) {
      const tr = t.insertRow();
      tr.append(element('th', caption), element('td', value));
    }
    return t;
  };
  const withUnit = (value, unit) => (unit ? `${value} ${unit}` : value);

  function fill() {
    const chosen = [1, 2, 3, 4].find((n) => $(`Option${n}`).checked);
    const kind = chosen ? view.captionOf($(`Option${chosen}`)) : '';
    const inputs = [];
    for (const { id, caption, unit } of words.rows) {
      if (id === words.sunshine) {
        inputs.push([words.kind, kind]);
        inputs.push([kind || caption, withUnit($(id).value, chosen ? words.sunshine_units[chosen - 1] : '')]);
      } else inputs.push([caption, withUnit($(id).value, unit)]);
    }
    const inverter = $(words.inverter);
    inputs.push([view.captionOf(inverter), inverter.checked ? words.yes : words.no]);
    if (inverter.checked) inputs.push([words.inverter_box.caption, $(words.inverter_box.id).value]);
    const results = texts.results.map(({ id, name }) => [name, $(id).textContent.trim()]);
    const notice = view.notice();
    const link = view.link();
    const parts = [
      element('h1', `${words.name} ${words.title}`),
      element('p', `${words.date} ${now()}`, 'date'),
      element('h2', words.inputs),
      table(inputs),
      element('h2', words.results),
      table(results),
    ];
    if (notice) parts.push(element('p', `${notice.title}: ${notice.text.replaceAll('\r', '\n')}`, 'notice'));
    parts.push(element('h2', words.link), element('p', link, 'link'));
    if (encoder) parts.push(codeOf(link));
    sheet.replaceChildren(...parts);
    if (!code.hidden && encoder) code.replaceChildren(codeOf(link), element('p', words.phone_hint));
  }

  async function showCode(shown) {
    action.setAttribute('aria-expanded', String(shown));
    code.hidden = !shown;
    if (shown) await loadEncoder();
    fill();
  }

  action.addEventListener('click', () => showCode(code.hidden));
  // The keyboard's print waits for the code; a menu's print takes the sheet as
  // it stands, with the code once it has been needed in this visit or before.
  document.addEventListener('keydown', async (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.key.toLowerCase() !== 'p' || event.altKey) return;
    event.preventDefault();
    await loadEncoder();
    fill();
    print();
  });
  addEventListener('beforeprint', () => {
    fill();
    loadEncoder().then(fill);
  });
  // A visit after the first has the encoder in the worker's copy already.
  if (navigator.serviceWorker?.controller) loadEncoder().then(fill);
  phone.hidden = false;
  fill();
  return { changed: fill };
}
