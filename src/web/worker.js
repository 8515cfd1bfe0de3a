// The page's service worker: keeps every file of the page in a cache named after the content of
// this build, so that after one visit the page opens with no network at all, and a new build,
// whose worker differs, replaces the old files whole.
"use strict";

const CACHE = "ramka-@HASH@";
const FILES = ["./", @FILES@];

self.addEventListener("install", (event) => {
  // Fresh from the host, not from the browser's own cache, which may hold an older build.
  const requests = FILES.map((file) => new Request(file, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("ramka-") && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
