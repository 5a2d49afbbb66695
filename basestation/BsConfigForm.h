// The configuration dialog's input as plain data, and its checks: the fields in the
// order they are read and checked, the refusal message of each, and the apply step that
// stores every accepted value into the record as it goes and stops at the first refusal.
#pragma once

#include <array>
#include <string>

#include "service/BsConfig.h"

namespace bs {

// Edit fields in check order; RepeaterMode (the combo) comes between ZoneMagic and
// IpAddr and has no text.
enum BsField {
    kFieldSerial,
    kFieldVersion,
    kFieldChannel,
    kFieldCallMagic,
    kFieldZoneMagic,
    kFieldRepeaterMode,
    kFieldIpAddr,
    kFieldNetMask,
    kFieldGateway,
    kFieldManagerIp,
    kFieldProxy0,
    kFieldProxy1,
    kFieldProxy2,
    kFieldCount,
    kFieldNone = -1,
};

// Control name of each field ("Serial", ..., "Proxy2").
const wchar_t *FieldControlName(BsField field);

struct BsFormInput {
    // 8-bit text of each edit field, as read from its control (at most 99 bytes);
    // the entry of kFieldRepeaterMode is unused.
    std::array<std::string, kFieldCount> texts;
    int repeaterIndex = -1;  // the combo's selection, -1 for none
};

// Checks and stores in field order. Returns the first refused field, or kFieldNone when
// every field passed. Values of the fields before a refused one stay stored.
BsField ApplyForm(const BsFormInput &input, BsConfig &record, char *serialBuffer);

// The message box text for a refused field (null for a field that is never refused).
const wchar_t *RefusalMessage(BsField field);

}  // namespace bs
