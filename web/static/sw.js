// The service worker of one build: it keeps every file of that build in a cache of its own and
// answers the site's requests from it, so the calculator opens without a network. A newer build
// comes with a newer worker, which fills its own cache whole before it may take over; it takes
// over only once no page of the old build is open (the browser's rule for a waiting worker), so a
// page never runs files of two builds. Then the old cache goes.
//
// generate_offline.py puts BUILD (a hash of all the build's files) and FILES before this text.

const CACHE = `kalvora-${BUILD}`;

self.addEventListener('install', (event) => {
  // Fetched afresh, never from the HTTP cache, which may hold a file of an older build; nor after
  // a "not modified" from the server, whose dates count whole seconds and may miss a rebuild.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(request, { ignoreSearch: true }))
      .then((cached) => cached ?? fetch(request)),
  );
});
