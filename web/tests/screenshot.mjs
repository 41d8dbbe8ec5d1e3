// Writes a picture of the window as the page draws it:
//   screenshot.mjs OUT.png [ENGINE] [WIDTHxHEIGHT] [load-list]   (default chromium, 800x700)
// With load-list, the whole page with the list of three appliances filled in and calculated.
import {launch} from './driver.mjs';
import {openWindow, startServer} from './support.mjs';

const [out = 'web.png', engine = 'chromium', size = '800x700', list] = process.argv.slice(2);
const [width, height] = size.split('x').map(Number);
const server = await startServer();
const browser = await launch(engine);
try {
  const page = await openWindow(browser, server.url, { width, height });
  if (list) {
    await page.click('#loads > button');
    await page.waitFor(() => document.getElementById('loads-panel'));
    for (const [r, row] of [['灯', '4', '10', '5'], ['电视', '1', '80', '3'], ['冰箱', '1', '150', '24']].entries()) {
      await page.click('#loads-add');
      for (const [c, text] of row.entries())
        await page.fill(`#loads-panel tr:nth-child(${r + 1}) td:nth-child(${c + 1}) input`, text);
    }
    await page.click('#loads-fill');
    for (const [id, text] of [['Text2', '12'], ['Text9', '5'], ['Text10', '30']]) await page.fill(`#${id}`, text);
    await page.click('#Command1');
    await page.waitFor(() => /Ah/.test(document.getElementById('loads-panel').textContent));
  }
  // At desktop width the window alone; narrower, or with the list, the whole screen.
  await page.screenshot(out, width >= 640 && !list ? '#Form1' : undefined);
} finally {
  await browser.close();
  server.stop();
}
