#include "collation_floor.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

typedef struct {
    uint8_t* key;
    long order;
} Entry;

/* By sort key, and equal keys in the order met. */
static int compareEntries(const void* a, const void* b) {
    const Entry* left = a;
    const Entry* right = b;
    const int keys = strcmp((const char*)left->key, (const char*)right->key);
    return keys ? keys : (left->order > right->order) - (left->order < right->order);
}

long floor_collated_distinct(sqlite3* db, const char* sql, const char* locale, long* rows) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(locale, &status);
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_SECONDARY, &status);
    sqlite3_stmt* statement = NULL;
    if (U_FAILURE(status) || sqlite3_prepare_v2(db, sql, -1, &statement, NULL) != SQLITE_OK) {
        ucol_close(collator);
        return -1;
    }
    size_t capacity = 1024;
    size_t count = 0;
    Entry* entries = malloc(capacity * sizeof(Entry));
    UChar text[1024];
    uint8_t key[4096];
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const char* utf8 = (const char*)sqlite3_column_text(statement, 0);
        int32_t length = 0;
        status = U_ZERO_ERROR;
        u_strFromUTF8(text, 1024, &length, utf8 ? utf8 : "", sqlite3_column_bytes(statement, 0),
                      &status);
        const int32_t keyLength = ucol_getSortKey(collator, text, length, key, sizeof key);
        if (count == capacity)
            entries = realloc(entries, (capacity *= 2) * sizeof(Entry));
        entries[count].key = malloc((size_t)keyLength);
        memcpy(entries[count].key, key, (size_t)keyLength);
        entries[count].order = (long)count;
        ++count;
    }
    sqlite3_finalize(statement);
    qsort(entries, count, sizeof(Entry), compareEntries);
    long kept = 0;
    for (size_t i = 0; i < count; ++i) {
        if (i == 0 || strcmp((const char*)entries[i - 1].key, (const char*)entries[i].key) != 0)
            ++kept;
    }
    for (size_t i = 0; i < count; ++i)
        free(entries[i].key);
    free(entries);
    ucol_close(collator);
    *rows = (long)count;
    return step == SQLITE_DONE ? kept : -1;
}
