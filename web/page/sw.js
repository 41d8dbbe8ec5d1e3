// Keeps the page's few files so that it opens with the network off after the
// first visit. The network comes first and is asked past every HTTP cache, so
// a newly published version shows on the next visit whatever headers the host
// sends; a network that does not answer in time loses to the copy kept here.
const VERSION = '@VERSION@'; // stamped at build time: a new build, a new cache
const CACHE = `vorlaine-${VERSION}`;
// The page under its folder's own address only: index.html would be a second
// download of the same bytes. The PNG icons are fetched when installing. The
// sheet and its QR encoder are kept too, so the code can be shown offline.
// The load list's script and rules are not fetched here, which would add
// 60 KB to the first visit: like any answer, they are kept once first used.
const FILES = ['./', 'core.js', 'vorlaine.wasm', 'sheet.js', 'qr.js', 'manifest.webmanifest', 'icon.svg'];
const PATIENCE_MS = 1500;
// Once the network has kept us waiting, the kept copies answer at once for a
// while (each asked of the network still, to renew them).
const SILENT_SPELL_MS = 10000;
let silentUntil = 0;

self.addEventListener('install', (event) => {
  // The page registers this worker once it has the core, so every file here
  // is still in the browser's cache from the visit itself: nothing twice.
  event.waitUntil(
    caches.open(CACHE).then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'force-cache' })))));
  self.skipWaiting();
});

self.addEventListener(
  'activate',
  (event) =>
    event.waitUntil(caches.keys()
                      .then(
                        (names) => Promise.all(
                          names.filter((n) => n.startsWith('vorlaine') && n !== CACHE).map((n) => caches.delete(n))))
                      .then(() => self.clients.claim())));

// The page is kept under the folder's address whatever it was opened as.
function keyOf(request) {
  const url = new URL(request.url);
  url.hash = '';
  if (request.mode === 'navigate') {
    url.search = '';
    if (url.pathname.endsWith('/index.html')) url.pathname = url.pathname.slice(0, -'index.html'.length);
  }
  return url.href;
}

async function answer(event) {
  const key = keyOf(event.request);
  const network = fetch(event.request.url, { cache: 'no-cache', credentials: 'same-origin' });
  // Every good answer renews the kept copy, in the background; the copy is
  // taken before the page reads the answer.
  event.waitUntil(network
                    .then(async (response) => {
                      if (!response.ok || response.redirected) return;
                      const copy = response.clone();
                      await (await caches.open(CACHE)).put(key, copy);
                    })
                    .catch(() => {}));
  const kept = () => caches.match(key, { ignoreSearch: true, cacheName: CACHE });
  if (Date.now() < silentUntil) {
    const copy = await kept();
    if (copy) return copy;
  }
  let timer;
  const late = new Promise((done) => { timer = setTimeout(done, PATIENCE_MS, 'late'); });
  const first = await Promise.race([network.catch(() => 'failed'), late]);
  clearTimeout(timer);
  if (first instanceof Response) return first;
  if (first === 'late') silentUntil = Date.now() + SILENT_SPELL_MS;
  return (await kept()) ?? network; // nothing kept: the network is all there is
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== location.origin) return;
  event.respondWith(answer(event));
});
