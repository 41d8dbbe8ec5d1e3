// The sizing sheet that printing gives instead of the window, and the action
// beside the window that shows the link's QR code for a phone. The core makes
// both, as the desktop's (design/sizing_sheet.cpp); this writes them as HTML.
// Loaded once the window stands; the QR encoder, qr.js, once a code is first
// needed. Every byte here counts towards the first visit.

// The core's kinds of piece, in their order there.
const [TITLE, LINE, HEADING, ROW, NOTICE, LINK, CODE, CELLS] = [0, 1, 2, 3, 4, 5, 6, 7];

let encode = null; // the encoder, once loaded
let loading = null;
const loadEncoder = () =>
  (loading ??=
     import('./qr.js').then((m) => { encode = (link) => m.generate(link, { minCorrectionLevel: m.correction.M }); }));

// texts: the page's #window-texts; core: the calculation core; page: the
// window's record of its last 计算, its inputs now and its notices' line rule.
export function start(texts, core, page) {
  const { action: actionWords, hint, margin, caption, code: codeMm, quiet } = texts.sheet;
  const $ = (id) => document.getElementById(id);
  const make = (tag, text, id = '') => Object.assign(document.createElement(tag), { textContent: text ?? '', id });
  // The look, added to the page's own style sheet one rule at a time: the
  // action beside the window (below it where there is no room, none on a
  // phone), the sheet on paper only; long texts wrap inside their column.
  const style = document.styleSheets[0];
  for (
    const rule of
      ['#phone{position:absolute;top:8px;width:180px;font:12px var(--dialog-font)}',
       '#phone svg{display:block;margin-top:8px}',
       '@media (max-width:779.98px){#phone{position:static;margin-top:12px}}',
       '@media (max-width:639.98px){#phone{display:none}}',
       '#sheet{display:none}',
       `@media print{@page{margin:${
         margin}mm}html,body{background:#fff;padding:0}body>:not(#sheet){display:none!important}` +
         '#sheet{display:block;color:#000;font:11pt/1.45 var(--dialog-font)}#sheet h1{font-size:16pt;margin:0}' +
         '#sheet h2{font-size:12pt;margin:5mm 0 1mm;border-bottom:.3mm solid}#sheet p{margin:0 0 1mm;white-space:pre-wrap}' +
         `#sheet table{table-layout:fixed;width:100%;border-spacing:0}#sheet th{font-weight:normal;text-align:left;width:${
           caption}mm}` +
         `#sheet th,#sheet td,#link{overflow-wrap:anywhere;vertical-align:top}#link{font-size:9pt}#sheet svg{width:${
           codeMm}mm;margin-top:2mm}}`,
  ])
    style.insertRule(rule, style.cssRules.length);

  // A code's SVG: one path of modules on a white square with the quiet zone.
  let drawn = ['', ''];
  function codeOf(link) {
    if (drawn[0] === link) return drawn[1];
    const code = encode(link);
    const n = code.size + 2 * quiet;
    let d = '';
    for (let y = 0; y < code.size; ++y)
      for (let x = 0; x < code.size; ++x)
        if (code.get(x, y)) d += `M${x} ${y}h1v1h-1z`;
    drawn = [
      link,
      `<svg viewBox="-${quiet} -${quiet} ${n} ${n}" shape-rendering="crispEdges"><path fill="#fff" d="M-${quiet}-${
        quiet}h${n}v${n}H-${quiet}z"/><path d="${d}"/></svg>`
    ];
    return drawn[1];
  }

  // Pieces as HTML; rows in a row stand in one table.
  function write(into, pieces) {
    let table = null;
    for (const { kind, text, value } of pieces) {
      if (kind !== ROW && kind !== CELLS) table = null;
      if (kind === TITLE) into.append(make('h1', text));
      if (kind === LINE) into.append(make('p', text));
      if (kind === HEADING) into.append(make('h2', text));
      if (kind === NOTICE) into.append(make('p', page.noticeLines(text)));
      if (kind === LINK) into.append(make('p', text, into === sheet ? 'link' : ''));
      if (kind === CODE && encode) into.insertAdjacentHTML('beforeend', codeOf(text));
      if (kind === ROW || kind === CELLS) {
        if (!table) into.append(table = make('table'));
        const cells = kind === ROW ? [make('th', text), make('td', value)]
                                   : text.split('\t').slice(0, -1).map((c) => make('td', c));
        table.insertRow().append(...cells);
      }
    }
  }

  const sheet = make('section', '', 'sheet');
  const phone = make('aside', '', 'phone');
  const action = make('button', actionWords);
  const code = make('div');
  phone.style.left = `${$('Form1').offsetWidth + 24}px`;
  code.hidden = true;
  action.setAttribute('aria-expanded', false);
  phone.append(action, code);
  document.body.append(phone, sheet);

  const address = () => location.href.split('#')[0];
  function fill() {
    sheet.replaceChildren();
    write(sheet, page.sheet(page.record(), page.inputs(), new Date(), address()));
    if (code.hidden) return;
    // The action follows the window as it is, its link alone on screen.
    code.replaceChildren();
    write(code, core.link(page.inputs(), address(), page.listField()).filter((p) => p.kind !== LINK));
    if (code.querySelector('svg')) code.append(make('p', hint));
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
