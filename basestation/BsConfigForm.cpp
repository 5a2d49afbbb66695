#include "basestation/BsConfigForm.h"

#include <cstring>

#include "basestation/BsText.h"

namespace bs {

namespace {

const wchar_t kSerialTooLong[] = L"序列号不能超过27个字节！";
const wchar_t kChannelRange[] = L"频道必须在1-200之间的整数！";
const wchar_t kCallMagicRange[] = L"通讯密码必须在1-999999999之间的整数！";
const wchar_t kZoneMagicRange[] = L"区域密码必须在1-10之间的整数！";
const wchar_t kIpAddrBad[] = L"Ip地址不合法";
const wchar_t kNetMaskBad[] = L"子网掩码地址不合法！";
const wchar_t kGatewayBad[] = L"网关地址不合法！";
const wchar_t kManagerIpBad[] = L"服务器管理地址不合法！";
const wchar_t kProxy0Bad[] = L"代理服务器1地址不合法！";
const wchar_t kProxy1Bad[] = L"代理服务器2地址不合法！";
const wchar_t kProxy2Bad[] = L"代理服务器3地址不合法！";

struct FieldInfo {
    const wchar_t *control;
    const wchar_t *refusal;
};

const FieldInfo kFields[kFieldCount] = {
    {L"Serial", kSerialTooLong},     {L"Version", nullptr},           {L"Channel", kChannelRange},
    {L"CallMagic", kCallMagicRange}, {L"ZoneMagic", kZoneMagicRange}, {L"RepeaterMode", nullptr},
    {L"IpAddr", kIpAddrBad},         {L"NetMask", kNetMaskBad},       {L"Gateway", kGatewayBad},
    {L"ManagerIp", kManagerIpBad},   {L"Proxy0", kProxy0Bad},         {L"Proxy1", kProxy1Bad},
    {L"Proxy2", kProxy2Bad},
};

struct RangeStep {
    BsField field;
    int32_t BsConfig::*member;
    int32_t low, high;
};
const RangeStep kRangeSteps[] = {
    {kFieldChannel, &BsConfig::Channel, 1, 200},
    {kFieldCallMagic, &BsConfig::CallMagic, 1, 999999999},
    {kFieldZoneMagic, &BsConfig::ZoneMagic, 1, 10},
};

struct AddressStep {
    BsField field;
    uint32_t BsConfig::*member;
};
const AddressStep kAddressSteps[] = {
    {kFieldIpAddr, &BsConfig::IpAddr},       {kFieldNetMask, &BsConfig::NetMask}, {kFieldGateway, &BsConfig::Gateway},
    {kFieldManagerIp, &BsConfig::ManagerIp}, {kFieldProxy0, &BsConfig::Proxy0},   {kFieldProxy1, &BsConfig::Proxy1},
    {kFieldProxy2, &BsConfig::Proxy2},
};

}  // namespace

const wchar_t *FieldControlName(BsField field) {
    return field >= 0 && field < kFieldCount ? kFields[field].control : L"";
}

const wchar_t *RefusalMessage(BsField field) {
    return field >= 0 && field < kFieldCount ? kFields[field].refusal : nullptr;
}

BsField ApplyForm(const BsFormInput &input, BsConfig &record, char *serialBuffer) {
    // The serial buffer holds 27 bytes: a longer serial would name another station.
    const std::string &serial = input.texts[kFieldSerial];
    if (serial.size() >= kSerialBufferBytes) return kFieldSerial;
    CopyBounded(serialBuffer, kSerialBufferBytes, serial.c_str());

    record.Version = ParseDecimal(input.texts[kFieldVersion].c_str());
    for (const RangeStep &step : kRangeSteps) {
        const int32_t value = ParseDecimal(input.texts[step.field].c_str());
        if (value < step.low || value > step.high) return step.field;
        record.*step.member = value;
    }
    record.RepeaterMode = input.repeaterIndex;
    for (const AddressStep &step : kAddressSteps) {
        uint32_t address = 0;
        if (CheckIpv4Text(input.texts[step.field].c_str(), &address) != 0) return step.field;
        record.*step.member = address;
    }
    return kFieldNone;
}

}  // namespace bs
