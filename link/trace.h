// Trace lines on the standard output, flushed at once so that they keep
// their place among what else the program prints.
#pragma once

#include <cstdio>

namespace orlo {

inline void trace(const char *line)
{
    std::fputs(line, stdout);
    std::fflush(stdout);
}

} // namespace orlo
