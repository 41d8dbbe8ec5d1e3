// The sizing sheet that printing gives instead of the window, and the action
// beside the window that shows the link's QR code for a phone. Loaded once the
// window stands; the QR encoder, qr.js, once a code is first needed. Every
// byte here counts towards the first visit.

// The look, added to the page's own style sheet one rule at a time: the action beside the window
// (below it where there is no room, none on a phone), the sheet on paper only.
const STYLE = [
  '#phone{position:absolute;top:8px;width:180px;font:12px var(--dialog-font)}',
  '#phone svg{display:block;margin-top:8px}',
  '@media (max-width:779.98px){#phone{position:static;margin-top:12px}}',
  '@media (max-width:639.98px){#phone{display:none}}',
  '#sheet{display:none}',
  '@media print{@page{margin:15mm}html,body{background:#fff;padding:0}body>:not(#sheet){display:none!important}' +
    '#sheet{display:block;color:#000;font:11pt/1.45 var(--dialog-font)}#sheet h1{font-size:16pt;margin:0}' +
    '#sheet h2{font-size:12pt;margin:5mm 0 1mm;border-bottom:.3mm solid}#sheet p{margin:0 0 1mm;white-space:pre-wrap}' +
    '#sheet th{font-weight:normal;text-align:left;padding-right:8mm}#link{overflow-wrap:anywhere;font-size:9pt}' +
    '#sheet svg{width:40mm;margin-top:2mm}}',
];
let encode = null; // the encoder, once loaded
let loading = null;
const loadEncoder = () => (loading ??= import('./qr.js').then((m) => { encode = m.generate; }));

// The code's SVG: one path of modules on a white square with the quiet zone.
function codeOf(link) {
  const code = encode(link);
  const n = code.size + 8;
  let d = '';
  for (let y = 0; y < code.size; ++y)
    for (let x = 0; x < code.size; ++x)
      if (code.get(x, y)) d += `M${x} ${y}h1v1h-1z`;
  return `<svg viewBox="-4 -4 ${n} ${n}" shape-rendering="crispEdges"><path fill="#fff" d="M-4-4h${n}v${
    n}H-4z"/><path d="${d}"/></svg>`;
}

// Local date and time, in the desktop's form.
function now() {
  const d = new Date();
  const two = (n) => String(n).padStart(2, '0');
  const day = [d.getFullYear(), two(d.getMonth() + 1), two(d.getDate())].join('-');
  return `${day} ${two(d.getHours())}:${two(d.getMinutes())}`;
}

// texts: the page's #window-texts; notice(): what the last 计算 ended with.
export function start(texts, notice) {
  const { words, rows, sunshine, units, inverter: [check, box] } = texts.sheet;
  const $ = (id) => document.getElementById(id);
  const make = (tag, text, id = '') => Object.assign(document.createElement(tag), { textContent: text ?? '', id });
  const caption = (id) => $(id).labels[0].textContent.trim();
  const table = (list) => {
    const t = make('table');
    for (const [name, value] of list) t.insertRow().append(make('th', name), make('td', value));
    return t;
  };
  const style = document.styleSheets[0];
  for (const rule of STYLE) style.insertRule(rule, style.cssRules.length);
  const sheet = make('section', '', 'sheet');
  const phone = make('aside', '', 'phone');
  const action = make('button', words.action);
  const code = make('div');
  phone.style.left = `${$('Form1').offsetWidth + 24}px`;
  code.hidden = true;
  action.setAttribute('aria-expanded', false);
  phone.append(action, code);
  document.body.append(phone, sheet);

  function fill() {
    const chosen = [1, 2, 3, 4].find((n) => $(`Option${n}`).checked);
    const inputs = [];
    for (const [id, unit] of rows) {
      const u = id === sunshine ? units[chosen - 1] : unit;
      if (id === sunshine)
        inputs.push([
          document.querySelector('[role=radiogroup]').getAttribute('aria-label'), chosen && caption(`Option${chosen}`)
        ]);
      inputs.push([caption(id), u ? `${$(id).value} ${u}` : $(id).value]);
    }
    inputs.push([caption(check), $(check).checked ? words.yes : words.no]);
    if ($(check).checked) inputs.push([caption(box), $(box).value]);
    const n = notice();
    const link = location.href;
    sheet.replaceChildren(
      make('h1', `${document.title} ${words.title}`), make('p', `${words.date} ${now()}`), make('h2', words.inputs),
      table(inputs), make('h2', words.results),
      table(texts.results.map(({ id, name }) => [name, $(id).textContent.trim()])));
    if (n) sheet.append(make('p', `${n.title}: ${n.text.replaceAll('\r', '\n')}`));
    sheet.append(make('h2', words.link), make('p', link, 'link'));
    if (!encode) return;
    const svg = codeOf(link); // one encoding for the sheet and the action's code
    sheet.insertAdjacentHTML('beforeend', svg);
    if (code.hidden) return;
    code.innerHTML = svg;
    code.append(make('p', words.hint));
  }

  action.onclick = async () => {
    action.setAttribute('aria-expanded', code.hidden);
    code.hidden = !code.hidden;
    await loadEncoder();
    fill();
  };
  // The keyboard's print waits for the code; a menu's has it once it has been
  // needed, or on any visit after the first.
  addEventListener('keydown', async (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey || e.key.toLowerCase() !== 'p') return;
    e.preventDefault();
    await loadEncoder();
    fill();
    print();
  });
  addEventListener('beforeprint', () => {
    fill();
    loadEncoder().then(fill);
  });
  if (navigator.serviceWorker?.controller) loadEncoder().then(fill);
  fill();
  // Called after every handler: filled once the event is over, so that a
  // click or a keystroke does not wait for the sheet and its code; a print
  // fills it again first.
  let pending = false;
  return () => {
    if (pending) return;
    pending = true;
    setTimeout(() => {
      pending = false;
      fill();
    });
  };
}
