// The Vorlaine window in the browser. The page itself is written from the
// window's control table; this module gives it the desktop window's handlers
// and asks the calculation core, compiled to WebAssembly, for every result.

// ---- The calculation core --------------------------------------------------

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The core module's imports: it only reports memory growth and, on a fault
// that cannot happen in normal use, asks to exit.
function coreImports(module) {
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    if (kind !== 'function') continue;
    imports[from] ??= {};
    imports[from][name] = name === 'emscripten_notify_memory_growth'
      ? () => {}
      : (...args) => { throw new Error(`core called ${from}.${name}(${args.join(', ')})`); };
  }
  return imports;
}

export class Core {
  // `source` is the module's URL, or its bytes.
  static async load(source) {
    let instance;
    if (source instanceof ArrayBuffer || ArrayBuffer.isView(source)) {
      const module = await WebAssembly.compile(source);
      instance = await WebAssembly.instantiate(module, coreImports(module));
    } else {
      const module = await WebAssembly.compileStreaming(fetch(source));
      instance = await WebAssembly.instantiate(module, coreImports(module));
    }
    return new Core(instance.exports);
  }

  constructor(exports) {
    this.exports = exports;
    exports._initialize?.();
  }

  // The request bytes: length-prefixed UTF-8 texts, then single bytes.
  #send(texts, bytes = []) {
    const encoded = texts.map((t) => encoder.encode(t));
    const size = encoded.reduce((n, e) => n + 4 + e.length, 0) + bytes.length;
    const at = this.exports.input_buffer(size);
    const view = new DataView(this.exports.memory.buffer, at, size);
    const raw = new Uint8Array(this.exports.memory.buffer, at, size);
    let pos = 0;
    for (const e of encoded) {
      view.setUint32(pos, e.length, true);
      raw.set(e, pos + 4);
      pos += 4 + e.length;
    }
    raw.set(bytes, pos);
  }

  // The answer: a count, then kind byte and two length-prefixed texts each.
  #effects() {
    const at = this.exports.output_data();
    const size = this.exports.output_size();
    const view = new DataView(this.exports.memory.buffer, at, size);
    const raw = new Uint8Array(this.exports.memory.buffer, at, size);
    let pos = 4;
    const text = () => {
      const length = view.getUint32(pos, true);
      const t = decoder.decode(raw.subarray(pos + 4, pos + 4 + length));
      pos += 4 + length;
      return t;
    };
    const effects = [];
    for (let n = view.getUint32(0, true); n > 0; --n) {
      const kind = raw[pos++];
      const [first, second] = [text(), text()];
      effects.push(kind === 0 ? { notice: { title: first, text: second } }
                              : { caption: { label: first, text: second } });
    }
    return effects;
  }

  // texts: Text1 to Text10; check2: 0 or 1; option: 0 for none, 1 to 4.
  calculate(texts, check2, option) {
    this.#send(texts, [check2, option]);
    if (this.exports.calculate() !== 0) throw new Error('malformed request');
    return this.#effects();
  }

  // The effect of a change of the rainy-days box: Text5's new text or a notice.
  rainyInterval(text) {
    const bytes = encoder.encode(text);
    new Uint8Array(this.exports.memory.buffer, this.exports.input_buffer(bytes.length),
      bytes.length).set(bytes);
    this.exports.rainy_interval();
    return this.#effects()[0];
  }

  // `count` calculations over the same inputs inside the module; the count of
  // effects of the last one.
  calculateRepeatedly(texts, check2, option, count) {
    this.#send(texts, [check2, option]);
    return this.exports.calculate_repeatedly(count);
  }
}

// ---- The window ------------------------------------------------------------

function startWindow() {
  const $ = (id) => document.getElementById(id);
  const form = $('Form1');
  const text = (n) => $(`Text${n}`);
  const check = (n) => $(`Check${n}`);
  const option = (n) => $(`Option${n}`);
  const captionOf = (input) => input.closest('label').textContent;
  const windowTexts = JSON.parse($('window-texts').textContent);
  // The result labels' unit-only captions, as the page was written.
  const units = ['Label12', 'Label8', 'Label9', 'Label13', 'Label15']
    .map((id) => [id, $(id).textContent]);
  // The calculation core is fetched and compiled once the window is drawn, so
  // that its compilation does not hold back the first drawing on a small
  // machine; whatever needs it before then waits for it.
  let startCore;
  const core = new Promise((start) => { startCore = start; })
    .then(() => Core.load(new URL('vorlaine.wasm', import.meta.url)));
  let coreReady = null; // the core itself, once it is there

  // Writes from code raise the handlers a user's action would, before they return.
  const handlers = new Map();
  function setText(box, value) {
    if (box.value === value) return;
    box.value = value;
    handlers.get(box)?.();
  }
  function setCheck(box, ticked) {
    if (box.checked === ticked) return;
    box.checked = ticked;
    handlers.get(box)?.();
  }
  function selectOption(n) {
    if (option(n).checked) return;
    option(n).checked = true;
    optionSelected(n);
  }
  function setLabelEnabled(label, enabled) {
    if (enabled) label.removeAttribute('aria-disabled');
    else label.setAttribute('aria-disabled', 'true');
  }

  // ---- Notices: modal, the handler that shows one waits for it.
  const notice = $('notice');
  let noticeQueue = Promise.resolve();
  function showNotice(message, title) {
    const shown = noticeQueue.then(() => new Promise((closed) => {
      const back = document.activeElement;
      $('notice-title').textContent = title;
      // Notices end their lines with a bare carriage return.
      $('notice-text').textContent = message.replaceAll('\r', '\n');
      notice.addEventListener('close', () => {
        if (back && back !== document.body) back.focus();
        closed();
      }, { once: true });
      notice.showModal();
      $('notice-ok').focus();
    }));
    noticeQueue = shown;
    return shown;
  }
  $('notice-ok').addEventListener('click', () => notice.close());

  function apply(effect) {
    if (effect.notice) return showNotice(effect.notice.text, effect.notice.title);
    const target = $(effect.caption.label);
    if (target instanceof HTMLInputElement) setText(target, effect.caption.text);
    else target.textContent = effect.caption.text;
    return undefined;
  }

  // ---- The handlers, as on the desktop.
  function Form_Load() {
    setCheck(check(1), true);
    selectOption(1);
    text(7).disabled = true;
    setLabelEnabled($('Label4'), false);
  }

  function Form_DblClick() {
    return showNotice(windowTexts.about_text, windowTexts.about_title);
  }

  async function Command1_Click() {
    const ready = await core;
    const texts = Array.from({ length: 10 }, (_, i) => text(i + 1).value);
    const chosen = [1, 2, 3, 4].find((n) => option(n).checked) ?? 0;
    for (const effect of ready.calculate(texts, check(2).checked ? 1 : 0, chosen))
      await apply(effect);
    form.dataset.calculated = String(Number(form.dataset.calculated ?? 0) + 1);
  }

  function Command2_Click() {
    const defaultOf = (n) => text(n).defaultValue;
    setText(text(6), defaultOf(6));
    setText(text(7), defaultOf(7));
    setText(text(8), defaultOf(8));
    for (const n of [1, 2, 3]) setText(text(n), '');
    setText(text(4), defaultOf(4));
    setText(text(5), defaultOf(5));
    setText(text(9), '');
    setText(text(10), '');
    selectOption(1);
    setCheck(check(1), true);
    text(7).disabled = true;
    setLabelEnabled($('Label4'), false);
    setCheck(check(2), false);
    setCheck(check(3), false);
    setCheck(check(4), false);
    for (const [id, unit] of units) $(id).textContent = unit;
  }

  function Check2_Click() {
    const ticked = check(2).checked;
    text(7).disabled = !ticked;
    setLabelEnabled($('Label4'), ticked);
  }

  function optionSelected(n) {
    // The four options are one tab stop, at the selected one.
    for (const m of [1, 2, 3, 4])
      option(m).tabIndex = m === n ? Number(option(m).dataset.tab) : -1;
    $('Label18').textContent = captionOf(option(n));
  }

  // Runs at once when the core is there, so that 清除's next write follows it.
  function Text4_Change() {
    setText(text(5), '');
    const run = (c) => apply(c.rainyInterval(text(4).value));
    if (coreReady) run(coreReady);
    else core.then(run);
  }

  // ---- Wiring.
  for (const n of [1, 2, 3, 4]) option(n).dataset.tab = option(n).tabIndex;
  handlers.set(text(4), Text4_Change);
  handlers.set(check(2), Check2_Click);
  text(4).addEventListener('input', Text4_Change);
  check(2).addEventListener('change', Check2_Click);
  for (const n of [1, 2, 3, 4])
    option(n).addEventListener('change', () => { if (option(n).checked) optionSelected(n); });
  $('Command1').addEventListener('click', Command1_Click);
  $('Command2').addEventListener('click', Command2_Click);
  form.addEventListener('dblclick', (event) => {
    // Only the bare background: a double click on a control is the control's.
    if (event.target === form) Form_DblClick();
  });
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Tab') moveFocus(event);
  });

  // The tab key goes through the stops in tab index order and wraps round, as
  // in the desktop window; disabled controls and unselected options are skipped.
  function moveFocus(event) {
    const stops = [...form.querySelectorAll('input, button')]
      .filter((e) => e.tabIndex > 0 && !e.disabled)
      .sort((a, b) => a.tabIndex - b.tabIndex);
    if (stops.length === 0) return;
    event.preventDefault();
    const at = stops.indexOf(document.activeElement);
    const step = event.shiftKey ? -1 : 1;
    const next = at < 0 ? (step > 0 ? 0 : stops.length - 1)
                        : (at + step + stops.length) % stops.length;
    stops[next].focus();
  }

  Form_Load();
  form.dataset.loaded = 'true';
  text(1).focus();

  // When the window stands drawn with its fonts (the frame after the next one
  // has begun), and when the core is ready as well; a click on 计算 before
  // that waits for the core.
  const drawn = document.fonts.ready.then(() => new Promise((done) => requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      window.vorlaineDrawnAt = performance.now();
      done();
    };
    channel.port2.postMessage(null);
  })));
  drawn.then(startCore);
  core.then((c) => {
    coreReady = c;
    form.dataset.ready = 'true';
  });

  if ('serviceWorker' in navigator && location.protocol.startsWith('http'))
    addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
}

// The page runs this module as its own inline script; the file itself is for
// those who only want the core, and must not start the window a second time.
if (typeof document !== 'undefined' && !document.getElementById('Form1')?.dataset.loaded)
  startWindow();
