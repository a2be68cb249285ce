#include "QueryFloor.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <utility>

namespace {

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    std::fprintf(stderr, "query floor: %s: %s\n", what.c_str(), db ? sqlite3_errmsg(db) : "");
    std::exit(2);
}

// Binds the values of a list's parameters, as each fill does.
void bind(sqlite3_stmt* statement, const std::vector<std::string>& params) {
    for (size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(statement, int(i) + 1, params[i].c_str(), int(params[i].size()),
                          SQLITE_STATIC);
}

} // namespace

QueryFloor::QueryFloor(std::string file, std::string sql, std::vector<std::string> params,
                       std::vector<std::string> columns)
    : file_(std::move(file)), sql_(std::move(sql)), params_(std::move(params)),
      columnNames_(std::move(columns)) {
    open();
}

QueryFloor::~QueryFloor() {
    close();
}

void QueryFloor::open() {
    // The flags of the program's connection: one thread, no mutex.
    if (sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK)
        fail(db_, file_);
    prepare();
}

void QueryFloor::close() {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
}

void QueryFloor::prepare() {
    if (sqlite3_prepare_v2(db_, sql_.c_str(), int(sql_.size()), &statement_, nullptr) != SQLITE_OK)
        fail(db_, sql_);
    columns_.clear();
    for (const std::string& name : columnNames_) {
        int found = -1;
        for (int column = 0; column < sqlite3_column_count(statement_); ++column) {
            if (sqlite3_stricmp(sqlite3_column_name(statement_, column), name.c_str()) == 0)
                found = column;
        }
        if (found < 0)
            fail(nullptr, "no column " + name);
        columns_.push_back(found);
    }
}

double QueryFloor::run() {
    const auto start = std::chrono::steady_clock::now();
    bind(statement_, params_);
    const int page = columns_.back();
    long rows = 0;
    unsigned long sum = 0;
    int step;
    // Each column through one handle: the cheapest way the C API offers to read a row.
    while ((step = sqlite3_step(statement_)) == SQLITE_ROW) {
        for (size_t i = 0; i + 1 < columns_.size(); ++i) {
            sqlite3_value* const value = sqlite3_column_value(statement_, columns_[i]);
            const unsigned char* text = sqlite3_value_text(value);
            sum += unsigned(sqlite3_value_bytes(value)) + (text ? *text : 0);
        }
        sum += unsigned(sqlite3_value_int(sqlite3_column_value(statement_, page)));
        ++rows;
    }
    if (step != SQLITE_DONE)
        fail(db_, sql_);
    sqlite3_reset(statement_);
    const auto end = std::chrono::steady_clock::now();
    rows_ = rows;
    checksum_ += sum;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double QueryFloor::warm() {
    return run();
}

double QueryFloor::cold(const std::vector<QueryFloor*>& before) {
    close();
    open();
    for (QueryFloor* query : before) {
        // The same statement on this new connection, so that it reads the same pages.
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, query->sql_.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            fail(db_, query->sql_);
        bind(statement, query->params_);
        while (sqlite3_step(statement) == SQLITE_ROW) {
        }
        sqlite3_finalize(statement);
    }
    return run();
}
