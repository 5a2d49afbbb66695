// Date texts of the call store: "YYYY-MM-DD HH:MM:SS", local time, whole seconds.
// A time is kept as seconds since 1970-01-01 00:00:00 of the same (local) calendar, so
// ordering and range tests are plain integer comparisons.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

// Strict: exactly 19 characters in that form, a real calendar date (leap years counted),
// hours 0..23, minutes and seconds 0..59, years 1601..9999. Reads at most 100 bytes.
bool ParseDateText(const char *text, int64_t *seconds);

int64_t SecondsFromCivil(const CivilTime &t);
CivilTime CivilFromSeconds(int64_t seconds);
std::string FormatDateText(int64_t seconds);

}  // namespace standin

namespace standin {
// The local wall-clock time now, in the seconds of ParseDateText.
int64_t LocalNowSeconds();
}  // namespace standin
