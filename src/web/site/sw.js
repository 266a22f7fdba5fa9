// The hosted page's service worker: the first visit puts the page, its manifest and icons
// into one cache named after this build; every later load is answered from it, so the page
// opens with the network off. A new build has a new name here, so the browser installs it
// on the next visit and it removes the caches of the builds before it.
const CACHE = '@CACHE@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past the browser's cache: a new build must not pick up a file of the old one.
    await cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const old = (await caches.keys()).filter((name) => name.startsWith('vesk-web-') && name !== CACHE);
    await Promise.all(old.map((name) => caches.delete(name)));
    await self.clients.claim();
  })());
});

// The site has one page: whatever address inside it is opened gets it.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const key = event.request.mode === 'navigate' ? 'index.html' : event.request;
    return (await cache.match(key, { ignoreSearch: true })) || fetch(event.request);
  })());
});
