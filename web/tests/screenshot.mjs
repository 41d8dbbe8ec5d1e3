// Writes a picture of the window as the page draws it: screenshot.mjs OUT.png,
// or the whole screen of a phone: screenshot.mjs OUT.png 390x844
import { launchBrowser, openWindow, startServer } from './support.mjs';

const [out = 'web.png', phone] = process.argv.slice(2);
const server = await startServer();
const browser = await launchBrowser();
try {
  if (phone) {
    const [width, height] = phone.split('x').map(Number);
    const context = await browser.newContext({ viewport: { width, height }, hasTouch: true, isMobile: true });
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForSelector('#Form1[data-ready="true"]');
    await page.screenshot({ path: out });
  } else {
    const page = await openWindow(browser, server.url);
    await page.locator('#Form1').screenshot({ path: out });
  }
} finally {
  await browser.close();
  server.stop();
}
