#include "sqlite_floor.h"

#include <stddef.h>

/* Where the bytes read go, so that reading them is not left out. */
static volatile size_t bytesRead;

long floor_step_rows(sqlite3* db, const char* sql, const char* text, long limit) {
    sqlite3_stmt* statement = NULL;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, NULL) != SQLITE_OK)
        return -1;
    if (text)
        sqlite3_bind_text(statement, 1, text, -1, SQLITE_TRANSIENT);
    const long rows = floor_step_statement(statement, limit);
    sqlite3_finalize(statement);
    return rows;
}

long floor_step_statement(sqlite3_stmt* statement, long limit) {
    const int columns = sqlite3_column_count(statement);
    long rows = 0;
    size_t bytes = 0;
    int step = SQLITE_ROW;
    while ((limit < 0 || rows < limit) && (step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            if (sqlite3_column_type(statement, column) == SQLITE_INTEGER)
                bytes += (size_t)sqlite3_column_int64(statement, column) & 1;
            else if (sqlite3_column_blob(statement, column))
                bytes += (size_t)sqlite3_column_bytes(statement, column);
        }
        ++rows;
    }
    sqlite3_reset(statement);
    bytesRead = bytes;
    return step == SQLITE_ROW || step == SQLITE_DONE ? rows : -1;
}
