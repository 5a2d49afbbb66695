// ServiceDouble: a link-seam test double for BmService.dll and BmHalApi.dll.
//
// Link the static library `service_double` in place of `service_imports`: it defines every
// exported function of both libraries (same extern "C" names, from service/BmService.h and
// service/BmHalApi.h). Each call is recorded with its arguments (text arguments copied, at
// most 100 bytes, up to the first NUL) and answered from a script set by the test.
// All state is process-wide and guarded by one mutex: the presence poller calls
// BmHalBsStatus on its own thread while the test and the UI thread call the rest.
// The report callback is always invoked with the mutex released.
//
// Sections: recorded calls; initialisation and callback; stations; call records; files;
// player; recorder.
//
// Defaults after Reset(): BmSrvInitialize returns 0; every station's status is 1 with no
// record written; set-config and delete return 0; no call records; queries succeed; no file
// in use; deletes succeed; player empty (0 frames, not paused), VoicePlayFile loads 1500
// frames; recording off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/BmHalApi.h"
#include "service/BmService.h"

namespace servicedouble {

// One recorded call. Which fields are filled, per function:
//   BmSrvInitialize, DbGetCallNext, VoiceExitPlayFile, VoiceGetStopFlag,
//   VoiceGetPlayFileCurFrameIndex, VoicePlayFileTotalFrameNum, VoiceGetRecordFlag: nothing
//   BmSrvSetCbProcBsReportInfo: ints {callback != null}
//   DbGetCallFirst: ints {reserved, offset, count, byte at `one` (or -1 when null)},
//                   texts {start, end}
//   DbDeleteCallItem, VoiceFileIsUsing, LocateVoiceFile, VoiceDeleteFile, VoicePlayFile:
//                   texts {name}, ints {id}
//   VoiceSetStopFlag, VoiceSetPlayFilePostion, VoiceRecordFlag: ints {argument}
//   BmHalBsStatus, BmHalBsDelete: texts {serial}
//   BmHalBsSetConfig: texts {serial}, record (the 56 bytes passed), hasRecord true
// `result` is what the double returned; `threadId` the calling thread (GetCurrentThreadId).
struct Call {
    std::string function;
    std::vector<int> ints;
    std::vector<std::string> texts;
    BsConfig record{};
    bool hasRecord = false;
    int result = 0;
    unsigned long threadId = 0;
};

// A call record as DbGetCallFirst/DbGetCallNext deliver it.
struct CallRecord {
    int id = 0;
    std::string name;  // at most 99 bytes are delivered
};

class ServiceDouble {
public:
    // Back to the defaults above; forgets the recorded calls and the stored callback.
    static void Reset();

    // --- Recorded calls -------------------------------------------------------------
    static std::vector<Call> Calls();                             // all, in call order
    static std::vector<Call> Calls(const std::string &function);  // one function's
    static size_t CallCount(const std::string &function);
    static void ClearCalls();

    // --- Initialisation and the report callback --------------------------------------
    static void SetInitializeResult(int result);
    // The callback last passed to BmSrvSetCbProcBsReportInfo (null if none).
    static BsReportCallbackProc Callback();
    // Invokes the stored callback as the library would (on the calling thread); returns
    // its result, or 0 when no callback is stored. serial and record must stay valid for
    // as long as the console may read them (e.g. static storage in the test).
    static int InvokeReport(const char *serial, BsConfig *record);

    // --- Stations (BmHalApi) ------------------------------------------------------------
    static void SetDefaultStatus(int result);  // for serials not scripted
    static void SetStatus(const std::string &serial, int result);
    // Written to the out area by BmHalBsStatus for this serial (otherwise nothing written).
    static void SetStatusRecord(const std::string &serial, const BsConfig &record);
    static void SetSetConfigResult(int result);
    static void SetDeleteResult(int result);

    // --- Call records (DbGetCallFirst / DbGetCallNext / DbDeleteCallItem) ------------------
    // The store, in delivery order. Dates are recorded, not used for filtering: a query
    // delivers records [offset, offset + count) of this store; a negative offset, a count
    // below 1 or an empty window gives result 1 and writes nothing.
    static void SetCallRecords(const std::vector<CallRecord> &records);
    static std::vector<CallRecord> CallRecords();
    // Every DbGetCallFirst fails (result 1, nothing written) while set.
    static void SetQueryFails(bool fails);
    // DbDeleteCallItem result; on 0 the first record with that id and name leaves the store.
    static void SetDbDeleteResult(int result);

    // --- Files ----------------------------------------------------------------------------
    static void SetFileInUse(const std::string &name, int result);  // VoiceFileIsUsing
    static void SetVoiceDeleteResult(int result);
    static void SetLocateResult(int result);

    // --- Player ---------------------------------------------------------------------------
    // Frames loaded by the next VoicePlayFile (0: the file does not load).
    static void SetPlayFileFrames(int totalFrames);
    // Current player state, as the test wants the console to see it. Setting total 0
    // unloads (the console's tick then hides its playback window).
    static void SetPlayerState(int totalFrames, int currentFrame);
    static void SetStopFlag(int flag);  // as if the library paused/resumed on its own
    static int TotalFrames();
    static int CurrentFrame();
    static int StopFlag();
    // VoicePlayFile: total = the scripted frames, current 0, stop flag untouched.
    // VoiceExitPlayFile: total 0, current 0. VoiceSetPlayFilePostion(p): p clamped to
    // 0..100, current = total * p / 100. VoiceSetStopFlag(f): stop flag = f.

    // --- Recorder ---------------------------------------------------------------------------
    static void SetRecordFlag(int flag);
    static int RecordFlag();
    // While false, VoiceRecordFlag is recorded but leaves the flag unchanged.
    static void SetRecordFlagFollows(bool follows);
};

}  // namespace servicedouble
