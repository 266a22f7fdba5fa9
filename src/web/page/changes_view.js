// The changes view after an edit: only the lines that differ from what it shows are
// replaced, so that one edit lays out one line, not the whole list again.

// Shows `listing` (lines ending in "\n") in `view`, one text node a line.
export function showListing(view, listing) {
  const lines = listing.match(/[^\n]*\n|[^\n]+$/g) ?? [];
  const nodes = view.childNodes;
  if (nodes.length && nodes.length !== (view.dataset.lines | 0)) view.replaceChildren();  // set by someone else
  let head = 0;
  while (head < lines.length && head < nodes.length && nodes[head].data === lines[head]) head++;
  let tail = 0;
  while (tail < lines.length - head && tail < nodes.length - head
    && nodes[nodes.length - 1 - tail].data === lines[lines.length - 1 - tail]) tail++;
  const range = document.createRange();
  range.setStart(view, head);
  range.setEnd(view, nodes.length - tail);
  range.deleteContents();
  const fresh = lines.slice(head, lines.length - tail).map((line) => document.createTextNode(line));
  const fragment = new DocumentFragment();
  fragment.append(...fresh);
  view.insertBefore(fragment, nodes[head] ?? null);
  view.dataset.lines = lines.length;
}
