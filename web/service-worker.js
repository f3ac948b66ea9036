// Keeps the page's files so that, after one visit, the game starts and plays with the network
// gone. The cache is named after the build: a new build's worker fills a cache of its own and
// drops the old ones. The network comes first, so that a page served anew is the one played;
// the cache answers only when the network does not. The saved game and the recordings live in
// the browser's storage, not here, and survive every update.
'use strict';
const Cache = 'vardenholt-@BUILD@';
const Files = ['./', 'index.html', 'vardenholt.js', 'vardenholt.wasm', 'manifest.webmanifest',
               'vardenholt.svg', 'vardenholt-192.png', 'vardenholt-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(Cache)
    .then((cache) => cache.addAll(Files.map((file) => new Request(file, {cache: 'reload'}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('vardenholt-') &&
                                                        name !== Cache)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  // ?seed=N and ?daily are the same page.
  event.respondWith(fetch(request).catch(() =>
    caches.open(Cache).then((cache) => cache.match(request, {ignoreSearch: true}))
      .then((kept) => kept || Response.error())));
});
