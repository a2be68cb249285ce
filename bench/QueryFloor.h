#pragma once

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The floor of a list fill: the least work that gives a list's rows. It steps the list's own
// SELECT on the table file through SQLite's C API and reads the columns that the list shows,
// nothing more. It includes nothing of the program and no Qt.
class QueryFloor {
public:
    // `params` are bound in order; `columns` are the names of the columns read, the last one
    // as an integer (the page), the others as text.
    QueryFloor(std::string file, std::string sql, std::vector<std::string> params,
               std::vector<std::string> columns);
    ~QueryFloor();
    QueryFloor(const QueryFloor&) = delete;
    QueryFloor& operator=(const QueryFloor&) = delete;

    // Milliseconds of one run on the open connection, whose page cache holds what the last
    // run read.
    double warm();
    // Closes and reopens the file, prepares (not timed), runs `before` untimed on the new
    // connection, and returns the milliseconds of one run on pages read afresh.
    double cold(const std::vector<QueryFloor*>& before = {});
    // The rows of the last run.
    long rows() const { return rows_; }

private:
    void open();
    void close();
    void prepare();
    double run();

    std::string file_;
    std::string sql_;
    std::vector<std::string> params_;
    std::vector<std::string> columnNames_;
    std::vector<int> columns_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    long rows_ = 0;
    unsigned long checksum_ = 0; // keeps the reads from being optimised away
};
