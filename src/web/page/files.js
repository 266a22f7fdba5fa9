// Files in and out of the page: reading what the user picks or drops, and handing bytes
// back as a download with its proper name. Nothing is sent anywhere.
import { text } from './text.js';

export function readBytes(file) {
  return file.arrayBuffer().then((buffer) => new Uint8Array(buffer));
}

export function isFile(item) {
  return item instanceof File;
}

export function saveBytes(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  // Some browsers read the blob after the click has returned.
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// "game.gb" -> "game.bps"; a name without an extension gets one.
export function withExtension(name, extension) {
  const dot = name.lastIndexOf('.');
  const stem = dot > 0 ? name.slice(0, dot) : name;
  return `${stem}.${extension}`;
}

// Why the browser refused a file or storage operation, in the page's language: the
// browser's own messages are in English whatever the page speaks.
const REASONS = {
  NotAllowedError: () => text('The browser did not allow it.'),
  SecurityError: () => text('The browser did not allow it.'),
  NotFoundError: () => text('The file is no longer there.'),
  NotReadableError: () => text('The file could not be read; it may have been moved, changed or locked.'),
  NoModificationAllowedError: () => text('The file is locked or read-only.'),
  InvalidModificationError: () => text('The file is locked or read-only.'),
  InvalidStateError: () => text('The file changed since it was opened.'),
  QuotaExceededError: () => text('There is no room left for it.'),
  AbortError: () => text('It was stopped before it ended.'),
};

export function browserReason(error) {
  const reason = REASONS[error?.name];
  return reason ? reason() : text('The browser refused ({name}).', { name: error?.name ?? String(error) });
}
