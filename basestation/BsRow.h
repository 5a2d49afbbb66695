// The base-station row as 13 column texts (8-bit, before conversion for the list) and
// the copies between a row and a record. Column order: serial, Version, Channel,
// CallMagic, ZoneMagic, RepeaterMode, IpAddr, NetMask, Gateway, ManagerIp, Proxy0,
// Proxy1, Proxy2. Reserved fields are not kept by a row.
#pragma once

#include <array>
#include <string>

#include "service/BsConfig.h"

namespace bs {

const int kRowColumns = 13;
const int kRowHeight = 30;
typedef std::array<std::string, kRowColumns> BsRowTexts;

// Record and serial number of a report to the row's texts; the serial is read up to its
// NUL, at most kTextBufferBytes - 1 bytes.
BsRowTexts RecordToRow(const char *serial, const BsConfig &record);

// Row texts back into a record and a serial buffer of kSerialBufferBytes: decimal
// columns by atoi rules, address columns as dotted quads. Reserved1/Reserved2 are left
// as they are. Returns false when the serial did not fit the buffer (it is then cut).
bool RowToRecord(const BsRowTexts &row, BsConfig &record, char *serialBuffer);

}  // namespace bs
