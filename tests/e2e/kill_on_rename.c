// Preloaded into a program, kills it the moment it gives a file a name ending in
// $NARDEL_KILL_ON_RENAME_TO, by rename() or, as Qt does for a file written unnamed, by
// linkat(): the state that a power cut or kill -9 leaves at that point.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>

static void killIfVictim(const char* to) {
    const char* victim = getenv("NARDEL_KILL_ON_RENAME_TO");
    const size_t length = victim ? strlen(victim) : 0;
    const size_t toLength = strlen(to);
    if (length > 0 && toLength >= length && strcmp(to + toLength - length, victim) == 0)
        raise(SIGKILL);
}

// The way POSIX gives for a function's address from dlsym().
#define NEXT(function, name) *(void**)&function = dlsym(RTLD_NEXT, name)

int rename(const char* from, const char* to) {
    killIfVictim(to);
    int (*next)(const char*, const char*);
    NEXT(next, "rename");
    return next(from, to);
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
    killIfVictim(to);
    int (*next)(int, const char*, int, const char*, int);
    NEXT(next, "linkat");
    return next(fromFolder, from, toFolder, to, flags);
}
