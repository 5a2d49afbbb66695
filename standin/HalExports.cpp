// BmHalApi.dll's exports (service/BmHalApi.def): checked arguments, then the station
// network in BmService.dll through HalBridge.
#include <windows.h>

#include <string>

#include "service/BmHalApi.h"
#include "standin/HalBridge.h"
#include "standin/core/CallStore.h"
#include "standin/core/Diag.h"
#include "standin/core/InputText.h"

using namespace standin;

namespace {

bool ReadSerial(const char *serial, const char *what, std::string *out) {
    if (ReadText(serial, out)) return true;
    Warn("%s: serial is null or has no NUL within %u bytes", what, static_cast<unsigned>(kTextLimit));
    return false;
}

}  // namespace

extern "C" {

int BM_CALL BmHalBsStatus(char *serial, BsConfig *out) {
    std::string s;
    if (!ReadSerial(serial, "BmHalBsStatus", &s)) return 0;
    const HalTable *table = FindHalTable();
    return table ? table->status(s.c_str(), out) : 0;
}

int BM_CALL BmHalBsSetConfig(char *serial, BsConfig *record) {
    std::string s;
    if (!ReadSerial(serial, "BmHalBsSetConfig", &s)) return kBadInput;
    if (!record) {
        Warn("BmHalBsSetConfig: null record");
        return kBadInput;
    }
    const HalTable *table = FindHalTable();
    return table ? table->setConfig(s.c_str(), record) : kClosed;
}

int BM_CALL BmHalBsDelete(char *serial) {
    std::string s;
    if (!ReadSerial(serial, "BmHalBsDelete", &s)) return kBadInput;
    const HalTable *table = FindHalTable();
    return table ? table->remove(s.c_str()) : kClosed;
}

}  // extern "C"
