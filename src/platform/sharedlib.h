#pragma once
// Sound, speech and the web are opened when first used, not linked with the program: the web at
// every start (the welcome window fetches the status page as it is made), sound when music or an
// effect first plays, speech with the first word spoken. Each brings the dozens of libraries it
// depends on. Each user keeps a table of the calls it makes, typed from the library's own header.

// The library of that soname (bound lazily, kept for the life of the process); nullptr when it
// cannot be loaded.
void *POpenSharedLib(const char *soname);

// Looks name up in lib into slot; false when lib is nullptr or has no such symbol.
void *PSharedSymbol(void *lib, const char *name);
template <typename F>
bool PResolve(void *lib, const char *name, F &slot)
{
    void *p = PSharedSymbol(lib, name);
    slot = reinterpret_cast<F>(p);
    return p != nullptr;
}

// A table's slots are declared and filled from one list of the calls, X(name) for each; filling
// wants `void *handle`, the table `calls` and `bool ok` in scope.
#define LEXORIN_SLOT(name) decltype(&::name) name = nullptr;
#define LEXORIN_RESOLVE(name) ok = PResolve(handle, #name, calls.name) && ok;
