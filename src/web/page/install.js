// The page as an installed app: the service worker that keeps it for offline use (only in
// the hosted build, which links a manifest, and only over http(s): none runs from a file),
// the files the system hands over when the app is opened with one, and writing back into
// such a file.
import { text } from './text.js';

function hosted() {
  return Boolean(document.querySelector('link[rel="manifest"]')) && 'serviceWorker' in navigator &&
    (location.protocol === 'https:' || location.protocol === 'http:');
}

// The worker takes over the page once it has cached it; when one was in charge already, a
// new build has replaced the cached one.
export function keepForOffline(tell) {
  if (!hosted()) return;
  const replacing = Boolean(navigator.serviceWorker.controller);
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    tell(replacing ? text('A new version was taken in; it is used from the next time the page opens.')
      : text('Kept on this device: the page now opens without a network.'));
  });
  navigator.serviceWorker.register('sw.js').catch(() => {
    tell(text('The page could not be kept for offline use.'));
  });
}

// A .gb opened with the installed app from the file manager: `open(file, handle)`.
export function takeLaunchedFiles(open) {
  if (!('launchQueue' in window)) return;
  window.launchQueue.setConsumer(async ({ files }) => {
    if (files.length) await open(await files[0].getFile(), files[0]);
  });
}

// Writes the bytes into the file behind the handle; false when writing was not allowed.
export async function writeBack(handle, bytes) {
  const mode = { mode: 'readwrite' };
  if (handle.queryPermission && (await handle.queryPermission(mode)) !== 'granted' &&
      (await handle.requestPermission(mode)) !== 'granted') {
    return false;
  }
  const writable = await handle.createWritable();
  await writable.write(bytes);
  await writable.close();
  return true;
}

// Whether the browser can open a file with a handle to save back into.
export function canPickFiles() {
  return 'showOpenFilePicker' in window;
}

// {file, handle} of the file the user picks; null when the picker was closed.
export async function pickFile() {
  try {
    const [handle] = await window.showOpenFilePicker();
    return { file: await handle.getFile(), handle };
  } catch (error) {
    if (error.name === 'AbortError') return null;
    throw error;
  }
}
