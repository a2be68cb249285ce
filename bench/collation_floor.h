/* The floor of a sorted word list: a query's texts sorted by an ICU collation, straight on
 * the SQLite and ICU C interfaces. */
#pragma once

#include <sqlite3.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Steps `sql` on `db` to its end and sorts the text of its first column by the ICU collation
 * of `locale` with letter case ignored (strength secondary, normalization on), keeping one of
 * each run of equal texts. Returns the texts kept, or -1 on an error; *rows gets the rows
 * stepped. */
long floor_collated_distinct(sqlite3* db, const char* sql, const char* locale, long* rows);

#ifdef __cplusplus
}
#endif
