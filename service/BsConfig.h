// BsConfig: the 56-byte base-station record exchanged with both service libraries.
// Wire format: no header, integers little-endian, addresses 4 bytes in network byte
// order (as inet_addr returns them). Reserved fields are never read and always sent as 0.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct BsConfig {
    int32_t Version;
    uint32_t Reserved1;
    int32_t Channel;  // 1..200 when sent by the dialog
    uint32_t Reserved2;
    int32_t CallMagic;  // communication password, 1..999999999
    int32_t ZoneMagic;  // zone password, 1..10
    uint32_t IpAddr;    // network byte order
    uint32_t NetMask;
    uint32_t Gateway;
    uint32_t ManagerIp;
    int32_t RepeaterMode;  // combo index, -1 when none is selected
    uint32_t Proxy0;
    uint32_t Proxy1;
    uint32_t Proxy2;
};
#pragma pack(pop)

static_assert(sizeof(BsConfig) == 56, "BsConfig is a 56-byte wire record");
static_assert(offsetof(BsConfig, Version) == 0, "layout");
static_assert(offsetof(BsConfig, Reserved1) == 4, "layout");
static_assert(offsetof(BsConfig, Channel) == 8, "layout");
static_assert(offsetof(BsConfig, Reserved2) == 12, "layout");
static_assert(offsetof(BsConfig, CallMagic) == 16, "layout");
static_assert(offsetof(BsConfig, ZoneMagic) == 20, "layout");
static_assert(offsetof(BsConfig, IpAddr) == 24, "layout");
static_assert(offsetof(BsConfig, NetMask) == 28, "layout");
static_assert(offsetof(BsConfig, Gateway) == 32, "layout");
static_assert(offsetof(BsConfig, ManagerIp) == 36, "layout");
static_assert(offsetof(BsConfig, RepeaterMode) == 40, "layout");
static_assert(offsetof(BsConfig, Proxy0) == 44, "layout");
static_assert(offsetof(BsConfig, Proxy1) == 48, "layout");
static_assert(offsetof(BsConfig, Proxy2) == 52, "layout");
