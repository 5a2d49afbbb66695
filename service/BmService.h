// The console's side of BmService.dll: voice, call records and base-station reports.
// Exported names are undecorated, __cdecl; text is NUL-terminated 8-bit text.
// A frame is 20 ms of voice; seek positions are percentages 0..100.
#pragma once

#include "service/BsConfig.h"

#ifdef _WIN32
#define BM_CALL __cdecl
#else
#define BM_CALL
#endif

extern "C" {

// Called by the library (on any thread) when a station reports: serial text and record.
typedef int(BM_CALL *BsReportCallbackProc)(const char *serial, BsConfig *record);

int BM_CALL BmSrvInitialize(void);
int BM_CALL BmSrvSetCbProcBsReportInfo(BsReportCallbackProc callback);

// Reads the calls of a date range: DbGetCallFirst, then DbGetCallNext after each record.
// 0 means a record was written to id and name (a 100-byte buffer).
int BM_CALL DbGetCallFirst(int reserved, char *one, int *id, char *name, const char *start, const char *end, int offset,
                           int count);
int BM_CALL DbGetCallNext(char *name, int *id);
int BM_CALL DbDeleteCallItem(char *name, int id);

int BM_CALL VoiceFileIsUsing(char *name, int id);
int BM_CALL LocateVoiceFile(char *name, int id);
int BM_CALL VoiceDeleteFile(char *name, int id);
int BM_CALL VoicePlayFile(char *name, int id);
int BM_CALL VoiceExitPlayFile(void);
int BM_CALL VoiceGetStopFlag(void);
int BM_CALL VoiceSetStopFlag(int paused);
int BM_CALL VoiceSetPlayFilePostion(int percent);
int BM_CALL VoiceGetPlayFileCurFrameIndex(void);
int BM_CALL VoicePlayFileTotalFrameNum(void);
int BM_CALL VoiceGetRecordFlag(void);
int BM_CALL VoiceRecordFlag(int on);
}
