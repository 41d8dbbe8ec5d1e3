// One way to drive the page in three browser engines, so that each test is
// written once: Chromium (playwright-core), Firefox (puppeteer-core over
// WebDriver BiDi) and WebKit (WebKitGTK's MiniBrowser through WebKitWebDriver
// and selenium-webdriver, on the X display that scripts/web-tests.sh starts).
// Every page is a fresh, isolated browser profile; a failure names its engine.
import {execFileSync, spawn} from 'node:child_process';
import {mkdirSync, mkdtempSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:net';
import {tmpdir} from 'node:os';
import {join} from 'node:path';


export const allEngines = ['chromium', 'firefox', 'webkit'];
export const engines = process.env.VORLAINE_ENGINES
  ? process.env.VORLAINE_ENGINES.split(',').map((e) => e.trim()).filter(Boolean)
  : allEngines;
for (const e of engines)
  if (!allEngines.includes(e)) throw new Error(`unknown engine ${e}`);

const programs = {
  chromium: () => process.env.VORLAINE_CHROMIUM ?? '/usr/bin/chromium',
  firefox: () => process.env.VORLAINE_FIREFOX ?? '/usr/bin/firefox-esr',
  // The browser WebKitGTK ships for automation, in its library folder.
  webkit: () => process.env.VORLAINE_MINIBROWSER ??
    execFileSync('dpkg', ['-L', 'libwebkit2gtk-4.1-0'], { encoding: 'utf8' })
      .split('\n')
      .find((f) => f.endsWith('/MiniBrowser')),
};

// The script each engine evaluates: `fn` (a function, or the text of one or of
// an expression) applied to `arg`, its value returned as JSON text so that all
// three engines hand back the same plain value.
function script(fn, arg) {
  const source = typeof fn === 'function' ? fn.toString() : fn;
  return `(async () => { const f = (${source}); ` +
    `const v = await (typeof f === 'function' ? f(${JSON.stringify(arg ?? null)}) : f); ` +
    'return JSON.stringify(v === undefined ? null : v); })()';
}
const parsed = (json) => (json === undefined || json === null ? null : JSON.parse(json));

// The centre of an element in viewport pixels, scrolled into view first if it
// is not in view, or null while it is missing or not drawn.
function centreOf(selector) {
  const e = document.querySelector(selector);
  if (!e) return null;
  let r = e.getBoundingClientRect();
  if (r.width === 0 && r.height === 0) return null;
  if (r.top < 0 || r.left < 0 || r.bottom > innerHeight || r.right > innerWidth) {
    e.scrollIntoView({ block: 'center', inline: 'center' });
    r = e.getBoundingClientRect();
  }
  return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
}

// Focuses an element with its caret at the end, as a click at its end would.
function focusEnd(selector) {
  const e = document.querySelector(selector);
  if (!e) return false;
  e.focus();
  if (typeof e.setSelectionRange === 'function' && /^(text|search|tel|url|password)$/.test(e.type ?? ''))
    e.setSelectionRange(e.value.length, e.value.length);
  return document.activeElement === e;
}

// What every engine's page shares; each engine gives the raw operations.
class Page {
  constructor(name, raw) {
    this.name = name;
    this.raw = raw;
  }

  // Runs one raw operation; a failure says which engine and what was asked.
  async #attempt(what, operation) {
    try {
      return await operation();
    } catch (error) {
      throw new Error(`${this.name}: ${what}: ${error.message}`, { cause: error });
    }
  }

  async goto(url) {
    await this.#attempt(`goto ${url}`, () => this.raw.goto(url));
  }

  async evaluate(fn, arg) {
    return this.#attempt('evaluate', async () => parsed(await this.raw.evaluate(script(fn, arg))));
  }

  // Polls `fn(arg)` in the page until it is truthy; returns that value.
  async waitFor(fn, arg, timeoutMs = 10000) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      const value = await this.evaluate(fn, arg);
      if (value) return value;
      if (Date.now() > until) {
        const text = typeof fn === 'function' ? fn.toString() : fn;
        throw new Error(`${this.name}: waited ${timeoutMs} ms in vain for ${text.slice(0, 200)}`);
      }
      await new Promise((r) => setTimeout(r, 15));
    }
  }

  async #centre(selector) {
    return this.waitFor(centreOf, selector, 5000);
  }

  // A real pointer click at the element's centre: whatever lies on top there
  // (a modal notice's backdrop, say) takes it, as it would a user's.
  async click(selector) {
    const { x, y } = await this.#centre(selector);
    await this.#attempt(`click ${selector}`, () => this.raw.click(x, y, 1));
  }

  async dblclick(target) {
    const { x, y } = typeof target === 'string' ? await this.#centre(target) : target;
    await this.#attempt(`dblclick ${JSON.stringify(target)}`, () => this.raw.click(x, y, 2));
  }

  // A touch where the engine can give one, else a click.
  async tap(selector) {
    const { x, y } = await this.#centre(selector);
    await this.#attempt(`tap ${selector}`, async () => {
      if (this.raw.tap) await this.raw.tap(x, y);
      else await this.raw.click(x, y, 1);
    });
  }

  async focus(selector) {
    if (!(await this.evaluate(focusEnd, selector))) throw new Error(`${this.name}: cannot focus ${selector}`);
  }

  // Focuses the element, caret at the end, and types `text` key by key.
  async type(selector, text) {
    await this.focus(selector);
    await this.#attempt(`type into ${selector}`, () => this.raw.type(text));
  }

  // Replaces an element's text by key events: select all, then type (or delete).
  async fill(selector, text) {
    await this.focus(selector);
    await this.evaluate(() => document.activeElement.select());
    await this.#attempt(`fill ${selector}`, async () => {
      if (text === '') await this.raw.press('Delete');
      else await this.raw.type(text);
    });
  }

  // A key to the focused element: 'Tab', 'Shift+Tab', 'Enter', 'Escape', ' ',
  // 'ArrowRight', or one character.
  async press(key) {
    await this.#attempt(`press ${key}`, () => this.raw.press(key));
  }

  // The viewport, or only the element `selector` when one is given.
  async screenshot(path, selector) {
    await this.#attempt('screenshot', async () => { writeFileSync(path, await this.raw.screenshot(selector)); });
  }

  async close() {
    await this.raw.close();
  }
}

// ---- Chromium ---------------------------------------------------------------

async function chromium() {
  const { chromium: engine } = await import('playwright-core');
  const browser = await engine.launch({ executablePath: programs.chromium(), headless: true });
  const playwrightKey = (key) => (key === ' ' ? 'Space' : key);
  return {
    async newPage({ width, height, touch, deviceScaleFactor }) {
      const context =
        await browser.newContext({ viewport: { width, height }, hasTouch: touch, isMobile: touch, deviceScaleFactor });
      const page = await context.newPage();
      const wrapped = new Page('chromium', {
        goto: (url) => page.goto(url),
        evaluate: (text) => page.evaluate(text),
        click: (x, y, clickCount) => page.mouse.click(x, y, { clickCount }),
        tap: touch ? (x, y) => page.touchscreen.tap(x, y) : null,
        type: (text) => page.keyboard.type(text),
        press: (key) => page.keyboard.press(playwrightKey(key)),
        screenshot: (selector) => (selector ? page.locator(selector).screenshot() : page.screenshot()),
        close: () => context.close(),
      });
      wrapped.chromium = page;
      return wrapped;
    },
    close: () => browser.close(),
  };
}

// ---- Firefox ----------------------------------------------------------------

async function firefox() {
  const puppeteer = (await import('puppeteer-core')).default;
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: programs.firefox(),
    // It has taken 18 s to start on a busy two-core machine.
    protocol: 'webDriverBiDi',
    headless: true,
    timeout: 120000
  });
  return {
    async newPage({ width, height, touch, deviceScaleFactor }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor, hasTouch: touch, isMobile: touch });
      const wrapped = new Page('firefox', {
        goto: (url) => page.goto(url),
        evaluate: (text) => page.evaluate(text),
        async click(x, y, count) {
          await page.mouse.click(x, y, { count });
        },
        tap: touch ? (x, y) => page.touchscreen.tap(x, y) : null,
        type: (text) => page.keyboard.type(text),
        async press(key) {
          const keys = key === '+' ? [key] : key.split('+');
          const last = keys.pop();
          for (const k of keys) await page.keyboard.down(k);
          await page.keyboard.press(last);
          for (const k of keys.reverse()) await page.keyboard.up(k);
        },
        async screenshot(selector) {
          if (!selector) return page.screenshot();
          const element = await page.$(selector);
          return element.screenshot();
        },
        close: () => context.close(),
      });
      wrapped.firefox = page;
      return wrapped;
    },
    close: () => browser.close(),
  };
}

// ---- WebKit -----------------------------------------------------------------

const freePort = () => new Promise((done, fail) => {
  const probe = createServer()
                  .listen(
                    0, '127.0.0.1',
                    () => {
                      const { port } = probe.address();
                      probe.close(() => done(port));
                    })
                  .on('error', fail);
});

async function waitForPort(port, child) {
  const { connect } = await import('node:net');
  for (let i = 0; i < 200; ++i) {
    if (child.exitCode !== null) throw new Error(`WebKitWebDriver ended with ${child.exitCode}`);
    const open = await new Promise((done) => {
      const s = connect(port, '127.0.0.1', () => {
                  s.end();
                  done(true);
                }).on('error', () => done(false));
    });
    if (open) return;
    await new Promise((r) => setTimeout(r, 25));
  }
  throw new Error('WebKitWebDriver did not listen');
}

async function webkit() {
  if (!process.env.DISPLAY) throw new Error('no DISPLAY (scripts/web-tests.sh starts Xvfb)');
  const { Builder, Key, Origin } = await import('selenium-webdriver');
  const binary = programs.webkit();
  // MiniBrowser's toolbar keeps its window at least 447 px wide; shrunk by a
  // GTK style sheet of its own (web content does not use it), it lets the
  // viewport be as narrow as a phone's.
  const config = mkdtempSync(join(tmpdir(), 'vorlaine-webkit-'));
  mkdirSync(join(config, 'gtk-3.0'));
  writeFileSync(
    join(config, 'gtk-3.0/gtk.css'), '* { font-size: 1px; min-width: 0; min-height: 0; padding: 0; margin: 0; }\n');
  const keys = {
    Tab: Key.TAB,
    Enter: Key.ENTER,
    Escape: Key.ESCAPE,
    Shift: Key.SHIFT,
    Delete: Key.DELETE,
    Backspace: Key.BACK_SPACE,
    ArrowRight: Key.ARROW_RIGHT,
    ArrowLeft: Key.ARROW_LEFT,
    ArrowUp: Key.ARROW_UP,
    ArrowDown: Key.ARROW_DOWN,
    F6: Key.F6,
    ' ': ' '
  };
  const webdriverKey = (key) => keys[key] ?? key;
  const open = new Set();

  // WebKitWebDriver serves one session at a time: each page has its own
  // driver, and so a fresh browser with its own data.
  async function start() {
    const port = await freePort();
    // Bound to 127.0.0.1: otherwise the client dials the machine's own address.
    const service = spawn(
      'WebKitWebDriver', [`--port=${port}`, '--host=127.0.0.1'],
      { stdio: ['ignore', 'ignore', 'inherit'], env: {...process.env, XDG_CONFIG_HOME: config } });
    const ended = new Promise((done) => service.on('exit', done));
    const stop = async (driver) => {
      open.delete(stop);
      await driver?.quit().catch(() => {});
      service.kill();
      await ended;
    };
    open.add(stop);
    try {
      await waitForPort(port, service);
      const driver = await new Builder()
                       .usingServer(`http://127.0.0.1:${port}`)
                       .withCapabilities({
                         browserName: 'MiniBrowser',
                         // Without --automation the session never starts.
                         'webkitgtk:browserOptions': { binary, args: ['--automation'] },
                       })
                       .build();
      open.delete(stop);
      const quit = () => stop(driver);
      open.add(quit);
      return { driver, quit };
    } catch (e) {
      await stop();
      throw e;
    }
  }

  return {
    // WebKitGTK has no touch events nor a device scale to set: taps are
    // clicks, the scale is 1.
    async newPage({ width, height }) {
      const { driver, quit } = await start();
      try {
        // The window is sized so that its viewport, not its frame, has the
        // size asked for; the window manager may take a moment to follow.
        const window = driver.manage().window();
        await window.setRect({ x: 0, y: 0, width, height });
        for (let tries = 0;; ++tries) {
          const inner = await driver.executeScript('return [innerWidth, innerHeight]');
          if (inner[0] === width && inner[1] === height) break;
          if (tries === 20) throw new Error(`viewport ${inner.join('×')}, not ${width}×${height}`);
          const outer = await window.getRect();
          await window.setRect({ width: outer.width + width - inner[0], height: outer.height + height - inner[1] });
          await new Promise((r) => setTimeout(r, 50));
        }
      } catch (e) {
        await quit();
        throw e;
      }
      // Pointer positions are whole pixels in WebDriver.
      const at = (x, y) =>
        driver.actions({ async: true }).move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT });
      const wrapped = new Page('webkit', {
        goto: (url) => driver.get(url),
        evaluate: (text) => driver.executeScript(`return ${text};`),
        click: (x, y, count) => (count === 2 ? at(x, y).doubleClick() : at(x, y).click()).perform(),
        tap: null,
        type: (text) => driver.actions({ async: true }).sendKeys(text).perform(),
        async press(key) {
          const parts = key === '+' ? [key] : key.split('+').map(webdriverKey);
          const last = parts.pop();
          let actions = driver.actions({ async: true });
          for (const k of parts) actions = actions.keyDown(k);
          actions = actions.sendKeys(last);
          for (const k of parts.reverse()) actions = actions.keyUp(k);
          await actions.perform();
        },
        async screenshot(selector) {
          // WebKit's driver draws the viewport only; the window alone is Chromium's to picture.
          if (selector) throw new Error('an element alone is not pictured in WebKit');
          return Buffer.from(await driver.takeScreenshot(), 'base64');
        },
        close: quit,
      });
      wrapped.webkit = driver;
      return wrapped;
    },
    async close() {
      await Promise.allSettled([...open].map((stop) => stop()));
      rmSync(config, { recursive: true, force: true });
    },
  };
}

const starters = {
  chromium,
  firefox,
  webkit
};

export async function launch(name) {
  let engine;
  try {
    engine = await starters[name]();
  } catch (e) {
    throw new Error(`${name}: cannot start: ${e.message}`, { cause: e });
  }
  return {
    name,
    async newPage({ width = 800, height = 700, touch = false, deviceScaleFactor = 1 } = {}) {
      try {
        return await engine.newPage({ width, height, touch, deviceScaleFactor });
      } catch (e) {
        throw new Error(`${name}: cannot open a page: ${e.message}`, { cause: e });
      }
    },
    close: () => engine.close(),
  };
}
