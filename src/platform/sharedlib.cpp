#include "platform/sharedlib.h"

#include <dlfcn.h>

void *POpenSharedLib(const char *soname) { return dlopen(soname, RTLD_LAZY | RTLD_LOCAL); }

void *PSharedSymbol(void *lib, const char *name) { return lib ? dlsym(lib, name) : nullptr; }
