// Keeps the machine's folder, so that after one visit it plays with the network off. The
// network comes first, so a page, script and module always come from one build while it is
// there; the kept copy answers when it is not.
'use strict';

const folder = 'vertuno';
const kept = ['./', ...'@kept@'.split(';')];  // the build names every file of the folder

self.addEventListener('install', (e) => e.waitUntil(caches.open(folder).then((cache) => cache.addAll(kept))));
self.addEventListener('fetch', (e) => {
  e.respondWith(fetch(e.request).then((fresh) => {
    if (fresh.ok && e.request.method === 'GET') {
      const copy = fresh.clone();
      caches.open(folder).then((cache) => cache.put(e.request, copy));
    }
    return fresh;
  }).catch(() => caches.match(e.request, { ignoreSearch: true }).then((copy) => copy || Response.error())));
});
