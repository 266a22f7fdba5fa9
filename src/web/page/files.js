// Files in and out of the page: reading what the user picks or drops, and handing bytes
// back as a download with its proper name. Nothing is sent anywhere.

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
