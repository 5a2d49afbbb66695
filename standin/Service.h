// Service: the one simulated world behind both stand-in libraries, owned by BmService.dll
// for the life of the process (created on first use, never destroyed: its threads may run
// until the process ends).
//
// BmSrvInitialize reads the environment (standin/README.md):
//   BM_STANDIN_SCENARIO  scenario file replacing the demo network (test mode)
//   BM_STANDIN_DATA      data folder (default: "CallData" beside the exe)
//   BM_STANDIN_PIPE      control pipe name (default under a scenario:
//                        \\.\pipe\BmStandin-<pid>; no pipe in the demo without it)
//   BM_STANDIN_SOUND     "0" keeps the sound device closed
// then opens the call store, seeds it, starts the network thread (reports, presence,
// recorder) and the control pipe.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "service/BmService.h"
#include "standin/core/CallStore.h"
#include "standin/core/ConsoleLog.h"
#include "standin/core/Player.h"
#include "standin/core/Recorder.h"
#include "standin/core/Scenario.h"
#include "standin/core/StationNetwork.h"

namespace standin {

class ControlPipe;

// BmSrvInitialize's result when start-up threw part-way (this call and every later one).
const int kInitThrew = -3;

class Service {
public:
    static Service &Get();

    // 0; -1 data folder unusable; -2 scenario unreadable or malformed; kInitThrew.
    int Initialize();
    void SetCallback(BsReportCallbackProc callback);

    CallStore &Store() { return m_store; }
    StationNetwork &Network() { return m_network; }
    Recorder &Recording() { return m_recorder; }
    Player &Playback();
    ConsoleLog &Log() { return m_log; }

    bool TestMode() const { return m_testMode; }
    bool LocateOpens() const { return m_scenario.locateOpens; }
    int64_t Now() const { return static_cast<int64_t>(GetTickCount64()); }
    unsigned StatusCalls() const { return m_statusCalls.load(); }
    void CountStatusCall() { ++m_statusCalls; }

    // Writes a call's generated voice file and indexes it; name may be empty (generated).
    // kOk, or the store's result (kIoError also when the file cannot be written).
    int AddCall(const ScenarioCall &call, int32_t *id, std::string *name);

private:
    Service();
    int Start();
    static DWORD WINAPI NetworkThread(void *self);
    void NetworkLoop();
    void Tick(int64_t now);
    void SeedDemoCalls();
    void ClearStore();

    std::mutex m_initMutex;
    bool m_initDone = false;
    int m_initResult = 0;
    bool m_testMode = false;
    Scenario m_scenario;

    CallStore m_store;
    StationNetwork m_network;
    Recorder m_recorder;
    std::unique_ptr<Player> m_player;
    ConsoleLog m_log;
    std::atomic<BsReportCallbackProc> m_callback{nullptr};
    std::atomic<unsigned> m_statusCalls{0};
    std::atomic<bool> m_faultTick{false};  // the next tick throws (scenario "fault tick")
    ControlPipe *m_pipe = nullptr;
};

}  // namespace standin
