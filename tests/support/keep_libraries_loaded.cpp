// Linked into the sanitizer build of the editor only. LeakSanitizer looks for leaks after
// the libraries a program unloaded are gone: memory that a graphics driver or a plug-in
// still points to from its own data then looks leaked, and the report can name neither the
// library nor a function in it, so no suppression can match it. Keeping every library
// loaded until the process ends lets LeakSanitizer see those pointers, and any real leak in
// a library is reported under the library's name. The program's own allocations are
// checked as before.
extern "C" int dlclose(void*) { return 0; }
