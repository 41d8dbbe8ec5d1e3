// The calculation core, compiled to WebAssembly: one call of `calculate` takes
// the window's inputs and returns the ordered effects. The page imports it
// once the window is drawn; tests and benchmarks import it alone.

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

const u32 = (n) => {
  const bytes = new Uint8Array(4);
  new DataView(bytes.buffer).setUint32(0, n, true);
  return bytes;
};
const inputParts = ({ texts, check2, option }) => [...texts, [check2, option]];
const momentParts = (d) => [d.getFullYear(), d.getMonth() + 1, d.getDate(), d.getHours(), d.getMinutes()];

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

  // A request that is one text alone.
  #sendText(text) {
    const bytes = encoder.encode(text);
    new Uint8Array(this.exports.memory.buffer, this.exports.input_buffer(bytes.length), bytes.length).set(bytes);
  }

  // A request of texts (length-prefixed UTF-8), single bytes (arrays) and
  // 32-bit numbers, in order, into the buffer the module's `room` export gives.
  #sendParts(parts, room = 'input_buffer') {
    const chunks = parts.flatMap((p) => {
      if (Array.isArray(p)) return [Uint8Array.from(p)];
      if (typeof p === 'number') return [u32(p)];
      const e = encoder.encode(p);
      return [u32(e.length), e];
    });
    const size = chunks.reduce((n, c) => n + c.length, 0);
    const raw = new Uint8Array(this.exports.memory.buffer, this.exports[room](size), size);
    let pos = 0;
    for (const c of chunks) {
      raw.set(c, pos);
      pos += c.length;
    }
  }

  // The answer: a count, then kind byte and two length-prefixed texts each.
  #answer() {
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
    const answer = [];
    for (let n = view.getUint32(0, true); n > 0; --n) answer.push({ kind: raw[pos++], text: text(), value: text() });
    return answer;
  }

  #effects() {
    return this.#answer().map(
      ({ kind, text: first, value: second }) =>
        kind === 0 ? { notice: { title: first, text: second } } : { caption: { label: first, text: second } });
  }

  // texts: Text1 to Text10; check2: 0 or 1; option: 0 for none, 1 to 4.
  calculate(texts, check2, option) {
    this.#sendParts([...texts.map(String), [check2, option]]);
    if (this.exports.calculate() !== 0) throw new Error('malformed request');
    return this.#effects();
  }

  // The effect of a change of the rainy-days box: Text5's new text or a notice.
  rainyInterval(text) {
    this.#sendText(text);
    this.exports.rainy_interval();
    return this.#effects()[0];
  }

  // The load list's rules: texts in, texts out, through the module's own buffer.
  #listCall(name, texts) {
    this.#sendParts([texts.length, ...texts.map(String)], 'list_request');
    this.exports[name]();
    const answer =
      new DataView(this.exports.memory.buffer, this.exports.list_answer_data(), this.exports.list_answer_size());
    const out = [];
    let pos = 4;
    for (let n = answer.getUint32(0, true); n > 0; --n) {
      const length = answer.getUint32(pos, true);
      out.push(decoder.decode(new Uint8Array(answer.buffer, answer.byteOffset + pos + 4, length)));
      pos += 4 + length;
    }
    return out;
  }

  // rows: [name, count, power, hours] texts as typed. `power` and `hours` are
  // the texts that fill the window, empty while the list cannot.
  checkList(rows) {
    const out = this.#listCall('check_list', rows.flat());
    const cells = [];
    let at = 4;
    for (let n = Number(out[3]); n > 0; --n, at += 3) {
      cells.push({ row: Number(out[at]), column: Number(out[at + 1]), message: out[at + 2] });
    }
    return { power: out[0], hours: out[1], problem: out[2], cells, totals: out.slice(at) };
  }

  // results: the four results' captions (S, Vp, C, W); modules: Vb, Cb, Pm, Vm.
  planModules(results, modules) {
    const out = this.#listCall('plan_modules', [...results, ...modules]);
    const problems = Number(out[0]);
    return { problems: out.slice(1, 1 + problems), lines: out.slice(1 + problems) };
  }

  encodeList(rows) {
    return this.#listCall('encode_list', rows.flat())[0];
  }

  // The rows a link's field carries, or null when it is malformed.
  decodeList(field) {
    const out = this.#listCall('decode_list', [field]);
    if (out.length === 0) return null;
    const rows = [];
    for (let i = 1; i + 4 <= out.length; i += 4) rows.push(out.slice(i, i + 4));
    return rows;
  }

  // The list panel's words from the design.
  listWords() {
    const w = this.#listCall('list_words', []);
    return {
      listTitle: w[0],
      planTitle: w[1],
      open: w[2],
      addRow: w[3],
      removeRow: w[4],
      fill: w[5],
      close: w[6],
      rowPrefix: w[7],
      rowWord: w[8],
      headings: w.slice(9, 13),
      moduleBoxes: w.slice(13, 17),
      moduleDefaults: w.slice(17, 21),
    };
  }

  // The sizing sheet's pieces ({kind, text, value}, kinds as design/sizing_sheet.h
  // lists them): `record` of the last 计算 ({inputs, effects, pressed}) or
  // null, the window's `inputs` now ({texts, check2, option}), the Date now,
  // and the address the link starts with. `list` ({rows, modules}) only to
  // the list's module, which adds the list and the plan.
  sheet(record, inputs, now, address, list = null) {
    const parts = [[record ? 1 : 0]];
    if (record) {
      const { effects, pressed } = record;
      const notices = effects.filter((e) => e.notice).map((e) => e.notice);
      const writes = effects.filter((e) => e.caption).map((e) => e.caption);
      parts.push(
        ...inputParts(record.inputs), writes.length, ...writes.flatMap((w) => [w.label, w.text]), notices.length,
        ...notices.flatMap((n) => [n.title, n.text]), ...momentParts(pressed));
    }
    const listParts = list ? [list.rows.length, ...list.rows.flat(), ...list.modules] : [];
    this.#sendParts([...parts, ...inputParts(inputs), ...momentParts(now), address, ...listParts]);
    if (this.exports.sizing_sheet() !== 0) throw new Error('malformed request');
    return this.#answer();
  }

  // The link to `inputs` from `address`, with the load list's field `list`
  // (from encodeList) when it is not empty: its pieces, as in the sheet.
  link(inputs, address, list = '') {
    this.#sendParts([...inputParts(inputs), address, list]);
    if (this.exports.link() !== 0) throw new Error('malformed request');
    return this.#answer();
  }

  // The fields of a link's fragment the window takes, as [name, value] in
  // the order to apply them.
  linkFields(fragment) {
    this.#sendText(fragment);
    this.exports.link_fields();
    return this.#answer().map(({ text, value }) => [text, value]);
  }

  // `count` calculations over the same inputs inside the module; the count of
  // effects of the last one.
  calculateRepeatedly(texts, check2, option, count) {
    this.#sendParts([...texts.map(String), [check2, option]]);
    return this.exports.calculate_repeatedly(count);
  }
}
