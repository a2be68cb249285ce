#include "split_floor.h"

/* Where the words go, so that finding them is not left out. */
static volatile size_t wordsSeen;

struct word {
    const char* start;
    size_t length;
};

long floor_split_names(const char* text, const size_t* starts, size_t count) {
    struct word words[64];
    long total = 0;
    for (size_t name = 0; name < count; ++name) {
        const char* at = text + starts[name];
        const char* const end = text + starts[name + 1] - 1;
        int found = 0;
        while (at < end && found < 64) {
            const char* start = at;
            while (at < end && *at != ' ')
                ++at;
            words[found].start = start;
            words[found].length = (size_t)(at - start);
            ++found;
            ++at;
        }
        total += found;
        if (found > 0)
            wordsSeen += words[found - 1].length;
    }
    return total;
}
