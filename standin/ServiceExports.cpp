// BmService.dll's exports (service/BmService.def), and the station functions it offers to
// BmHalApi.dll through HalBridge. Every export checks its arguments, answers a failure
// with a line on standard error, and never lets an exception out.
#include <windows.h>

#include "service/BmService.h"
#include "standin/HalBridge.h"
#include "standin/Locate.h"
#include "standin/Service.h"
#include "standin/core/Diag.h"
#include "standin/core/Guarded.h"
#include "standin/core/InputText.h"
#include "standin/core/Scenario.h"

using namespace standin;

namespace {

std::string Quoted(const char *text) {
    std::string s;
    return ReadText(text, &s) ? "\"" + s + "\"" : "<invalid>";
}

void LogNameCall(const char *what, const char *name, int id, int result) {
    Service::Get().Log().Add(std::string(what) + " " + Quoted(name) + " id=" + std::to_string(id) +
                             " result=" + std::to_string(result));
}

int HalStatus(const char *serial, BsConfig *out) {
    return Guarded("BmHalBsStatus", 0, [&] {
        Service &service = Service::Get();
        service.CountStatusCall();
        if (!out) {
            Warn("BmHalBsStatus: null out area");
            return 0;
        }
        return service.Network().Status(serial, out, service.Now());
    });
}

int HalSetConfig(const char *serial, const BsConfig *record) {
    return Guarded("BmHalBsSetConfig", kIoError, [&] {
        Service &service = Service::Get();
        int result = service.Network().SetConfig(serial, *record, service.Now());
        service.Log().Add("setconfig \"" + std::string(serial) + "\" result=" + std::to_string(result) + " " +
                          FormatStationFields(*record));
        return result;
    });
}

int HalRemove(const char *serial) {
    return Guarded("BmHalBsDelete", kIoError, [&] {
        Service &service = Service::Get();
        int result = service.Network().Delete(serial, service.Now());
        service.Log().Add("delete \"" + std::string(serial) + "\" result=" + std::to_string(result));
        return result;
    });
}

const HalTable kHalTable = {kHalTableMagic, kHalTableVersion, &HalStatus, &HalSetConfig, &HalRemove};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH && !PublishHalTable(&kHalTable))
        Warn("BmService: station functions not published (error %lu)", GetLastError());
    return TRUE;
}

extern "C" {

int BM_CALL BmSrvInitialize(void) {
    return Guarded("BmSrvInitialize", kInitThrew, [] { return Service::Get().Initialize(); });
}

int BM_CALL BmSrvSetCbProcBsReportInfo(BsReportCallbackProc callback) {
    return Guarded("BmSrvSetCbProcBsReportInfo", kIoError, [&] {
        Service::Get().SetCallback(callback);
        return callback ? kOk : kNone;
    });
}

int BM_CALL DbGetCallFirst(int reserved, char *one, int *id, char *name, const char *start, const char *end, int offset,
                           int count) {
    (void)reserved;
    (void)one;  // the byte '1' is accepted and not read
    return Guarded("DbGetCallFirst", kIoError, [&] {
        Service &service = Service::Get();
        int result = service.Store().First(start, end, offset, count, id, name);
        service.Log().Add("query start=" + Quoted(start) + " end=" + Quoted(end) + " offset=" + std::to_string(offset) +
                          " count=" + std::to_string(count) + " result=" + std::to_string(result));
        return result;
    });
}

int BM_CALL DbGetCallNext(char *name, int *id) {
    return Guarded("DbGetCallNext", kIoError, [&] { return Service::Get().Store().Next(name, id); });
}

int BM_CALL DbDeleteCallItem(char *name, int id) {
    return Guarded("DbDeleteCallItem", kIoError, [&] {
        int result = Service::Get().Store().DeleteRecord(name, id);
        LogNameCall("dbdelete", name, id, result);
        return result;
    });
}

int BM_CALL VoiceFileIsUsing(char *name, int id) {
    return Guarded("VoiceFileIsUsing", kBadInput, [&] { return Service::Get().Store().IsUsing(name, id); });
}

int BM_CALL LocateVoiceFile(char *name, int id) {
    return Guarded("LocateVoiceFile", kIoError, [&] {
        Service &service = Service::Get();
        std::string text;
        int result = kOk;
        if (!ReadFileName(name, "LocateVoiceFile", &text)) {
            result = kBadInput;
        } else if (!service.Store().IsOpen()) {
            result = kClosed;
        } else {
            std::wstring path = service.Store().PathOf(text);
            if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
                Warn("LocateVoiceFile: %ls is missing", path.c_str());
                result = kNone;
            } else if ((!service.TestMode() || service.LocateOpens()) && !ShowInFileBrowser(path)) {
                Warn("LocateVoiceFile: the file browser did not start");
                result = kIoError;
            }
        }
        LogNameCall("locate", name, id, result);
        return result;
    });
}

int BM_CALL VoiceDeleteFile(char *name, int id) {
    return Guarded("VoiceDeleteFile", kIoError, [&] {
        int result = Service::Get().Store().DeleteVoiceFile(name, id);
        LogNameCall("voicedelete", name, id, result);
        return result;
    });
}

int BM_CALL VoicePlayFile(char *name, int id) {
    return Guarded("VoicePlayFile", kIoError, [&] {
        Service &service = Service::Get();
        std::string text;
        int result = kOk;
        if (!ReadFileName(name, "VoicePlayFile", &text)) {
            service.Playback().Exit();
            result = kBadInput;
        } else if (!service.Store().IsOpen()) {
            service.Playback().Exit();
            result = kClosed;
        } else if (!service.Playback().Play(service.Store().PathOf(text))) {
            result = kNone;
        }
        LogNameCall("play", name, id, result);
        return result;
    });
}

int BM_CALL VoiceExitPlayFile(void) {
    return Guarded("VoiceExitPlayFile", kIoError, [] {
        Service::Get().Playback().Exit();
        Service::Get().Log().Add("exitplay");
        return kOk;
    });
}

int BM_CALL VoiceGetStopFlag(void) {
    return Guarded("VoiceGetStopFlag", 0, [] { return Service::Get().Playback().StopFlag(); });
}

int BM_CALL VoiceSetStopFlag(int paused) {
    return Guarded("VoiceSetStopFlag", kIoError, [&] {
        Service::Get().Playback().SetStopFlag(paused);
        Service::Get().Log().Add("pause " + std::to_string(paused));
        return kOk;
    });
}

int BM_CALL VoiceSetPlayFilePostion(int percent) {
    return Guarded("VoiceSetPlayFilePostion", kIoError, [&] {
        Service::Get().Playback().Seek(percent);
        Service::Get().Log().Add("seek " + std::to_string(percent));
        return kOk;
    });
}

int BM_CALL VoiceGetPlayFileCurFrameIndex(void) {
    return Guarded("VoiceGetPlayFileCurFrameIndex", 0, [] { return Service::Get().Playback().CurrentFrame(); });
}

int BM_CALL VoicePlayFileTotalFrameNum(void) {
    return Guarded("VoicePlayFileTotalFrameNum", 0, [] { return Service::Get().Playback().TotalFrames(); });
}

int BM_CALL VoiceGetRecordFlag(void) {
    return Guarded("VoiceGetRecordFlag", 0, [] { return Service::Get().Recording().On() ? 1 : 0; });
}

int BM_CALL VoiceRecordFlag(int on) {
    return Guarded("VoiceRecordFlag", kIoError, [&] {
        Service &service = Service::Get();
        service.Recording().SetOn(on != 0, service.Now());
        service.Log().Add("record " + std::to_string(on));
        return kOk;
    });
}

}  // extern "C"
