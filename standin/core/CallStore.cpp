#include "standin/core/CallStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "standin/core/DateText.h"
#include "standin/core/Diag.h"
#include "standin/core/InputText.h"

namespace standin {
namespace {

std::wstring Widen(const std::string &s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    return w;
}

bool FileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool CallStore::Open(const std::wstring &folder) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_index.Close();
    m_cursor = Cursor();
    m_folder = folder;
    while (!m_folder.empty() && (m_folder.back() == L'\\' || m_folder.back() == L'/')) m_folder.pop_back();
    if (!CreateDirectoryW(m_folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        Warn("call store: cannot create folder %ls (error %lu)", m_folder.c_str(), GetLastError());
        return false;
    }
    DWORD attr = GetFileAttributesW(m_folder.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        Warn("call store: %ls is not a folder", m_folder.c_str());
        return false;
    }
    return m_index.Open(m_folder + L"\\calls.idx");
}

void CallStore::Close() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_index.Close();
    m_cursor = Cursor();
}

bool CallStore::IsOpen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_index.IsOpen();
}

std::wstring CallStore::Folder() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_folder;
}

std::wstring CallStore::PathOf(const std::string &name) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_folder + L"\\" + Widen(name);
}

void CallStore::Deliver(size_t pos, int *id, char *name) {
    std::string text = m_index.NameAt(pos);
    size_t n = std::min(text.size(), kMaxNameBytes);
    memcpy(name, text.data(), n);
    name[n] = '\0';
    *id = m_index.IdAt(pos);
    m_cursor.lastStart = m_index.StartAt(pos);
    m_cursor.lastId = m_index.IdAt(pos);
    --m_cursor.remaining;
}

int CallStore::First(const char *start, const char *end, int offset, int count, int *id, char *name) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cursor = Cursor();
    if (!id || !name || !start || !end) {
        Warn("DbGetCallFirst: null pointer argument");
        return kBadInput;
    }
    int64_t from = 0, to = 0;
    if (!ParseDateText(start, &from) || !ParseDateText(end, &to)) {
        Warn("DbGetCallFirst: date texts must read \"YYYY-MM-DD HH:MM:SS\"");
        return kBadInput;
    }
    if (offset < 0 || count < 1) {
        Warn("DbGetCallFirst: offset %d / count %d refused", offset, count);
        return kBadInput;
    }
    if (!m_index.IsOpen()) {
        Warn("DbGetCallFirst: call store not open");
        return kClosed;
    }
    if (from > to) return kNone;
    size_t lo = m_index.LowerBound(from, INT32_MIN);
    size_t hi = m_index.UpperBound(to, INT32_MAX);
    if (static_cast<uint64_t>(offset) >= hi - lo) return kNone;
    m_cursor.open = true;
    m_cursor.end = to;
    m_cursor.remaining = std::min<int64_t>(count, static_cast<int64_t>(hi - lo) - offset);
    Deliver(lo + offset, id, name);
    return kOk;
}

int CallStore::Next(char *name, int *id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!name || !id) {
        Warn("DbGetCallNext: null pointer argument");
        m_cursor = Cursor();
        return kBadInput;
    }
    if (!m_cursor.open || m_cursor.remaining <= 0 || !m_index.IsOpen()) {
        m_cursor = Cursor();
        return kNone;
    }
    // Continue after the last delivered call, so that a delete in between skips nothing.
    size_t pos = m_index.UpperBound(m_cursor.lastStart, m_cursor.lastId);
    if (pos >= m_index.Size() || m_index.StartAt(pos) > m_cursor.end) {
        m_cursor = Cursor();
        return kNone;
    }
    Deliver(pos, id, name);
    return kOk;
}

int CallStore::AddCall(int64_t start, const std::string &name, int32_t *id) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!IsPlainFileName(name)) return kBadInput;
    if (!m_index.IsOpen()) return kClosed;
    return m_index.Add(start, name, id) ? kOk : kIoError;
}

bool CallStore::AddCalls(const std::vector<std::pair<int64_t, std::string>> &calls) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &c : calls)
        if (!IsPlainFileName(c.second)) return false;
    return m_index.AddMany(calls);
}

std::string CallStore::NewFileName(int64_t start) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    CivilTime t = CivilFromSeconds(start);
    char base[64];
    snprintf(base, sizeof base, "CALL_%04d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    for (int n = 1;; ++n) {
        std::string name = base;
        if (n > 1) name += "_" + std::to_string(n);
        name += ".wav";
        if (!m_index.ContainsName(name) && !FileExists(m_folder + L"\\" + Widen(name))) return name;
    }
}

size_t CallStore::FindRecord(const std::string &name, int id) const {
    size_t pos = m_index.Find(id);
    if (pos < m_index.Size() && m_index.NameAt(pos) != name) return m_index.Size();
    return pos;
}

int CallStore::DeleteVoiceFile(const char *name, int id) {
    std::string text;
    if (!ReadFileName(name, "VoiceDeleteFile", &text)) return kBadInput;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_index.IsOpen()) return kClosed;
    if (FindRecord(text, id) == m_index.Size()) {
        Warn("VoiceDeleteFile: no call %d named \"%s\"", id, text.c_str());
        return kNone;
    }
    if (m_inUse.count(text)) return kBusy;
    std::wstring path = m_folder + L"\\" + Widen(text);
    if (::DeleteFileW(path.c_str())) return kOk;
    DWORD error = GetLastError();
    // Already gone is deleted: otherwise a record whose file went missing can never go.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kOk;
    Warn("VoiceDeleteFile: cannot delete %ls (error %lu)", path.c_str(), error);
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ? kBusy : kIoError;
}

int CallStore::DeleteRecord(const char *name, int id) {
    std::string text;
    if (!ReadFileName(name, "DbDeleteCallItem", &text)) return kBadInput;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_index.IsOpen()) return kClosed;
    if (FindRecord(text, id) == m_index.Size()) return kNone;
    if (m_inUse.count(text)) return kBusy;
    return m_index.Remove(id) ? kOk : kIoError;
}

int CallStore::IsUsing(const char *name, int) const {
    std::string text;
    if (!ReadText(name, &text)) {
        // Refused as busy: the console then leaves the file alone.
        Warn("VoiceFileIsUsing: name is null or has no NUL within 100 bytes");
        return kBadInput;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_inUse.count(text) ? 1 : 0;
}

void CallStore::SetInUse(const std::string &name, bool inUse) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (inUse)
        m_inUse.insert(name);
    else
        m_inUse.erase(name);
}

size_t CallStore::Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_index.Size();
}

std::vector<CallEntry> CallStore::Range(int64_t from, int64_t to) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<CallEntry> out;
    for (size_t i = m_index.LowerBound(from, INT32_MIN); i < m_index.UpperBound(to, INT32_MAX); ++i)
        out.push_back(m_index.At(i));
    return out;
}

}  // namespace standin
