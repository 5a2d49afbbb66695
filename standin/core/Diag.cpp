#include "standin/core/Diag.h"

#include <cstdarg>
#include <cstdio>

namespace standin {

void Warn(const char *fmt, ...) {
    char line[512];
    va_list args;
    va_start(args, fmt);
    vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    fprintf(stderr, "standin: %s\n", line);
    fflush(stderr);
}

}  // namespace standin
