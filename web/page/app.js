// The Vorlaine window in the browser. The page itself is written from the
// window's control table; this module gives it the desktop window's handlers
// and asks the calculation core (core.js, fetched once the window is drawn)
// for every result.

// ---- The window ------------------------------------------------------------

// Handlers are generators, so that they run as the desktop's do: at once and
// to their end inside the event that raised them, a write from code raising
// its own handler before it returns. A notice is the one thing that waits: a
// modal <dialog> closes in a later task, where Qt's box runs a nested event
// loop. The handler yields the notice's promise and goes on once it is closed.
// Returns nothing when the handler ran to its end, else the promise of its end.
function drive(steps) {
  for (let step = steps.next(); !step.done; step = steps.next())
    if (step.value instanceof Promise) return step.value.then(() => drive(steps));
}

function startWindow() {
  const $ = (id) => document.getElementById(id);
  const form = $('Form1');
  const option = (n) => $(`Option${n}`);
  const inputs = [...form.querySelectorAll('input')];
  const checkBoxes = inputs.filter((e) => e.type === 'checkbox');
  const radios = inputs.filter((e) => e.type === 'radio');
  const captionOf = (input) => input.closest('label').textContent;
  // The window's own texts and states, from the table the desktop is built from.
  const windowTexts = JSON.parse($('window-texts').textContent);
  const textBoxes = windowTexts.text_boxes.map($); // in the core's order
  const { start, results } = windowTexts;
  const rainyDays = $(windowTexts.rainy_days);
  const rainyInterval = $(windowTexts.rainy_interval.id);
  const inverter = $(windowTexts.inverter);
  // The result labels' unit-only captions, as the page was written.
  const units = results.map(({ id }) => [id, $(id).textContent]);

  // ---- The calculation core, fetched once the window is drawn, so that its
  // compilation does not hold back the first drawing on a small machine. A
  // load that failed is tried again at the next 计算.
  let core = null;    // once it is here
  let loading = null; // the load under way
  let coreFailed = false;
  function loadCore() {
    loading ??= import('./core.js')
                  .then(({ Core }) => Core.load(new URL('vorlaine.wasm', import.meta.url)))
                  .then(coreArrived, coreMissing);
  }
  function coreArrived(loaded) {
    core = loaded;
    loading = null;
    form.dataset.ready = 'true';
    if (waiting.length > 0) run(playWaiting);
    else updateLink(); // what was typed before the core came
    // Registered once the core and the sheet's script are here, so that the
    // worker keeps what the visit fetched instead of fetching it again; always
    // asked for anew, so that a new version is found on the next visit.
    startSheet().then(() => {
      if ('serviceWorker' in navigator && location.protocol.startsWith('http'))
        navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
    });
  }
  // A 计算 that waited for the core is answered with a notice; whatever else
  // the person did keeps waiting, and the boxes keep what was typed.
  function coreMissing(error) {
    loading = null;
    coreFailed = true;
    console.warn(error);
    const asked = waiting.filter((a) => a.handler === Command1_Click);
    for (const a of asked) waiting.splice(waiting.indexOf(a), 1);
    if (asked.length > 0) run(() => noticeOf(windowTexts.core_missing));
  }

  // ---- Actions: what the person (or a link) did, with what it carried. With
  // the core here an action runs at once. Before, an action that needs the
  // core waits, and so does every action after it; they are played in order
  // when the core arrives, each against the window as it stood when it was
  // done: the texts and ticks it carried, over the window as it stood before
  // the first of them, with what the handlers played before it wrote.
  const waiting = [];
  const snapshot = () => new Map(inputs.map((e) => [e, e.type === 'text' ? e.value : e.checked]));
  let before;               // the window before the first waiting action
  let view = null;          // while they are played: the window as the replay has it
  const played = new Map(); // what the person last left in a control, played
  const valueOf = (e) => (view ? view.get(e) : e.type === 'text' ? e.value : e.checked);
  // A write from code, seen by the replay: it takes the place of what the person left.
  function wrote(e, value) {
    if (!view) return;
    view.set(e, value);
    played.delete(e);
  }

  function act(action) {
    if (view || waiting.length > 0 || (action.needsCore && !core)) {
      waiting.push(action);
      return;
    }
    run(action.handler);
    if (!core) before = snapshot();
  }

  function* playWaiting() {
    view = before;
    while (waiting.length > 0) {
      const { control, value, handler } = waiting.shift();
      if (control) {
        for (const e of control.type === 'radio' ? radios : [control]) view.set(e, e === control ? value : false);
        played.set(control, value);
      }
      // A fault is reported and the others are played: one fault must not
      // stop every later handler.
      try {
        if (handler) yield* handler();
      } catch (error) {
        reportError(error);
      }
    }
    view = null;
    // A handler never undoes what the person did after the action that
    // raised it: what was typed or clicked later stands, put back as the
    // person did it (an edit, a click), not as a write from code.
    for (const [e, value] of played) {
      if (e.type === 'text' && e.value !== value) e.setRangeText(value, 0, e.value.length, 'end');
      if (e.type !== 'text' && e.checked !== value) e.click();
    }
    played.clear();
  }

  // Runs a handler; once it is done, and any notice it opened is closed,
  // tells a screen reader what changed and writes the link.
  let running = 0;
  function run(handler) {
    ++running;
    let pending;
    try {
      pending = handler && drive(handler());
    } catch (error) {
      reportError(error);
    }
    if (pending) pending.catch(reportError).then(finished);
    else finished();
  }
  function finished() {
    if (--running > 0) return;
    announce();
    if (waiting.length === 0) updateLink();
    sheet?.(); // sizing-sheet hook
  }

  // Writes from code raise the handlers a user's action would, at once.
  const handlers = new Map();
  function* setText(box, value) {
    if (valueOf(box) === value) return;
    box.value = value;
    wrote(box, value);
    if (box === rainyInterval && document.activeElement === rainyDays) heard.interval = true;
    if (handlers.has(box)) yield* handlers.get(box)();
  }
  function* setCheck(box, ticked) {
    if (valueOf(box) === ticked) return;
    box.checked = ticked;
    wrote(box, ticked);
    if (handlers.has(box)) yield* handlers.get(box)();
  }
  function selectOption(box) {
    if (valueOf(box)) return;
    box.checked = true;
    for (const r of radios) wrote(r, r === box);
    optionSelected(box);
  }
  function setEnabled(control, enabled) {
    if (control instanceof HTMLInputElement) control.disabled = !enabled;
    else if (enabled) control.removeAttribute('aria-disabled');
    else control.setAttribute('aria-disabled', 'true');
  }
  function writeResult(id, caption) {
    $(id).textContent = caption;
    fitResult($(id));
    heard.results = true;
  }
  // A result wider than its label is drawn in the largest smaller size that
  // fits, so that it is read whole and leaves its neighbour alone; one that
  // fits keeps the stylesheet's size. Measured on a canvas: no layout to wait
  // for. On a phone each result takes the room it needs.
  const ruler = document.createElement('canvas').getContext('2d');
  function fitResult(output) {
    output.style.removeProperty('font-size');
    if (narrow.matches) return;
    const style = getComputedStyle(output);
    let size = parseFloat(style.fontSize);
    const width = () => {
      ruler.font = `${style.fontWeight} ${size}px ${style.fontFamily}`;
      return ruler.measureText(output.textContent).width;
    };
    const room = parseFloat(output.style.width);
    if (width() <= room) return;
    size *= room / width();
    // Glyph widths do not shrink in exact proportion to the size.
    while (width() > room && size > 4) size *= 0.97;
    output.style.fontSize = `${size}px`;
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

  // ---- Notices: modal; the handler that shows one yields until it is closed.
  // One raised while another is open follows it, as Qt's boxes stack.
  const notice = $('notice');
  let noticeClosed = Promise.resolve();
  function showNotice(message, title) {
    if (notice.open) return noticeClosed.then(() => showNotice(message, title));
    noticeClosed = new Promise((closed) => {
      const back = document.activeElement;
      $('notice-title').textContent = title;
      $('notice-text').textContent = noticeLines(message);
      notice.addEventListener('close', () => {
        if (back && back !== document.body) back.focus();
        closed();
      }, { once: true });
      notice.showModal();
      $('notice-ok').focus();
    });
    return noticeClosed;
  }
  $('notice-ok').addEventListener('click', () => notice.close());
  // Notices end their lines with a bare carriage return; the sheet prints them so too.
  const noticeLines = (text) => text.replaceAll('\r', '\n');
  function* noticeOf({ title, text }) {
    yield showNotice(text, title);
  }

  function* apply(effect) {
    if (effect.notice) return yield* noticeOf(effect.notice);
    const target = $(effect.caption.label);
    if (target instanceof HTMLInputElement) yield* setText(target, effect.caption.text);
    else writeResult(effect.caption.label, effect.caption.text);
  }

  // ---- The handlers, as on the desktop.
  function* Form_Load() {
    for (const id of start.checked) {
      if ($(id).type === 'radio') selectOption($(id));
      else yield* setCheck($(id), true);
    }
    enableInverterControls(false);
  }

  function* Form_DblClick() {
    yield* noticeOf({ title: windowTexts.about_title, text: windowTexts.about_text });
  }

  // The inputs a 计算 reads, as the core takes them.
  const windowInputs = () => ({
    texts: textBoxes.map(valueOf),
    check2: valueOf(inverter) ? 1 : 0,
    option: [1, 2, 3, 4].find((n) => valueOf(option(n))) ?? 0,
  });

  function* Command1_Click() {
    const inputs = windowInputs();
    const effects = core.calculate(inputs.texts, inputs.check2, inputs.option);
    record = { inputs, effects, pressed: new Date() }; // sizing-sheet hook
    for (const effect of effects) yield* apply(effect);
    form.dataset.calculated = String(Number(form.dataset.calculated ?? 0) + 1);
    // On a phone the results lie above the fields: bring them into view.
    if (narrow.matches) $(results[0].id).scrollIntoView({ block: 'start' });
  }

  function* Command2_Click() {
    record = null; // sizing-sheet hook: the results are emptied
    for (const id of windowTexts.clear_texts) yield* setText($(id), $(id).defaultValue);
    yield* Form_Load();
    for (const box of checkBoxes)
      if (!start.checked.includes(box.id)) yield* setCheck(box, false);
    for (const [id, unit] of units) writeResult(id, unit);
  }

  function* Check2_Click() {
    enableInverterControls(valueOf(inverter));
  }

  // The controls greyed at start are the inverter's, enabled by 需要逆变器.
  function enableInverterControls(enabled) {
    for (const id of start.disabled) setEnabled($(id), enabled);
  }

  function* Option_Click(chosen) {
    optionSelected(chosen);
  }

  function optionSelected(chosen) {
    // The four options are one tab stop, at the selected one.
    for (const m of [1, 2, 3, 4]) option(m).tabIndex = option(m) === chosen ? Number(option(m).dataset.tab) : -1;
    $(windowTexts.option_caption).textContent = captionOf(chosen);
  }

  function* Text4_Change() {
    yield* setText(rainyInterval, '');
    yield* apply(core.rainyInterval(valueOf(rainyDays)));
  }

  // ---- The inputs in the page's address, for a link to them. Only the
  // fragment: it never reaches a server. 清除 leaves the address before it in
  // the history, so that Back brings the boxes back.
  let pushNext = false;          // the next address is a new history entry
  let shownHash = location.hash; // the fragment the window stands for

  // The core writes the link (before it has come, the address waits for it).
  function updateLink() {
    if (!core) return;
    const [{ value: link }] = core.link(windowInputs(), '');
    const address = location.pathname + location.search + link;
    const push = pushNext;
    pushNext = false;
    if (address === location.pathname + location.search + location.hash) return;
    try {
      if (push) history.pushState(null, '', address);
      else history.replaceState(history.state, '', address);
      shownHash = location.hash;
    } catch {
      // WebKit allows 100 address changes in 30 s: the link catches up later.
      clearTimeout(linkRetry);
      linkRetry = setTimeout(updateLink, 1000);
    }
  }
  let linkRetry;

  function* Command2_Pressed() {
    updateLink();
    pushNext = true;
    yield* Command2_Click();
  }

  // Fills the window from a link as if typed: the choices first, then the
  // boxes in their order, so that a typed 阴雨天数 rewrites 阴雨天间格 before
  // the link's own 阴雨天间格 comes. Anything else is left alone.
  function* followLink(fragment) {
    for (const [name, value] of core.linkFields(fragment)) {
      const box = name === 'Option' ? option(value) : $(name);
      if (!box || box.disabled) continue;
      if (box.type === 'radio') selectOption(box);
      else if (box.type === 'checkbox') yield* setCheck(box, value === '1');
      else yield* setText(box, value);
    }
  }

  // A new fragment in an open tab (a pasted link, Back past 清除): the window
  // as opening that link shows it.
  function addressChanged() {
    if (location.hash === shownHash) return;
    const fragment = location.hash.slice(1);
    shownHash = location.hash;
    act({ needsCore: true, handler: () => openLink(fragment) });
  }
  function* openLink(fragment) {
    yield* Command2_Click();
    yield* followLink(fragment);
  }

  // ---- Sizing-sheet hook: sheet.js prints the sheet and shows the phone's code.
  let sheet = null;
  let record = null; // what the last 计算 read, wrote and said, and when
  const startSheet = () =>
    import('./sheet.js')
      .then((m) => { sheet = m.start(windowTexts, core, { record: () => record, inputs: windowInputs, noticeLines }); })
      .catch(reportError);

  // ---- Wiring.
  const narrow = matchMedia('(max-width: 639.98px)');
  narrow.addEventListener('change', () => {
    for (const { id } of results) fitResult($(id));
  });
  for (const n of [1, 2, 3, 4]) option(n).dataset.tab = option(n).tabIndex;
  handlers.set(rainyDays, Text4_Change);
  handlers.set(inverter, Check2_Click);
  form.addEventListener('input', ({ target: box }) => {
    if (box.type === 'text')
      act({ control: box, value: box.value, handler: handlers.get(box), needsCore: box === rainyDays });
  });
  form.addEventListener('change', ({ target: box }) => {
    if (box.type === 'checkbox') act({ control: box, value: box.checked, handler: handlers.get(box) });
    if (box.type === 'radio' && box.checked) act({ control: box, value: true, handler: () => Option_Click(box) });
  });
  $('Command1').addEventListener('click', () => {
    act({ needsCore: true, handler: Command1_Click });
    if (coreFailed) loadCore();
  });
  $('Command2').addEventListener('click', () => act({ needsCore: true, handler: Command2_Pressed }));
  form.addEventListener('dblclick', (event) => {
    // Only the bare background: a double click on a control is the control's.
    if (event.target === form) act({ handler: Form_DblClick });
  });
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' || event.code === 'Tab') moveFocus(event);
  });
  addEventListener('hashchange', addressChanged);
  addEventListener('popstate', addressChanged);

  // The tab key goes through the stops in tab index order and wraps round, as
  // in the desktop window; disabled controls and unselected options are
  // skipped. A text box reached by the keyboard has its text selected, as on
  // the desktop, so that typing replaces it.
  function moveFocus(event) {
    const stops = [...form.querySelectorAll('input, button')]
                    .filter((e) => e.tabIndex > 0 && !e.disabled)
                    .sort((a, b) => a.tabIndex - b.tabIndex);
    if (stops.length === 0) return;
    event.preventDefault();
    const at = stops.indexOf(document.activeElement);
    const step = event.shiftKey ? -1 : 1;
    const next = stops[at < 0 ? (step > 0 ? 0 : stops.length - 1) : (at + step + stops.length) % stops.length];
    next.focus();
    if (next.type === 'text') next.select();
  }

  // Form_Load's writes raise no handler that waits, so the window stands as
  // it leaves it before it is first drawn; a link waits for the core.
  drive(Form_Load());
  before = snapshot();
  form.dataset.loaded = 'true';
  textBoxes[0].focus();
  if (location.hash.length > 1) {
    const fragment = location.hash.slice(1);
    act({ needsCore: true, handler: () => followLink(fragment) });
  }

  // When the window stands drawn with its fonts (the frame after the next one
  // has begun), the core is fetched.
  const nextTask = () => new Promise((done) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = done;
    channel.port2.postMessage(null);
  });
  document.fonts.ready.then(() => new Promise(requestAnimationFrame)).then(nextTask).then(() => {
    window.vorlaineDrawnAt = performance.now();
    loadCore();
  });
}

startWindow();
