#include "tests/double/ServiceDouble.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace servicedouble {
namespace {

const size_t kTextLimit = 100;

std::mutex g_mutex;
State g_state;

std::string Text(const char *p) { return p ? std::string(p, strnlen(p, kTextLimit)) : std::string(); }

Call &Record(const char *function, std::vector<std::string> texts = {}, std::vector<int> ints = {}) {
    g_state.calls.push_back({function, std::move(ints), std::move(texts), {}, 0, GetCurrentThreadId()});
    return g_state.calls.back();
}

void Scribble(char *name) {
    if (name && !g_state.scribble.empty()) snprintf(name, kTextLimit, "%s", g_state.scribble.c_str());
}

int NameIdCall(const char *function, char *name, int id, int result) {
    Record(function, {Text(name)}, {id}).result = result;
    Scribble(name);
    return result;
}

int Deliver(int *id, char *name) {
    State &s = g_state;
    if (s.cursor >= s.windowEnd || s.cursor >= s.records.size()) return 1;
    const CallRecord &r = s.records[s.cursor++];
    if (id) *id = r.id;
    if (name) snprintf(name, kTextLimit, "%s", r.name.c_str());
    return 0;
}

}  // namespace

Access Double() { return Access(g_mutex, g_state); }

void Reset() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state = State();
}

std::vector<Call> Calls(const std::string &function) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<Call> out;
    for (const Call &c : g_state.calls)
        if (function.empty() || c.function == function) out.push_back(c);
    return out;
}

size_t CallCount(const std::string &function) { return Calls(function).size(); }

int InvokeReport(const char *serial, BsConfig *record) {
    BsReportCallbackProc cb = Double()->callback;
    return cb ? cb(serial, record) : 0;
}

}  // namespace servicedouble

using namespace servicedouble;

#define STATE_GETTER(name, field)                                                                                      \
    int BM_CALL name(void) {                                                                                           \
        std::lock_guard<std::mutex> lock(g_mutex);                                                                     \
        return Record(#name).result = g_state.field;                                                                   \
    }

extern "C" {

STATE_GETTER(BmSrvInitialize, initializeResult)

int BM_CALL BmSrvSetCbProcBsReportInfo(BsReportCallbackProc callback) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.callback = callback;
    return Record("BmSrvSetCbProcBsReportInfo").result;
}

int BM_CALL DbGetCallFirst(int reserved, char *one, int *id, char *name, const char *start, const char *end, int offset,
                           int count) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("DbGetCallFirst", {Text(start), Text(end)}, {reserved, offset, count, one ? *one : -1});
    State &s = g_state;
    s.cursor = s.windowEnd = 0;
    if (!s.queryFails && offset >= 0 && count > 0) {
        s.cursor = static_cast<size_t>(offset);
        s.windowEnd = s.cursor + static_cast<size_t>(count);
    }
    return c.result = Deliver(id, name);
}

int BM_CALL DbGetCallNext(char *name, int *id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("DbGetCallNext");
    return c.result = Deliver(id, name);
}

int BM_CALL DbDeleteCallItem(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    State &s = g_state;
    if (s.dbDeleteResult == 0) {
        const std::string text = Text(name);
        auto it = std::find_if(s.records.begin(), s.records.end(),
                               [&](const CallRecord &r) { return r.id == id && r.name == text; });
        if (it != s.records.end()) s.records.erase(it);
    }
    return NameIdCall("DbDeleteCallItem", name, id, s.dbDeleteResult);
}

int BM_CALL VoiceFileIsUsing(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_state.inUse.find(Text(name));
    return NameIdCall("VoiceFileIsUsing", name, id, it == g_state.inUse.end() ? 0 : it->second);
}

#define NAME_ID_CALL(name, field)                                                                                      \
    int BM_CALL name(char *n, int id) {                                                                                \
        std::lock_guard<std::mutex> lock(g_mutex);                                                                     \
        return NameIdCall(#name, n, id, g_state.field);                                                                \
    }
NAME_ID_CALL(LocateVoiceFile, locateResult)
NAME_ID_CALL(VoiceDeleteFile, voiceDeleteResult)

int BM_CALL VoicePlayFile(char *name, int id) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.totalFrames = std::max(0, g_state.playFileFrames);
    g_state.currentFrame = 0;
    return NameIdCall("VoicePlayFile", name, id, g_state.totalFrames > 0 ? 0 : 1);
}

int BM_CALL VoiceExitPlayFile(void) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.totalFrames = g_state.currentFrame = 0;
    return Record("VoiceExitPlayFile").result;
}

STATE_GETTER(VoiceGetStopFlag, stopFlag)
int BM_CALL VoiceSetStopFlag(int paused) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_state.stopFlag = paused;
    return Record("VoiceSetStopFlag", {}, {paused}).result;
}

int BM_CALL VoiceSetPlayFilePostion(int percent) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const int p = std::min(100, std::max(0, percent));
    g_state.currentFrame = static_cast<int>(static_cast<long long>(g_state.totalFrames) * p / 100);
    return Record("VoiceSetPlayFilePostion", {}, {percent}).result;
}

STATE_GETTER(VoiceGetPlayFileCurFrameIndex, currentFrame)
STATE_GETTER(VoicePlayFileTotalFrameNum, totalFrames)
STATE_GETTER(VoiceGetRecordFlag, recordFlag)
int BM_CALL VoiceRecordFlag(int on) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_state.recordFlagFollows) g_state.recordFlag = on;
    return Record("VoiceRecordFlag", {}, {on}).result;
}

int BM_CALL BmHalBsStatus(char *serial, BsConfig *) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_state.status.find(Text(serial));
    const int result = it == g_state.status.end() ? g_state.defaultStatus : it->second;
    return Record("BmHalBsStatus", {Text(serial)}).result = result;
}

int BM_CALL BmHalBsSetConfig(char *serial, BsConfig *record) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Call &c = Record("BmHalBsSetConfig", {Text(serial)});
    if (record) c.record = *record;
    return c.result = g_state.setConfigResult;
}

int BM_CALL BmHalBsDelete(char *serial) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return Record("BmHalBsDelete", {Text(serial)}).result = g_state.deleteResult;
}

}  // extern "C"
