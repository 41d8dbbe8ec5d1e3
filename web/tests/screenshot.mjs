// Writes a picture of the window as the page draws it: screenshot.mjs OUT.png
import { launchBrowser, openWindow, startServer } from './support.mjs';

const server = await startServer();
const browser = await launchBrowser();
try {
  const page = await openWindow(browser, server.url);
  await page.locator('#Form1').screenshot({ path: process.argv[2] ?? 'web.png' });
} finally {
  await browser.close();
  server.stop();
}
