#pragma once

#include <functional>

// Runs `work` in a child process that is killed after `seconds` and, outside sanitizer builds,
// may not grow beyond 1 GiB: code that would hang or fill the memory fails a case instead.
// Gives the child's exit code, `work`'s result; -1 when the child was killed or crashed, -2
// when `work` threw.
int exitCodeInChild(const std::function<int()>& work, unsigned seconds = 10);
