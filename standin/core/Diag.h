// Diagnostics of the stand-in libraries: one line on standard error per refused call or
// repaired defect. Never fails, never throws.
#pragma once

namespace standin {

// printf-style; a newline is added. Lines start with "standin: ".
void Warn(const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace standin
