// The console's side of BmHalApi.dll: station presence and configuration push.
// Exported names are undecorated, __cdecl; serial numbers are NUL-terminated 8-bit text.
#pragma once

#include "service/BmService.h"

extern "C" {

// Non-zero while the station is present; out receives 56 bytes (one BsConfig).
int BM_CALL BmHalBsStatus(char *serial, BsConfig *out);
int BM_CALL BmHalBsSetConfig(char *serial, BsConfig *record);
int BM_CALL BmHalBsDelete(char *serial);
}
