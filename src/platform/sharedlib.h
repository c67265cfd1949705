#pragma once
// Sound, speech and the web are opened when first used: linked at start-up, their libraries and
// the dozens they depend on cost every start of the program more than building all its windows.
// Each user keeps a table of the calls it makes, typed from the library's own header.

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
