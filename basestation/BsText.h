// Text forms of base-station record fields and serial numbers, free of any window or
// socket API so that they are tested without one. All 8-bit text here is ASCII-safe:
// digits, dots, signs and serial bytes, passed through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bs {

// Stations are told apart by the first kSerialKeyBytes bytes of their serial numbers.
const size_t kSerialKeyBytes = 28;
// The dialog's serial buffer: 27 bytes and the NUL.
const size_t kSerialBufferBytes = 28;
// 8-bit text buffers read from controls and serials carried by a report.
const size_t kTextBufferBytes = 100;

// "%d": minus sign for negatives, no padding, no separators.
std::string FormatDecimal(int32_t value);
// The dotted quad of an address stored in network byte order (first octet at the
// lowest address), as inet_ntop(AF_INET) writes it.
std::string FormatDottedQuad(uint32_t networkOrder);

// atoi rules: leading white space, optional sign, digits up to the first other byte,
// 0 without digits. Out-of-range values saturate at INT32_MIN/INT32_MAX.
int32_t ParseDecimal(const char *text);

// Dotted-quad check: four groups of one to three decimal digits, each 0..255, joined by
// three dots; nothing else. 0 when accepted (and *networkOrder, if given, receives the
// address in network byte order, group by group as written in decimal), -1 when refused.
int CheckIpv4Text(const char *text, uint32_t *networkOrder = nullptr);
// Address text to value as the record stores it: the checked value, or 255.255.255.255
// (all ones, as inet_addr answers) for text that is not a dotted quad.
uint32_t ParseAddress(const char *text);

// The part of a serial number that identifies the station: up to the NUL, at most
// kSerialKeyBytes bytes.
std::string SerialKey(const char *serial);

// Copies src into dst[size] up to its NUL, cutting at size - 1 bytes; dst is always
// terminated. Returns false when src was cut.
bool CopyBounded(char *dst, size_t size, const char *src);

}  // namespace bs
