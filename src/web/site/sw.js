// Keeps the site's files so that the game opens again with no network: the network first (a
// new build shows at once), the kept copy when the network is gone.
// A game portal serves many games from one origin, a folder each, and the caches belong to the
// origin: this copy's cache is named by its folder (the worker's scope), and a new build deletes
// only the caches of the builds before it in the same folder (and those of the builds that named
// theirs by version alone), never another game's.
const VERSION = 'kippura-x-v4';
const CACHE = `${VERSION} ${self.registration.scope}`;
const earlierBuild = (name) => name !== CACHE && (/^kippura-x-v[0-9]+$/.test(name) ||
  (name.startsWith('kippura-x-v') && name.endsWith(` ${self.registration.scope}`)));
// page.js is the page's scripts joined (src/web/site has them one module a file).
const FILES = ['./', 'index.html', 'page.js', 'page.css', 'kippura-x.js', 'kippura-x.wasm', 'manifest.webmanifest',
               'icons/icon-32.png', 'icons/icon-192.png', 'icons/icon-512.png', 'icons/icon-maskable-192.png',
               'icons/icon-maskable-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter(earlierBuild).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(request, copy));
    }
    return response;
  }).catch(() => caches.open(CACHE).then((cache) => cache.match(request).then((kept) => kept ||
    // A page opened with other query parameters is the same page.
    cache.match(request, {ignoreSearch: true}).then((page) => page || Response.error())))));
});
