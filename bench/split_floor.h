/* The floor of the name parser: each name split at its spaces into words, nothing more. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Splits each of `count` names, name i the bytes from starts[i] to starts[i + 1] - 1 (the
 * byte between two names is a separator of its own) of `text`, into the words between its
 * spaces, each kept as its place and length as a parser keeps them. Returns the words. */
long floor_split_names(const char* text, const size_t* starts, size_t count);

#ifdef __cplusplus
}
#endif
