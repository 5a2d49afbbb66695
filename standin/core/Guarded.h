// Runs work that must not let an exception out (the DLL exports, the network thread):
// an exception is reported on standard error and answered with a failure value.
#pragma once

#include <exception>

#include "standin/core/Diag.h"

namespace standin {

template <typename F>
int Guarded(const char *what, int failure, F body) {
    try {
        return body();
    } catch (const std::exception &e) {
        Warn("%s: internal failure (%s)", what, e.what());
    } catch (...) {
        Warn("%s: internal failure", what);
    }
    return failure;
}

}  // namespace standin
