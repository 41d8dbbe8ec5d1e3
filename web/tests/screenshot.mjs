// Writes a picture of the window as the page draws it:
//   screenshot.mjs OUT.png [ENGINE] [WIDTHxHEIGHT]   (default chromium, 800x700)
import {launch} from './driver.mjs';
import {openWindow, startServer} from './support.mjs';

const [out = 'web.png', engine = 'chromium', size = '800x700'] = process.argv.slice(2);
const [width, height] = size.split('x').map(Number);
const server = await startServer();
const browser = await launch(engine);
try {
  const page = await openWindow(browser, server.url, { width, height });
  // At desktop width the window alone; narrower, the whole screen as a phone shows it.
  await page.screenshot(out, width >= 640 ? '#Form1' : undefined);
} finally {
  await browser.close();
  server.stop();
}
