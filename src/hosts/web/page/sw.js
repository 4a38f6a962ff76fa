// The service worker that keeps the game for offline play. The build (tools/finish_www.mjs)
// fills in the two lines below: the version, a digest of every file kept, and their list. A new
// build is a new worker: it fetches the new files into a cache of its own, takes over at once
// and deletes the caches of older builds. The page registers it once the game is moving.
//
// What a server answers under /api/ and to any URL with a `run` query is live and is never
// kept here: those requests go to the network as if there were no worker.
const kVersion = "unbuilt";
const kFiles = [];
const kCache = "vantrell-" + kVersion;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches
      .open(kCache)
      // Asked of the server again, not taken from the browser's cache: the files must be this
      // build's.
      .then((cache) => cache.addAll(kFiles.map((url) => new Request(url, { cache: "no-cache" }))))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) =>
        Promise.all(
          names
            .filter((name) => name.startsWith("vantrell-") && name !== kCache)
            .map((name) => caches.delete(name)),
        ),
      )
      .then(() => self.clients.claim()),
  );
});

function live(url) {
  return url.pathname.startsWith("/api/") || url.searchParams.has("run");
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== self.location.origin || live(url)) return;
  // The page's own query (?lang=en) names no other file.
  const key = request.mode === "navigate" ? url.pathname : request;
  event.respondWith(
    caches
      .open(kCache)
      .then((cache) => cache.match(key, { ignoreSearch: request.mode === "navigate" }))
      .then((kept) => kept || fetch(request)),
  );
});
