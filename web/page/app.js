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
      effects.push(
        kind === 0 ? { notice: { title: first, text: second } } : { caption: { label: first, text: second } });
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
    new Uint8Array(this.exports.memory.buffer, this.exports.input_buffer(bytes.length), bytes.length).set(bytes);
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
  const check = (n) => $(`Check${n}`);
  const option = (n) => $(`Option${n}`);
  const captionOf = (input) => input.closest('label').textContent;
  // The window's own texts and states, from the table the desktop is built from.
  const windowTexts = JSON.parse($('window-texts').textContent);
  const textBoxes = windowTexts.text_boxes.map($); // in the core's order
  const { start, results } = windowTexts;
  const rainyDays = $(windowTexts.rainy_days);
  const rainyInterval = $(windowTexts.rainy_interval.id);
  // The result labels' unit-only captions, as the page was written.
  const units = results.map(({ id }) => [id, $(id).textContent]);
  // The calculation core is fetched and compiled once the window is drawn, so
  // that its compilation does not hold back the first drawing on a small
  // machine; whatever needs it before then waits for it.
  let startCore;
  const core =
    new Promise((begin) => { startCore = begin; }).then(() => Core.load(new URL('vorlaine.wasm', import.meta.url)));
  let coreReady = null; // the core itself, once it is there

  // ---- Handlers run one at a time, in the order the user acted, even while
  // one waits for the core or for a notice to be closed.
  let queue = Promise.resolve();
  function enqueue(handler, afterwards = updateLink) {
    // A failure is reported and the queue goes on: one fault must not stop
    // every later handler.
    queue = queue.then(handler)
              .catch(reportError)
              .then(() => {
                announce();
                afterwards();
              })
              .catch(reportError);
    return queue;
  }

  // Writes from code raise the handlers a user's action would, and finish them.
  const handlers = new Map();
  async function setText(box, value) {
    if (box.value === value) return;
    box.value = value;
    if (box === rainyInterval && document.activeElement === rainyDays) heard.interval = true;
    await handlers.get(box)?.();
  }
  async function setCheck(box, ticked) {
    if (box.checked === ticked) return;
    box.checked = ticked;
    await handlers.get(box)?.();
  }
  function selectOption(box) {
    if (box.checked) return;
    box.checked = true;
    optionSelected(box);
  }
  function setEnabled(control, enabled) {
    if (control instanceof HTMLInputElement) control.disabled = !enabled;
    else if (enabled) control.removeAttribute('aria-disabled');
    else control.setAttribute('aria-disabled', 'true');
  }
  function writeResult(id, caption) {
    $(id).textContent = caption;
    heard.results = true;
  }

  // ---- What a screen reader is told once a handler is done, as the desktop
  // tells it: the five results with their names, or the new rainy-day interval.
  const announcer = $('announcer');
  const heard = { results: false, interval: false };
  function announce() {
    const parts = [];
    if (heard.results) parts.push(...results.map(({ id, name }) => `${name} ${$(id).textContent.trim()}`));
    if (heard.interval) parts.push(`${windowTexts.rainy_interval.name} ${rainyInterval.value.trim()}`);
    heard.results = heard.interval = false;
    if (parts.length === 0) return;
    const message = parts.join(windowTexts.separator);
    // The same words again are news only if the region was emptied first.
    if (announcer.textContent !== message) announcer.textContent = message;
    else {
      announcer.textContent = '';
      setTimeout(() => { announcer.textContent = message; }, 100);
    }
  }

  // ---- Notices: modal, the handler that shows one waits for it.
  const notice = $('notice');
  function showNotice(message, title) {
    return new Promise((closed) => {
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
    });
  }
  $('notice-ok').addEventListener('click', () => notice.close());

  async function apply(effect) {
    if (effect.notice) return showNotice(effect.notice.text, effect.notice.title);
    const target = $(effect.caption.label);
    if (target instanceof HTMLInputElement) return setText(target, effect.caption.text);
    return writeResult(effect.caption.label, effect.caption.text);
  }

  // ---- The handlers, as on the desktop.
  async function Form_Load() {
    for (const id of start.checked) {
      if ($(id).type === 'radio') selectOption($(id));
      else await setCheck($(id), true);
    }
    enableInverterControls(false);
  }

  function Form_DblClick() {
    return showNotice(windowTexts.about_text, windowTexts.about_title);
  }

  async function Command1_Click() {
    const ready = coreReady ?? await core;
    const texts = textBoxes.map((box) => box.value);
    const chosen = [1, 2, 3, 4].find((n) => option(n).checked) ?? 0;
    for (const effect of ready.calculate(texts, check(2).checked ? 1 : 0, chosen)) await apply(effect);
    form.dataset.calculated = String(Number(form.dataset.calculated ?? 0) + 1);
    // On a phone the results lie above the fields: bring them into view.
    if (narrow.matches) $(results[0].id).scrollIntoView({ block: 'start' });
  }

  async function Command2_Click() {
    for (const id of windowTexts.clear_texts) await setText($(id), $(id).defaultValue);
    await Form_Load();
    for (const box of form.querySelectorAll('input[type="checkbox"]'))
      if (!start.checked.includes(box.id)) await setCheck(box, false);
    for (const [id, unit] of units) writeResult(id, unit);
  }

  function Check2_Click() {
    enableInverterControls(check(2).checked);
  }

  // The controls greyed at start are the inverter's, enabled by 需要逆变器.
  function enableInverterControls(enabled) {
    for (const id of start.disabled) setEnabled($(id), enabled);
  }

  function optionSelected(chosen) {
    // The four options are one tab stop, at the selected one.
    for (const m of [1, 2, 3, 4]) option(m).tabIndex = option(m) === chosen ? Number(option(m).dataset.tab) : -1;
    $(windowTexts.option_caption).textContent = captionOf(chosen);
  }

  async function Text4_Change() {
    await setText(rainyInterval, '');
    const ready = coreReady ?? await core;
    await apply(ready.rainyInterval(rainyDays.value));
  }

  // ---- The inputs in the page's address, for a link to them. Only the
  // fragment: it never reaches a server.
  const checkBoxes = [...form.querySelectorAll('input[type="checkbox"]')];
  const radios = [...form.querySelectorAll('input[type="radio"]')];
  const optionNumber = (box) => box.id.replace(/^\D+/, '');

  function updateLink() {
    const fields = new URLSearchParams();
    const chosen = radios.find((r) => r.checked);
    if (chosen && !start.checked.includes(chosen.id)) fields.set('Option', optionNumber(chosen));
    for (const box of checkBoxes)
      if (!box.disabled && box.checked !== start.checked.includes(box.id)) fields.set(box.id, box.checked ? '1' : '0');
    for (const box of textBoxes)
      if (box.value !== box.defaultValue) fields.set(box.id, box.value);
    const link = fields.toString();
    const address = location.pathname + location.search + (link ? `#${link}` : '');
    if (address === location.pathname + location.search + location.hash) return;
    try {
      history.replaceState(history.state, '', address);
    } catch {
      // WebKit allows 100 address changes in 30 s: the link catches up later.
      clearTimeout(linkRetry);
      linkRetry = setTimeout(updateLink, 1000);
    }
  }
  let linkRetry;

  // Fills the window from a link as if typed: the choices first, then the
  // boxes in their order, so that a typed 阴雨天数 rewrites 阴雨天间格 before
  // the link's own 阴雨天间格 comes. Anything else is left alone.
  async function followLink(fragment) {
    if (fragment.length > 2000) return;
    const fields = new Map(new URLSearchParams(fragment));
    const usable = (box) => box && form.contains(box) && !box.disabled;
    const chosen = radios.find((r) => optionNumber(r) === fields.get('Option'));
    if (usable(chosen)) {
      selectOption(chosen);
    }
    for (const box of checkBoxes)
      if (usable(box) && ['0', '1'].includes(fields.get(box.id))) await setCheck(box, fields.get(box.id) === '1');
    for (const box of textBoxes) {
      const value = fields.get(box.id);
      if (usable(box) && value !== undefined && value.length <= 100) await setText(box, value);
    }
  }

  // ---- Wiring.
  const narrow = matchMedia('(max-width: 639.98px)');
  for (const n of [1, 2, 3, 4]) option(n).dataset.tab = option(n).tabIndex;
  handlers.set(rainyDays, Text4_Change);
  handlers.set(check(2), Check2_Click);
  rainyDays.addEventListener('input', () => enqueue(Text4_Change));
  check(2).addEventListener('change', () => enqueue(Check2_Click));
  for (const n of [1, 2, 3, 4])
    option(n).addEventListener('change', () => enqueue(() => option(n).checked && optionSelected(option(n))));
  $('Command1').addEventListener('click', () => enqueue(Command1_Click));
  $('Command2').addEventListener('click', () => enqueue(Command2_Click));
  // Any other typing only changes the link, in its turn.
  form.addEventListener('input', () => enqueue(() => {}));
  form.addEventListener('dblclick', (event) => {
    // Only the bare background: a double click on a control is the control's.
    if (event.target === form) enqueue(Form_DblClick);
  });
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' || event.code === 'Tab') moveFocus(event);
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
    const next = at < 0 ? (step > 0 ? 0 : stops.length - 1) : (at + step + stops.length) % stops.length;
    stops[next].focus();
  }

  // Form_Load's writes raise no handler that waits, so the window stands as
  // it leaves it before it is first drawn.
  enqueue(Form_Load, () => {});
  form.dataset.loaded = 'true';
  textBoxes[0].focus();
  if (location.hash.length > 1) enqueue(() => followLink(location.hash.slice(1)));

  // When the window stands drawn with its fonts (the frame after the next one
  // has begun), and when the core is ready as well; a click on 计算 before
  // that waits for the core.
  const nextTask = () => new Promise((done) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = done;
    channel.port2.postMessage(null);
  });
  const drawn = document.fonts.ready.then(() => new Promise(requestAnimationFrame))
                  .then(nextTask)
                  .then(() => { window.vorlaineDrawnAt = performance.now(); });
  drawn.then(startCore);
  core.then((c) => {
    coreReady = c;
    form.dataset.ready = 'true';
    // Registered once the core is here, so that the worker keeps what the
    // visit fetched instead of fetching it again; always asked for anew, so
    // that a new version is found on the next visit.
    if ('serviceWorker' in navigator && location.protocol.startsWith('http'))
      navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
  });
}

// The page runs this module as its own inline script; the file itself is for
// those who only want the core, and must not start the window a second time.
if (typeof document !== 'undefined' && !document.getElementById('Form1')?.dataset.loaded) startWindow();
