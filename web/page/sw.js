// Keeps the page's few files so that it opens with the network off after the
// first visit. The network comes first, so a new version is never hidden.
const CACHE = 'vorlaine';
const FILES = ['./', 'index.html', 'vorlaine.wasm', 'icon.svg', 'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  // The files are in the browser's cache already from the visit itself.
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(FILES.map((f) => new Request(f, { cache: 'force-cache' })))));
  self.skipWaiting();
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(event.request, copy));
    }
    return response;
  }).catch(() => caches.match(event.request, { ignoreSearch: true })));
});
