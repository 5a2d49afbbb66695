#include "standin/HalBridge.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "standin/core/Diag.h"

namespace standin {
namespace {

std::wstring MappingName() { return L"Local\\BmStandinHal-" + std::to_wstring(GetCurrentProcessId()); }

}  // namespace

bool PublishHalTable(const HalTable *table) {
    // The handle stays open for the life of the process: it keeps the mapping alive.
    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(table), MappingName().c_str());
    if (!mapping) return false;
    void *view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(table));
    if (!view) return false;
    *static_cast<const HalTable **>(view) = table;
    UnmapViewOfFile(view);
    return true;
}

const HalTable *FindHalTable() {
    // Status calls (poller thread) and pushes (UI thread) may both get here first.
    static std::atomic<const HalTable *> s_table{nullptr};
    if (const HalTable *known = s_table.load()) return known;
    if (!LoadLibraryW(L"BmService.dll")) {
        Warn("BmHalApi: BmService.dll cannot be loaded (error %lu)", GetLastError());
        return nullptr;
    }
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, MappingName().c_str());
    if (!mapping) {
        Warn("BmHalApi: the loaded BmService.dll offers no station network");
        return nullptr;
    }
    const HalTable *table = nullptr;
    if (void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(table))) {
        table = *static_cast<const HalTable *const *>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    if (!table || table->magic != kHalTableMagic || table->version != kHalTableVersion) {
        Warn("BmHalApi: station network table not recognised");
        return nullptr;
    }
    s_table.store(table);
    return table;
}

}  // namespace standin
