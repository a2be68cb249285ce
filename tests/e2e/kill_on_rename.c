// Preloaded into a program, kills it the moment it renames a file over one whose name ends in
// $NARDEL_KILL_ON_RENAME_TO: the state that a power cut or kill -9 leaves at that point.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int rename(const char* from, const char* to) {
    const char* victim = getenv("NARDEL_KILL_ON_RENAME_TO");
    const size_t length = victim ? strlen(victim) : 0;
    const size_t toLength = strlen(to);
    if (length > 0 && toLength >= length && strcmp(to + toLength - length, victim) == 0)
        raise(SIGKILL);
    int (*realRename)(const char*, const char*);
    // The way POSIX gives for a function's address from dlsym().
    *(void**)&realRename = dlsym(RTLD_NEXT, "rename");
    return realRename(from, to);
}
