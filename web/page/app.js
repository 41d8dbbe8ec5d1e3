// The Vorlaine window in the browser. The page itself is written from the
// window's control table; this module gives it the desktop window's handlers
// and asks the calculation core (core.js, fetched once the window is drawn)
// for every result.

// ---- The window ------------------------------------------------------------

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
  // handler that needs it and finds it missing waits for it, as for a notice;
  // 计算 asks for it again after a failed load.
  let core = null;        // once it is here
  let loading = null;     // the load under way
  let coreFailed = false; // a load has failed
  let list = null;        // the load list once its panel is built: then in the link and the sheet
  let coreArrived;
  const coreHere = new Promise((arrived) => { coreArrived = arrived; });
  function loadCore() {
    return loading ??= import('./core.js')
                         .then(({ Core }) => Core.load(new URL('vorlaine.wasm', import.meta.url)))
                         .then(arrived, missing);
  }
  function arrived(loaded) {
    core = loaded;
    form.dataset.ready = 'true';
    coreArrived();
    updateLink(); // what was typed before the core came
    // Registered once the core and the sheet's script are here, so that the
    // worker keeps what the visit fetched instead of fetching it again; always
    // asked for anew, so that a new version is found on the next visit.
    startSheet().then(() => {
      if ('serviceWorker' in navigator && location.protocol.startsWith('http'))
        navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
    });
  }
  function missing(error) {
    loading = null;
    coreFailed = true;
    console.warn(error);
    pump();
  }

  // ---- One queue for what the person (or a link) does. Handlers are
  // generators, run one at a time in the order their actions came; a write
  // from code raises its own handler before it returns, as Qt's signals do. A
  // handler waits by yielding a promise: a notice's (a modal <dialog> closes
  // in a later task, where Qt's box runs a nested event loop) or the core's.
  // While it waits the later actions wait too, but once the core has failed
  // to load, a handler waiting for it steps aside and the others run as they
  // come; it goes on in its place when the core arrives.
  const queue = [];
  let current = null; // the action whose handler runs
  let clock = 0;
  let pumping = false;
  function act(action) {
    action.at ??= ++clock;
    queue.push(action);
    pump();
  }
  function pump() {
    if (pumping) return;
    pumping = true;
    let done = false;
    let i = 0;
    while (i < queue.length) {
      const action = queue[i];
      if (!action.waitingOn && drive(action)) {
        queue.splice(i, 1);
        done = true;
      } else if (action.waitingOn === coreHere && coreFailed) ++i;
      else break;
    }
    pumping = false;
    if (!done) return;
    // What changed is told and linked once the window stands still.
    announce();
    if (i === queue.length) updateLink();
    sheet?.(); // sizing-sheet hook
  }
  // Runs a handler to its end (true) or to what it waits for.
  function drive(action) {
    current = action;
    try {
      action.steps ??= action.handler();
      const { done, value } = action.steps.next();
      if (done) return true;
      action.waitingOn = value;
      value.then(() => {
        action.waitingOn = null;
        pump();
      });
      return false;
    } catch (error) {
      // A fault is reported and the queue goes on: one must not stop every later handler.
      reportError(error);
      return true;
    }
  }

  // What the person types, ticks or chooses shows at once and is played in
  // its turn: from then on the handlers see it. Until then they see what the
  // control held before (`held`, kept for every control), so that an action
  // reads the window as it stood when the person did it.
  const held = new Map(inputs.map((e) => [e, e.type === 'text' ? e.value : e.checked]));
  const changedAt = new Map(); // when the person last changed each control
  const sameControl = (box) => (box.type === 'radio' ? radios : [box]);
  const queued = (box) => queue.some((a) => a.control && !a.steps && sameControl(box).includes(a.control));
  const valueIn = (box) => (!queued(box) ? (box.type === 'text' ? box.value : box.checked) : held.get(box));
  let quiet = false; // the page puts back what the person did: no new action
  function edited(box) {
    if (quiet) return;
    const value = box.type === 'text' ? box.value : box.checked;
    const handler = box.type === 'radio' ? () => Option_Click(box) : handlers.get(box);
    function* play() {
      for (const e of sameControl(box)) held.set(e, e === box && value);
      if (handler) yield* handler();
    }
    const at = ++clock;
    for (const e of sameControl(box)) changedAt.set(e, at);
    act({ at, control: box, handler: play });
  }

  // Writes from code raise the handlers a user's action would, at once. One
  // to a control the person changed after the action being played was done
  // is made (and raises its handler) as on the desktop, where the person's
  // change came after it, but the control keeps showing what the person left
  // in it: put back as they did it, an edit or a click, not a write.
  const handlers = new Map();
  function write(box, value) {
    const personal = changedAt.get(box) > current?.at;
    const was = (box.type === 'radio' && radios.find((r) => r.checked)) || box;
    const [text, from, to, ticked] = [box.value, box.selectionStart, box.selectionEnd, was.checked];
    for (const e of sameControl(box)) held.set(e, e === box && value);
    if (box.type === 'text') box.value = value;
    else box.checked = value;
    if (!personal) return;
    quiet = true;
    if (box.type === 'text') {
      box.setRangeText(text, 0, box.value.length);
      box.setSelectionRange(from, to);
    } else if (was.checked !== ticked) was.click();
    quiet = false;
  }
  function* setText(box, value) {
    if (valueIn(box) === value) return;
    write(box, value);
    if (box === rainyInterval && document.activeElement === rainyDays) heard.interval = true;
    if (handlers.has(box)) yield* handlers.get(box)();
  }
  function* setCheck(box, ticked) {
    if (valueIn(box) === ticked) return;
    write(box, ticked);
    if (handlers.has(box)) yield* handlers.get(box)();
  }
  function selectOption(box) {
    if (valueIn(box)) return;
    write(box, true);
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
  // fits, down to three quarters of its own, so that it is read whole and
  // leaves its neighbour alone; one that fits keeps the stylesheet's size. A
  // text that still does not fit shows what fits ending in "…" (the style
  // sheet's, for a result with a title), its whole text its title and still
  // its content, for a screen reader and the sheet. Measured on a canvas: no
  // layout to wait for. On a phone each result takes the room it needs.
  const ruler = document.createElement('canvas').getContext('2d');
  function fitResult(output) {
    output.style.removeProperty('font-size');
    output.removeAttribute('title');
    if (narrow.matches) return;
    const style = getComputedStyle(output);
    const smallest = parseFloat(style.fontSize) * 0.75;
    let size = parseFloat(style.fontSize);
    const width = () => {
      ruler.font = `${style.fontWeight} ${size}px ${style.fontFamily}`;
      return ruler.measureText(output.textContent).width;
    };
    const room = parseFloat(style.width);
    if (width() <= room) return;
    size = Math.max(smallest, (size * room) / width());
    // Glyph widths do not shrink in exact proportion to the size.
    while (width() > room && size > smallest) size = Math.max(smallest, size * 0.97);
    output.style.fontSize = `${size}px`;
    if (width() > room) output.title = output.textContent;
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
  const notice = $('notice');
  function showNotice(message, title) {
    return new Promise((closed) => {
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

  // ---- The handlers, as on the desktop. The page is written as Form_Load
  // leaves the window; 清除 runs it again.
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
    texts: textBoxes.map(valueIn),
    check2: valueIn(inverter) ? 1 : 0,
    option: [1, 2, 3, 4].find((n) => valueIn(option(n))) ?? 0,
  });

  function* Command1_Click() {
    if (!core) yield loadCore();
    if (!core) return yield* noticeOf(windowTexts.core_missing);
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
    enableInverterControls(valueIn(inverter));
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
    if (!core) yield coreHere;
    yield* apply(core.rainyInterval(valueIn(rainyDays)));
  }

  // ---- The inputs in the page's address, for a link to them. Only the
  // fragment: it never reaches a server. 清除 leaves the address before it in
  // the history, so that Back brings the boxes back.
  let pushNext = false;          // the next address is a new history entry
  let shownHash = location.hash; // the fragment the window stands for

  // The core writes the link (before it has come, the address waits for it).
  function updateLink() {
    if (!core) return;
    const [{ value: link }] = core.link(windowInputs(), '', list?.field() ?? '');
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
      if (name === windowTexts.loads.field) {
        openList(value);
        continue;
      }
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
    act({ handler: () => openLink(fragment, true) });
  }
  // A link fills the window in one go, once the core (阴雨天数 needs it) is here.
  function* openLink(fragment, clear) {
    if (!core) yield coreHere;
    if (clear) yield* Command2_Click();
    yield* followLink(fragment);
  }

  // ---- Sizing-sheet hook: sheet.js prints the sheet and shows the phone's code.
  let sheet = null;
  let record = null; // what the last 计算 read, wrote and said, and when
  const startSheet = () => import('./sheet.js')
                             .then((m) => {
                               sheet = m.start(windowTexts, core, {
                                 record: () => record,
                                 inputs: windowInputs,
                                 noticeLines,
                                 sheet: (...request) => (list ?? core).sheet(...request),
                                 listField: () => list?.field() ?? '',
                               });
                             })
                             .catch(reportError);

  // ---- Load-list hook: the action beside the window opens the list and the
  // module plan (loads.js, fetched on its first press). The list fills the
  // window through typeInto alone: the window's own input path, so the boxes'
  // handlers run in order, as when typed.
  function typeInto(id, text) {
    const box = $(id);
    box.value = text;
    box.dispatchEvent(new Event('input', { bubbles: true }));
  }
  const loads = Object.assign(document.createElement('aside'), { id: 'loads' });
  const loadsAction = Object.assign(document.createElement('button'), { type: 'button' });
  loadsAction.textContent = windowTexts.loads.action;
  loadsAction.setAttribute('aria-expanded', false);
  loads.append(loadsAction);
  form.after(loads);
  let loadsPanel = null;
  const startList = () =>
    (loadsPanel ??= import('./loads.js')
                      .then((m) => m.start(loads, typeInto, updateLink))
                      .then((started) => {
                        list = started;
                        updateLink();
                        return started;
                      })
                      .catch((error) => {
                        loadsPanel = null;
                        reportError(error);
                      }));
  function showList(open) {
    loadsAction.setAttribute('aria-expanded', open);
    list.panel.hidden = !open;
  }
  loadsAction.onclick = async () => {
    if (!(await startList())) return;
    const open = loadsAction.getAttribute('aria-expanded') !== 'true';
    showList(open);
    if (open) list.panel.querySelector('input, button').focus();
  };
  // A link's list is shown in the panel; the window takes only the link's other fields.
  async function openList(field) {
    if (!(await startList())) return;
    list.load(field);
    showList(true);
  }
  const placeLoads = () => { loads.style.left = `${form.offsetWidth + 220}px`; };
  placeLoads();

  // ---- Wiring.
  const narrow = matchMedia('(max-width: 639.98px)');
  narrow.addEventListener('change', () => {
    for (const { id } of results) fitResult($(id));
  });
  handlers.set(rainyDays, Text4_Change);
  handlers.set(inverter, Check2_Click);
  form.addEventListener('input', ({ target: box }) => {
    if (box.type === 'text') edited(box);
  });
  form.addEventListener('change', ({ target: box }) => {
    if (box.type === 'checkbox' || (box.type === 'radio' && box.checked)) edited(box);
  });
  $('Command1').addEventListener('click', () => act({ handler: Command1_Click }));
  $('Command2').addEventListener('click', () => act({ handler: Command2_Pressed }));
  form.addEventListener('dblclick', (event) => {
    // Only the bare background: a double click on a control is the control's.
    if (event.target === form) act({ handler: Form_DblClick });
  });
  form.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' || event.code === 'Tab') moveFocus(event);
  });
  addEventListener('keydown', moveRegion);
  addEventListener('hashchange', addressChanged);
  addEventListener('popstate', addressChanged);

  // The tab key goes through the stops in tab index order and wraps round, as
  // in the desktop window; disabled controls and unselected options are
  // skipped. A text box reached by the keyboard has its text selected, as on
  // the desktop, so that typing replaces it.
  const tabStops = () => [...form.querySelectorAll('input, button')]
                           .filter((e) => e.tabIndex > 0 && !e.disabled)
                           .sort((a, b) => a.tabIndex - b.tabIndex);
  function reach(e) {
    e?.focus();
    if (e?.type === 'text') e.select();
  }
  // One step forwards, or backwards with Shift, through `list` round to its
  // start, from the one that holds the focus (or from outside them all).
  function stepIn(list, holds, event) {
    const at = list.findIndex(holds);
    const step = event.shiftKey ? -1 : 1;
    return list[at < 0 ? (step > 0 ? 0 : list.length - 1) : (at + step + list.length) % list.length];
  }
  function moveFocus(event) {
    const stops = tabStops();
    if (stops.length === 0) return;
    event.preventDefault();
    reach(stepIn(stops, (e) => e === document.activeElement, event));
  }

  // Since Tab stays in the window, the region key (F6, as browsers move
  // between their own regions; Shift+F6 back) moves between the window and
  // the actions beside it, each in an <aside> of the page's body. A region is
  // entered where the focus left it, else at its first stop.
  const regionKey = form.getAttribute('aria-keyshortcuts');
  const leftAt = new WeakMap();
  function moveRegion(event) {
    if (event.key !== regionKey || event.ctrlKey || event.altKey || event.metaKey || notice.open) return;
    const regions = [form, ...document.querySelectorAll('body > aside')].filter((r) => r.getClientRects().length);
    if (regions.length < 2) return;
    event.preventDefault();
    const from = regions.find((r) => r.contains(document.activeElement));
    if (from) leftAt.set(from, document.activeElement);
    const next = stepIn(regions, (r) => r === from, event);
    const kept = leftAt.get(next);
    const first = next === form ? tabStops()[0] : next.querySelector('button, [href], input');
    reach(kept?.isConnected && !kept.disabled && kept.tabIndex >= 0 ? kept : first);
  }

  // The page is written as Form_Load leaves the window, so that it is drawn
  // before this script runs: here it is only checked, never redone, so that
  // nothing the person did meanwhile is undone. A link waits for the core.
  const chosen = radios.find((r) => r.checked);
  const optionCaption = $(windowTexts.option_caption);
  const offStart = [
    ...inputs.filter((e) => e.checked !== start.checked.includes(e.id)),
    ...start.disabled.map($).filter((e) => !e.disabled && e.ariaDisabled !== 'true'),
    ...radios.filter((r) => r.tabIndex !== (r === chosen ? Number(r.dataset.tab) : -1)),
    ...(chosen && optionCaption.textContent === captionOf(chosen) ? [] : [optionCaption]),
  ];
  if (offStart.length > 0) console.error('the page is not the window at start:', offStart.map((e) => e.id).join(' '));
  form.dataset.loaded = 'true';
  if (location.hash.length > 1) {
    const fragment = location.hash.slice(1);
    act({ handler: () => openLink(fragment, false) });
  }

  // When the window stands drawn with its fonts (the frame after the next one
  // has begun) and its first drawing has reached the screen, the core is
  // fetched: on two cores its compilation held that drawing back.
  const nextTask = () => new Promise((done) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = done;
    channel.port2.postMessage(null);
  });
  const shown = () => new Promise((done) => {
    if (!PerformanceObserver.supportedEntryTypes?.includes('paint')) return done();
    const paints = new PerformanceObserver((list) => {
      if (list.getEntriesByName('first-contentful-paint').length > 0) done(paints.disconnect());
    });
    paints.observe({ type: 'paint', buffered: true });
    setTimeout(done, 500); // should no paint be reported (a tab hidden meanwhile)
  });
  document.fonts.ready.then(() => new Promise(requestAnimationFrame))
    .then(nextTask)
    .then(() => {
      window.vorlaineDrawnAt = performance.now();
      return shown();
    })
    .then(() => {
      if (!core) loadCore();
    });
}

startWindow();
