#include "standin/Service.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "standin/ControlPipe.h"
#include "standin/Environment.h"
#include "standin/SoundOut.h"
#include "standin/core/DateText.h"
#include "standin/core/Diag.h"
#include "standin/core/Guarded.h"
#include "standin/core/InputText.h"
#include "standin/core/ToneGen.h"
#include "standin/core/WavFile.h"

namespace standin {
namespace {

const DWORD kTickMs = 50;  // network thread rhythm: reports, presence, recorder

}  // namespace

Service &Service::Get() {
    // Never destroyed: the network thread and the pipe thread use it until the process ends.
    static Service *s_service = new Service();
    return *s_service;
}

Service::Service() : m_recorder(m_store, LocalNowSeconds), m_player(new standin::Player(SystemTime())) {}

Player &Service::Playback() { return *m_player; }

int Service::Initialize() {
    std::lock_guard<std::mutex> lock(m_initMutex);
    if (m_initDone) return m_initResult;
    m_initDone = true;
    // A start-up that threw part-way is no success, now or on a later call.
    m_initResult = Guarded("BmSrvInitialize", kInitThrew, [this] { return Start(); });
    m_log.Add("init " + std::to_string(m_initResult));
    return m_initResult;
}

int Service::Start() {
    int result = 0;

    // Stay loaded for the life of the process: our threads run in this module.
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Service::Get), &self);

    std::wstring scenarioPath = EnvText(L"BM_STANDIN_SCENARIO");
    m_testMode = !scenarioPath.empty();
    if (m_testMode) {
        std::string text, error;
        if (!ReadWholeFile(scenarioPath, &text)) {
            Warn("scenario %ls cannot be read", scenarioPath.c_str());
            result = -2;
        } else if (!ParseScenario(text, &m_scenario, &error)) {
            Warn("scenario %ls: %s", scenarioPath.c_str(), error.c_str());
            result = -2;
        }
    } else {
        m_scenario = DemoScenario();
    }
    if (EnvText(L"BM_STANDIN_SOUND") == L"0") m_scenario.sound = false;
    if (m_scenario.sound) {
        std::unique_ptr<SoundSink> sink = SoundOut::Create();
        if (sink) m_player.reset(new standin::Player(SystemTime(), std::move(sink)));
    }

    std::wstring folder = EnvText(L"BM_STANDIN_DATA");
    if (folder.empty()) folder = ExeFolder() + L"\\CallData";
    if (!m_store.Open(folder)) {
        Warn("data folder %ls cannot be used; the call store stays empty", folder.c_str());
        result = -1;
    } else if (result == 0) {
        if (m_scenario.clear) ClearStore();
        if (!m_testMode) SeedDemoCalls();
        for (const ScenarioCall &call : m_scenario.calls) {
            std::string name;
            if (AddCall(call, nullptr, &name) != kOk) Warn("scenario call %s not added", name.c_str());
        }
        for (const std::string &name : m_scenario.inUse) m_store.SetInUse(name, true);
    }

    int64_t now = Now();
    m_network.SetTiming(m_scenario.reportIntervalMs, m_scenario.rejoinDelayMs);
    m_network.SetStart(now);
    for (const StationSpec &spec : m_scenario.stations) m_network.AddStation(spec);
    m_recorder.SetTiming(m_scenario.recorder);
    if (m_scenario.recording) m_recorder.SetOn(true, now);

    HANDLE thread = CreateThread(nullptr, 0, &Service::NetworkThread, this, 0, nullptr);
    if (thread) CloseHandle(thread);
    // The pipe drives the network: in the demo no other program gets it unless asked for.
    std::wstring pipeName = EnvText(L"BM_STANDIN_PIPE");
    if (pipeName.empty() && m_testMode) pipeName = L"\\\\.\\pipe\\BmStandin-" + std::to_wstring(GetCurrentProcessId());
    if (!pipeName.empty()) {
        m_pipe = new ControlPipe(pipeName, *this);
        m_pipe->Start();
    }
    m_faultTick = m_scenario.faultTick;
    if (m_scenario.faultInit) throw std::runtime_error("start-up fault asked for by the scenario");
    return result;
}

void Service::SetCallback(BsReportCallbackProc callback) {
    m_callback.store(callback);
    m_log.Add(callback ? "callback set" : "callback cleared");
    if (callback) m_network.ReportSoon();
}

DWORD WINAPI Service::NetworkThread(void *self) {
    static_cast<Service *>(self)->NetworkLoop();
    return 0;
}

void Service::NetworkLoop() {
    for (;;) {
        // A tick that throws (memory, a thread resource) is reported and the next one
        // runs: an exception leaving this thread would end the console.
        Guarded("network thread", 0, [this] {
            Tick(Now());
            return 0;
        });
        Sleep(kTickMs);
    }
}

void Service::Tick(int64_t now) {
    if (m_faultTick.exchange(false)) throw std::bad_alloc();
    if (BsReportCallbackProc callback = m_callback.load()) {
        // Reports go out with no lock held: the console may call back in.
        for (const Report &r : m_network.DueReports(now)) callback(r.serial, r.record);
    }
    m_recorder.Tick(now);
}

int Service::AddCall(const ScenarioCall &call, int32_t *id, std::string *name) {
    *name = call.name.empty() ? m_store.NewFileName(call.start) : call.name;
    // A named call already indexed is kept as it is (scenarios run against old folders).
    std::vector<CallEntry> same = m_store.Range(call.start, call.start);
    for (const CallEntry &e : same) {
        if (e.name == *name) {
            if (id) *id = e.id;
            if (call.inUse) m_store.SetInUse(*name, true);
            return kOk;
        }
    }
    std::wstring path = m_store.PathOf(*name);
    const bool written = GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (written) {
        uint32_t seed = static_cast<uint32_t>(call.start);
        if (!WriteWavFile(path, ToneSamples(seed, 0, static_cast<size_t>(call.seconds) * kSampleRate))) return kIoError;
    }
    int32_t newId = 0;
    const int result = m_store.AddCall(call.start, *name, &newId);
    if (result != kOk) {
        if (written) DeleteFileW(path.c_str());  // no file without its record
        return result;
    }
    if (id) *id = newId;
    if (call.inUse) m_store.SetInUse(*name, true);
    return kOk;
}

void Service::SeedDemoCalls() {
    int64_t now = LocalNowSeconds();
    int64_t today = now - now % 86400;
    std::vector<ScenarioCall> calls;
    if (m_store.Count() == 0) {
        // A few dozen calls over the last five days, in working hours.
        for (int day = 5; day >= 1; --day) {
            for (int k = 0; k < 6; ++k) {
                ScenarioCall c;
                c.start = today - day * 86400 + (8 + 2 * k) * 3600 + (day * 7 + k * 13) % 60 * 60;
                c.seconds = 4 + (day + k) % 9;
                calls.push_back(c);
            }
        }
    }
    if (m_store.Range(today, today + 86399).empty()) {
        for (int k = 6; k >= 1; --k) {
            ScenarioCall c;
            c.start = std::max(today, now - k * 9 * 60);
            c.seconds = 5 + k;
            calls.push_back(c);
        }
    }
    for (const ScenarioCall &c : calls) {
        std::string name;
        if (AddCall(c, nullptr, &name) != kOk) Warn("demo call %s not added", name.c_str());
    }
}

void Service::ClearStore() {
    for (const CallEntry &e : m_store.Range(INT64_MIN / 2, INT64_MAX / 2)) {
        char name[kMaxNameBytes + 1];
        snprintf(name, sizeof name, "%s", e.name.c_str());
        m_store.DeleteVoiceFile(name, e.id);
        m_store.DeleteRecord(name, e.id);
    }
}

}  // namespace standin
