// What an action says, beside the controls that started it: each place holds a polite
// status for results and notes and an alert for errors, both in the page from the start
// so that screen readers hear what goes into them. A new message anywhere clears the
// one before, so that only the latest action's result stays.
const places = new Map();
let current = null;

function paragraph(role, kind) {
  const element = document.createElement('p');
  element.setAttribute('role', role);
  element.className = `message ${kind}`;
  return element;
}

// Fills every element of class "feedback" with its two paragraphs, found by its id.
export function setUpMessages() {
  for (const place of document.querySelectorAll('.feedback')) {
    const note = paragraph('status', 'note');
    const error = paragraph('alert', 'error');
    place.append(note, error);
    places.set(place.id, { note, error });
  }
}

export function clearMessage() {
  if (current) current.textContent = '';
  current = null;
}

// kind: 'note' for a result or a note, 'error' for what went wrong.
export function tell(place, message, kind = 'note') {
  clearMessage();
  if (!message) return;
  current = places.get(place)[kind];
  current.textContent = message;
  current.scrollIntoView({ block: 'nearest' });
}
