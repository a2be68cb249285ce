/* The floor of a read: the least work that gives a query's rows, straight on SQLite's C
 * interface. */
#pragma once

#include <sqlite3.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Prepares `sql` on `db`, binds `text` to its first parameter unless `text` is NULL, steps up
 * to `limit` rows (all rows when `limit` is negative) reading every column, and finalizes.
 * Returns the rows stepped, or -1 on an error. */
long floor_step_rows(sqlite3* db, const char* sql, const char* text, long limit);
/* The same on a statement that its caller keeps prepared (and bound); rewinds it after. */
long floor_step_statement(sqlite3_stmt* statement, long limit);

#ifdef __cplusplus
}
#endif
