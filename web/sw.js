// The page's worker: it keeps every file of one version of the page, so that
// the game starts again with the network gone, and never lets one page load
// mix files of two versions that it keeps. A version it doesn't keep (the
// first visit, or a page newer than the worker) comes from the network as
// the server gives it, so a page loaded while the server is half-way through
// installing a new version may get files of both and fail to start; the next
// load, once the server is done, starts.
//
// The build stamps the version (a hash of the page's files) and the files'
// SHA-256 digests in here. The page asks for its files with the version in
// the address (glyphtumble.js?v=VERSION), and such a request is answered from
// that version's cache only; the page itself comes from the network while it
// answers, so an online visit after a new build starts the new version at
// once, and a new worker comes with it.
'use strict';
const version = '@PAGE_VERSION@';
const files = {
@PAGE_FILES@
};
// A language's files (de/words.gz and the like) are fetched only when it is
// chosen: the worker keeps each once the page has used it, checked against
// its digest, and a new version fetches again those an older one kept.
const languageFiles = {
@PAGE_LANGUAGE_FILES@
};
// Caches are named after the version and the folder served, since other
// copies of the page may live in other folders of the same site.
const prefix = 'glyphtumble-';
const cacheName = prefix + version + ' ' + self.registration.scope;
const cacheFor = hash => prefix + hash + ' ' + self.registration.scope;
// How long the page itself may take from the network before the kept one is
// shown instead.
const networkSeconds = 3;

const hex = buffer => Array.from(new Uint8Array(buffer), b => b.toString(16).padStart(2, '0')).join('');

// Every file is checked with the server (a file the browser holds already
// costs a "not modified", not a second download) and against its digest, so
// a server half-way through installing another version can't slip a file of
// its into this version's cache; the worker is installed only when all are.
async function fetchVersion(name, digests = files) {
  const response = await fetch(new Request(name + '?v=' + version, {cache: 'no-cache'}));
  const digest = response.ok ? hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer())) : '';
  if (digest != digests[name]) throw new Error(`${name} on the server is not of version ${version}`);
  return [name, response];
}

self.addEventListener('install', event => {
  event.waitUntil((async () => {
    try {
      const responses = await Promise.all(Object.keys(files).map(name => fetchVersion(name)));
      const cache = await caches.open(cacheName);
      await Promise.all(responses.map(([name, response]) => cache.put(name, response)));
      // The languages an older version kept, where the server still has them.
      for (const name of Object.keys(languageFiles))
        if (await kept(name))
          await fetchVersion(name, languageFiles).then(([, response]) => cache.put(name, response), () => {});
    } catch (e) {
      await caches.delete(cacheName);
      throw e;
    }
    await self.skipWaiting();
  })());
});

// Only the caches of this folder's older versions go.
self.addEventListener('activate', event => {
  event.waitUntil((async () => {
    const suffix = ' ' + self.registration.scope;
    for (const name of await caches.keys())
      if (name.startsWith(prefix) && name.endsWith(suffix) && name != cacheName) await caches.delete(name);
    await self.clients.claim();
  })());
});

async function page(request) {
  const network = fetch(request);
  const timeout = new Promise(resolve => setTimeout(resolve, networkSeconds * 1000));
  const fresh = await Promise.race([network.then(r => (r.ok ? r : undefined), () => undefined), timeout]);
  return fresh || (await caches.match('index.html', {cacheName})) || network;
}

// Whether a cache of this folder other than this version's holds a file.
async function kept(name) {
  const suffix = ' ' + self.registration.scope;
  for (const other of await caches.keys())
    if (other.startsWith(prefix) && other.endsWith(suffix) && other != cacheName &&
        await (await caches.open(other)).match(name)) return true;
  return false;
}

async function versioned(request, hash, name) {
  const cached = await caches.match(request, {cacheName: cacheFor(hash), ignoreSearch: true});
  if (cached) return cached;
  const response = await fetch(request);
  if (hash == version && name in languageFiles && response.ok) {
    const digest = hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer()));
    if (digest == languageFiles[name]) await (await caches.open(cacheName)).put(name, response.clone());
  }
  return response;
}

self.addEventListener('fetch', event => {
  const request = event.request, url = new URL(request.url), scope = new URL(self.registration.scope);
  if (request.method != 'GET' || url.origin != scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const hash = url.searchParams.get('v');
  if (request.mode == 'navigate' && [scope.pathname, scope.pathname + 'index.html'].includes(url.pathname))
    event.respondWith(page(request));
  else if (hash)
    event.respondWith(versioned(request, hash, url.pathname.slice(scope.pathname.length)));
});
