#include "basestation/BsRow.h"

#include "basestation/BsText.h"

namespace bs {

namespace {

// Record fields in column order (columns 1..12).
struct DecimalColumn {
    int column;
    int32_t BsConfig::*field;
};
struct AddressColumn {
    int column;
    uint32_t BsConfig::*field;
};

const DecimalColumn kDecimalColumns[] = {
    {1, &BsConfig::Version},   {2, &BsConfig::Channel},      {3, &BsConfig::CallMagic},
    {4, &BsConfig::ZoneMagic}, {5, &BsConfig::RepeaterMode},
};
const AddressColumn kAddressColumns[] = {
    {6, &BsConfig::IpAddr},  {7, &BsConfig::NetMask}, {8, &BsConfig::Gateway}, {9, &BsConfig::ManagerIp},
    {10, &BsConfig::Proxy0}, {11, &BsConfig::Proxy1}, {12, &BsConfig::Proxy2},
};

}  // namespace

BsRowTexts RecordToRow(const char *serial, const BsConfig &record) {
    BsRowTexts row;
    char buffer[kTextBufferBytes];
    CopyBounded(buffer, sizeof buffer, serial);
    row[0] = buffer;
    for (const DecimalColumn &c : kDecimalColumns) row[c.column] = FormatDecimal(record.*c.field);
    for (const AddressColumn &c : kAddressColumns) row[c.column] = FormatDottedQuad(record.*c.field);
    return row;
}

bool RowToRecord(const BsRowTexts &row, BsConfig &record, char *serialBuffer) {
    const bool fits = CopyBounded(serialBuffer, kSerialBufferBytes, row[0].c_str());
    for (const DecimalColumn &c : kDecimalColumns) record.*c.field = ParseDecimal(row[c.column].c_str());
    for (const AddressColumn &c : kAddressColumns) record.*c.field = ParseAddress(row[c.column].c_str());
    return fits;
}

}  // namespace bs
