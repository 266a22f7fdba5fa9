// The C++ core, compiled to WebAssembly: the enemy data, its labels and every conversion.
// The page only shows what the core gives and hands it what the user does.

export async function loadCore() {
  // createVeskCore comes from vesk-core.js, which holds the WebAssembly inside itself.
  const core = await globalThis.createVeskCore();
  return { core, labels: core.labels(), document: new core.WebDocument() };
}
