// HalBridge: how BmHalApi.dll reaches the simulated network that lives in BmService.dll
// without either exporting anything beyond its table of functions.
//
// BmService.dll, when loaded, creates a named file mapping "Local\BmStandinHal-<pid>"
// (one per process) holding the address of a HalTable of its own. BmHalApi.dll loads
// BmService.dll (LoadLibrary; normally already loaded by the exe), opens the mapping, reads
// the address and calls through it. Both modules live in the same process, so the address
// is valid; BmService.dll pins itself, so it is never unloaded while BmHalApi.dll may call.
#pragma once

#include <cstdint>

#include "service/BsConfig.h"

namespace standin {

const uint32_t kHalTableMagic = 0x4C414842u;  // "BHAL"
const uint32_t kHalTableVersion = 1;

// Serials reaching the table are checked copies: NUL-terminated, under 100 bytes.
struct HalTable {
    uint32_t magic;
    uint32_t version;
    int (*status)(const char *serial, BsConfig *out);
    int (*setConfig)(const char *serial, const BsConfig *record);
    int (*remove)(const char *serial);
};

// BmService.dll side: publishes the table for this process (idempotent).
bool PublishHalTable(const HalTable *table);
// BmHalApi.dll side: the table, or null when BmService.dll (ours) cannot be reached.
const HalTable *FindHalTable();

}  // namespace standin
