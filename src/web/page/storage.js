// Keeps the image being edited in the browser's own storage (IndexedDB) after every
// change, with its original and its undo history, so that a closed tab, a reload or a
// crash loses nothing: the next visit offers it back. Storage may be refused (a private
// window, a full disk); the page then goes on without it and says so once.
import { browserReason } from './files.js';

const DATABASE = 'vesk-web';
const STORE = 'session';
const SESSION_KEY = 'current';

function settled(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

function committed(transaction) {
  return new Promise((resolve, reject) => {
    transaction.oncomplete = () => resolve();
    transaction.onerror = () => reject(transaction.error);
    transaction.onabort = () => reject(transaction.error);
  });
}

export class SessionStore {
  // failed(reason) is told once, when storage first fails; kept(record) after each write.
  constructor({ failed, kept }) {
    Object.assign(this, { failed, kept, db: null, pending: null, writing: false });
  }

  async open() {
    try {
      const request = indexedDB.open(DATABASE, 1);
      request.onupgradeneeded = () => request.result.createObjectStore(STORE);
      this.db = await settled(request);
    } catch (error) {
      this.fail(error);
    }
    return this.db !== null;
  }

  fail(error) {
    if (this.db) this.db.close();
    this.db = null;
    this.failed(browserReason(error));
  }

  async take() {
    if (!this.db) return null;
    try {
      return (await settled(this.db.transaction(STORE).objectStore(STORE).get(SESSION_KEY))) ?? null;
    } catch (error) {
      this.fail(error);
      return null;
    }
  }

  // Keeps what `record()` gives; while a write is under way only the newest record waits,
  // made when its turn comes, so that a burst of edits costs one or two writes.
  keep(record) {
    if (!this.db) return;
    this.pending = record;
    // After the change has been drawn: copying the image for storage need not hold it up.
    if (!this.writing) {
      this.writing = true;
      setTimeout(() => this.drain(), 0);
    }
  }

  async drain() {
    while (this.pending && this.db) {
      const record = this.pending();
      this.pending = null;
      try {
        const transaction = this.db.transaction(STORE, 'readwrite');
        transaction.objectStore(STORE).put(record, SESSION_KEY);
        await committed(transaction);
        this.kept(record);
      } catch (error) {
        this.fail(error);
      }
    }
    this.writing = false;
  }

  async forget() {
    if (!this.db) return;
    this.pending = null;
    try {
      const transaction = this.db.transaction(STORE, 'readwrite');
      transaction.objectStore(STORE).delete(SESSION_KEY);
      await committed(transaction);
    } catch (error) {
      this.fail(error);
    }
  }
}
