// Every export of BmService.dll and BmHalApi.dll, linked in their place: each call recorded
// (texts up to 100 bytes) and answered from State. One mutex guards it all (the poller asks
// from its own thread); the report callback runs with it released.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "service/BmHalApi.h"
#include "service/BmService.h"

namespace servicedouble {

// ints and texts hold the call's arguments in order (for DbGetCallFirst: ints {reserved,
// offset, count, *one}, texts {start, end}); record is BmHalBsSetConfig's.
struct Call {
    std::string function;
    std::vector<int> ints;
    std::vector<std::string> texts;
    BsConfig record{};
    int result = 0;
    unsigned long threadId = 0;
};

struct CallRecord {
    int id = 0;
    std::string name;
};

struct State {
    std::vector<Call> calls;
    BsReportCallbackProc callback = nullptr;
    int defaultStatus = 1;  // BmHalBsStatus for serials not in status
    std::map<std::string, int> status;
    int setConfigResult = 0, deleteResult = 0;
    // A query delivers records [offset, offset + count); an empty window or queryFails
    // gives 1. A DbDeleteCallItem answered 0 removes the record.
    std::vector<CallRecord> records;
    bool queryFails = false;
    int dbDeleteResult = 0, voiceDeleteResult = 0, locateResult = 0, initializeResult = 0;
    size_t cursor = 0, windowEnd = 0;
    std::map<std::string, int> inUse;  // VoiceFileIsUsing by name
    // Written over the name buffer by every call that is given one (as a library may).
    std::string scribble;
    // VoicePlayFile loads playFileFrames (0: fails); seeks set current = total * p / 100.
    int playFileFrames = 1500, totalFrames = 0, currentFrame = 0, stopFlag = 0;
    int recordFlag = 0;
    bool recordFlagFollows = true;  // VoiceRecordFlag sets recordFlag
};

// The state under the lock for one full expression: Double()->stopFlag = 1;
class Access {
public:
    Access(std::mutex &m, State &s) : m_lock(m), m_state(s) {}
    State *operator->() { return &m_state; }

private:
    std::unique_lock<std::mutex> m_lock;
    State &m_state;
};
Access Double();

void Reset();  // defaults; recorded calls and the callback forgotten
std::vector<Call> Calls(const std::string &function = "");
size_t CallCount(const std::string &function);
int InvokeReport(const char *serial, BsConfig *record);

}  // namespace servicedouble
