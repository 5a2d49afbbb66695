// CallStore: the data folder's voice files and their index, the read cursor behind
// DbGetCallFirst/DbGetCallNext, and the set of files in use (being recorded, or marked by
// a test). Thread-safe: one mutex around everything.
//
// Results (int, as the exports return them): kOk 0; kNone 1 (no such record, empty
// window, end of window); kBusy 2 (file in use); kIoError 3; kClosed 4 (store not open);
// kBadInput -1 (null pointer, text without NUL, malformed date, not a plain file name).
#pragma once

#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "standin/core/CallIndex.h"

namespace standin {

const int kOk = 0;
const int kNone = 1;
const int kBusy = 2;
const int kIoError = 3;
const int kClosed = 4;
const int kBadInput = -1;

class CallStore {
public:
    // Creates the folder when missing and opens "<folder>\calls.idx".
    bool Open(const std::wstring &folder);
    void Close();
    bool IsOpen() const;
    std::wstring Folder() const;
    std::wstring PathOf(const std::string &name) const;

    // Starts a read of the calls whose start lies in [start, end] (both texts
    // "YYYY-MM-DD HH:MM:SS", inclusive), ordered by start then id, skipping `offset`
    // calls and delivering at most `count` through this call and the Next calls after it.
    int First(const char *start, const char *end, int offset, int count, int *id, char *name);
    int Next(char *name, int *id);

    // kOk; kBadInput for a name that is not plain; kClosed; kIoError when the index cannot
    // be written or would pass its size limit.
    int AddCall(int64_t start, const std::string &name, int32_t *id);
    bool AddCalls(const std::vector<std::pair<int64_t, std::string>> &calls);
    // A plain name for a new voice file, unused in the index and the folder.
    std::string NewFileName(int64_t start) const;

    int DeleteVoiceFile(const char *name, int id);  // the voice file of record (id, name)
    int DeleteRecord(const char *name, int id);     // record (id, name), file or not
    int IsUsing(const char *name, int id) const;    // 1 in use, 0 free, kBadInput
    void SetInUse(const std::string &name, bool inUse);

    size_t Count() const;
    std::vector<CallEntry> Range(int64_t from, int64_t to) const;  // inclusive, in order

private:
    struct Cursor {
        bool open = false;
        int64_t lastStart = 0;
        int32_t lastId = 0;
        int64_t end = 0;
        int64_t remaining = 0;
    };

    void Deliver(size_t pos, int *id, char *name);
    size_t FindRecord(const std::string &name, int id) const;

    mutable std::mutex m_mutex;
    std::wstring m_folder;
    CallIndex m_index;
    Cursor m_cursor;
    std::set<std::string> m_inUse;
};

}  // namespace standin
