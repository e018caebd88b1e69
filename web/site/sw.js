// Keeps the site's own files for use without a network. The first visit
// stores them in a cache named after the build; each build gets a cache of
// its own, and older ones are removed once the new one is in use.
'use strict';

const VERSION = '@QUORVEL_SITE_VERSION@';
const CACHE = `quorvel-${VERSION}`;
const FILES = [
  './',
  'index.html',
  'style.css',
  'page.js',
  'boxes.js',
  'view.js',
  'keys.js',
  'voice.js',
  'app.js',
  'quorvel.js',
  'quorvel.wasm',
  'manifest.webmanifest',
  'icons/quorvel.svg',
  'icons/quorvel-192.png',
  'icons/quorvel-512.png',
];

self.addEventListener('install', (event) => {
  // Fetched past the browser's HTTP cache, so that the files are this build's.
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES.map((f) => new Request(f, {cache: 'reload'})))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name.startsWith('quorvel-') && name !== CACHE).map((name) => caches.delete(name)))));
});

// The site's own files come from the cache; anything else goes to the
// network as usual.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then((cache) =>
    cache.match(request, {ignoreSearch: true}).then((hit) => hit || fetch(request))));
});
