// Lets the site open without a network after the first visit. A browser without service workers
// (or a page opened from a file) simply runs from the network.
if ('serviceWorker' in navigator && window.isSecureContext) {
  // Without a network the check for a newer build fails; the cached build then goes on running.
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
}
