#pragma once

#include <stdexcept>

// A bad input line: "file:line: what is wrong".
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
