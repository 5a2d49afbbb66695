// Definitions of both libraries' exports for tests, answering from the script.
#include "tests/double/ServiceDouble.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace servicedouble {
namespace {

const size_t kTextLimit = 100;  // text arguments are read up to 100 bytes

struct State {
    std::vector<Call> calls;
    int initializeResult = 0;
    BsReportCallbackProc callback = nullptr;

    int defaultStatus = 1;
    std::map<std::string, int> status;
    std::map<std::string, BsConfig> statusRecord;
    int setConfigResult = 0;
    int deleteResult = 0;

    std::vector<CallRecord> records;
    bool queryFails = false;
    int dbDeleteResult = 0;
    size_t cursor = 0;     // next record index of the open window
    size_t windowEnd = 0;  // one past its last

    std::map<std::string, int> inUse;
    int voiceDeleteResult = 0;
    int locateResult = 0;

    int playFileFrames = 1500;
    int totalFrames = 0;
    int currentFrame = 0;
    int stopFlag = 0;

    int recordFlag = 0;
    bool recordFlagFollows = true;
};

std::mutex g_mutex;
State g_state;

std::string Text(const char *p) {
    if (!p) return std::string();
    size_t n = 0;
    while (n < kTextLimit && p[n] != '\0') ++n;
    return std::string(p, n);
}

// Appends a call record; the caller holds the lock.
Call &Record(const char *function) {
    Call c;
    c.function = function;
    c.threadId = GetCurrentThreadId();
    g_state.calls.push_back(c);
    return g_state.calls.back();
}

int NameIdCall(const char *function, char *name, int id, int result) {
    Call &c = Record(function);
    c.texts.push_back(Text(name));
    c.ints.push_back(id);
    c.result = result;
    return result;
}

void Deliver(const CallRecord &r, int *id, char *name) {
    if (id) *id = r.id;
    if (name) {
        size_t n = std::min(r.name.size(), kTextLimit - 1);
        memcpy(name, r.name.data(), n);
        name[n] = '\0';
    }
}

}  // namespace

void ServiceDouble::Reset() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state = State();
}

std::vector<Call> ServiceDouble::Calls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.calls;
}

std::vector<Call> ServiceDouble::Calls(const std::string &function) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<Call> out;
    for (const Call &c : g_state.calls)
        if (c.function == function) out.push_back(c);
    return out;
}

size_t ServiceDouble::CallCount(const std::string &function) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::count_if(g_state.calls.begin(), g_state.calls.end(),
                         [&](const Call &c) { return c.function == function; });
}

void ServiceDouble::ClearCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.calls.clear();
}

void ServiceDouble::SetInitializeResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.initializeResult = result;
}

BsReportCallbackProc ServiceDouble::Callback() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.callback;
}

int ServiceDouble::InvokeReport(const char *serial, BsConfig *record) {
    BsReportCallbackProc cb = Callback();
    return cb ? cb(serial, record) : 0;
}

void ServiceDouble::SetDefaultStatus(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.defaultStatus = result;
}

void ServiceDouble::SetStatus(const std::string &serial, int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.status[serial] = result;
}

void ServiceDouble::SetStatusRecord(const std::string &serial, const BsConfig &record) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.statusRecord[serial] = record;
}

void ServiceDouble::SetSetConfigResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.setConfigResult = result;
}

void ServiceDouble::SetDeleteResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.deleteResult = result;
}

void ServiceDouble::SetCallRecords(const std::vector<CallRecord> &records) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.records = records;
    g_state.cursor = g_state.windowEnd = 0;
}

std::vector<CallRecord> ServiceDouble::CallRecords() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.records;
}

void ServiceDouble::SetQueryFails(bool fails) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.queryFails = fails;
}

void ServiceDouble::SetDbDeleteResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.dbDeleteResult = result;
}

void ServiceDouble::SetFileInUse(const std::string &name, int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.inUse[name] = result;
}

void ServiceDouble::SetVoiceDeleteResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.voiceDeleteResult = result;
}

void ServiceDouble::SetLocateResult(int result) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.locateResult = result;
}

void ServiceDouble::SetPlayFileFrames(int totalFrames) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.playFileFrames = totalFrames;
}

void ServiceDouble::SetPlayerState(int totalFrames, int currentFrame) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.totalFrames = totalFrames;
    g_state.currentFrame = totalFrames > 0 ? currentFrame : 0;
}

void ServiceDouble::SetStopFlag(int flag) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.stopFlag = flag;
}

int ServiceDouble::TotalFrames() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.totalFrames;
}

int ServiceDouble::CurrentFrame() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.currentFrame;
}

int ServiceDouble::StopFlag() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.stopFlag;
}

void ServiceDouble::SetRecordFlag(int flag) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.recordFlag = flag;
}

int ServiceDouble::RecordFlag() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_state.recordFlag;
}

void ServiceDouble::SetRecordFlagFollows(bool follows) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.recordFlagFollows = follows;
}

}  // namespace servicedouble

using servicedouble::Call;
using servicedouble::CallRecord;
using servicedouble::g_mutex;
using servicedouble::g_state;
using servicedouble::NameIdCall;
using servicedouble::Record;
using servicedouble::State;
using servicedouble::Text;

extern "C" {

int BM_CALL BmSrvInitialize(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("BmSrvInitialize");
    return c.result = g_state.initializeResult;
}

int BM_CALL BmSrvSetCbProcBsReportInfo(BsReportCallbackProc callback) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.callback = callback;
    Call &c = Record("BmSrvSetCbProcBsReportInfo");
    c.ints.push_back(callback != nullptr);
    return c.result = 0;
}

int BM_CALL DbGetCallFirst(int reserved, char *one, int *id, char *name, const char *start, const char *end, int offset,
                           int count) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("DbGetCallFirst");
    c.ints = {reserved, offset, count, one ? static_cast<unsigned char>(*one) : -1};
    c.texts = {Text(start), Text(end)};
    State &s = g_state;
    s.cursor = s.windowEnd = 0;
    if (s.queryFails || offset < 0 || count < 1 || static_cast<size_t>(offset) >= s.records.size()) return c.result = 1;
    s.cursor = static_cast<size_t>(offset);
    s.windowEnd = s.cursor + std::min(static_cast<size_t>(count), s.records.size() - s.cursor);
    servicedouble::Deliver(s.records[s.cursor++], id, name);
    return c.result = 0;
}

int BM_CALL DbGetCallNext(char *name, int *id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("DbGetCallNext");
    State &s = g_state;
    if (s.cursor >= s.windowEnd || s.cursor >= s.records.size()) return c.result = 1;
    servicedouble::Deliver(s.records[s.cursor++], id, name);
    return c.result = 0;
}

int BM_CALL DbDeleteCallItem(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    State &s = g_state;
    int result = s.dbDeleteResult;
    if (result == 0) {
        std::string text = Text(name);
        auto it = std::find_if(s.records.begin(), s.records.end(),
                               [&](const CallRecord &r) { return r.id == id && r.name == text; });
        if (it != s.records.end()) s.records.erase(it);
    }
    return NameIdCall("DbDeleteCallItem", name, id, result);
}

int BM_CALL VoiceFileIsUsing(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_state.inUse.find(Text(name));
    return NameIdCall("VoiceFileIsUsing", name, id, it == g_state.inUse.end() ? 0 : it->second);
}

int BM_CALL LocateVoiceFile(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return NameIdCall("LocateVoiceFile", name, id, g_state.locateResult);
}

int BM_CALL VoiceDeleteFile(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return NameIdCall("VoiceDeleteFile", name, id, g_state.voiceDeleteResult);
}

int BM_CALL VoicePlayFile(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.totalFrames = std::max(0, g_state.playFileFrames);
    g_state.currentFrame = 0;
    return NameIdCall("VoicePlayFile", name, id, g_state.totalFrames > 0 ? 0 : 1);
}

int BM_CALL VoiceExitPlayFile(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.totalFrames = g_state.currentFrame = 0;
    return Record("VoiceExitPlayFile").result = 0;
}

int BM_CALL VoiceGetStopFlag(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Record("VoiceGetStopFlag").result = g_state.stopFlag;
}

int BM_CALL VoiceSetStopFlag(int paused) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.stopFlag = paused;
    Call &c = Record("VoiceSetStopFlag");
    c.ints.push_back(paused);
    return c.result = 0;
}

int BM_CALL VoiceSetPlayFilePostion(int percent) {
    std::lock_guard<std::mutex> lock(g_mutex);
    int p = std::min(100, std::max(0, percent));
    g_state.currentFrame = static_cast<int>(static_cast<long long>(g_state.totalFrames) * p / 100);
    Call &c = Record("VoiceSetPlayFilePostion");
    c.ints.push_back(percent);
    return c.result = 0;
}

int BM_CALL VoiceGetPlayFileCurFrameIndex(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Record("VoiceGetPlayFileCurFrameIndex").result = g_state.currentFrame;
}

int BM_CALL VoicePlayFileTotalFrameNum(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Record("VoicePlayFileTotalFrameNum").result = g_state.totalFrames;
}

int BM_CALL VoiceGetRecordFlag(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Record("VoiceGetRecordFlag").result = g_state.recordFlag;
}

int BM_CALL VoiceRecordFlag(int on) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_state.recordFlagFollows) g_state.recordFlag = on;
    Call &c = Record("VoiceRecordFlag");
    c.ints.push_back(on);
    return c.result = 0;
}

int BM_CALL BmHalBsStatus(char *serial, BsConfig *out) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::string text = Text(serial);
    auto it = g_state.status.find(text);
    int result = it == g_state.status.end() ? g_state.defaultStatus : it->second;
    auto rec = g_state.statusRecord.find(text);
    if (out && rec != g_state.statusRecord.end()) *out = rec->second;
    Call &c = Record("BmHalBsStatus");
    c.texts.push_back(text);
    return c.result = result;
}

int BM_CALL BmHalBsSetConfig(char *serial, BsConfig *record) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("BmHalBsSetConfig");
    c.texts.push_back(Text(serial));
    if (record) {
        c.record = *record;
        c.hasRecord = true;
    }
    return c.result = g_state.setConfigResult;
}

int BM_CALL BmHalBsDelete(char *serial) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("BmHalBsDelete");
    c.texts.push_back(Text(serial));
    return c.result = g_state.deleteResult;
}

}  // extern "C"
