// The call index's file: opening, repair on disk, appends. The Win32 half of CallIndex.h.
#include <windows.h>

#include <algorithm>
#include <new>

#include "standin/core/CallIndex.h"
#include "standin/core/Diag.h"

namespace standin {
namespace {

void CloseFile(void *file) { CloseHandle(file); }

std::wstring Suffixed(const std::wstring &path, const wchar_t *suffix) { return path + suffix; }

}  // namespace

bool CallIndex::Open(const std::wstring &path) {
    Close();
    m_path = path;
    // A rewrite cut short leaves its temporary file; the index itself is whole.
    DeleteFileW(Suffixed(path, L".tmp").c_str());
    try {
        return OpenFile();
    } catch (const std::bad_alloc &) {
        Warn("call index: %ls does not fit in memory", path.c_str());
        Close();
        return false;
    }
}

bool CallIndex::OpenFile() {
    const std::wstring &path = m_path;
    std::string bytes;
    HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    if (in != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size;
        bool ok = GetFileSizeEx(in, &size) != FALSE;
        if (ok && static_cast<uint64_t>(size.QuadPart) > m_sizeLimit) {
            Warn("call index: %ls is larger than %llu bytes", path.c_str(),
                 static_cast<unsigned long long>(m_sizeLimit));
            ok = false;
        }
        if (ok) {
            bytes.resize(static_cast<size_t>(size.QuadPart));
            DWORD got = 0;
            size_t done = 0;
            while (ok && done < bytes.size()) {
                DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 26));
                ok = ReadFile(in, &bytes[done], chunk, &got, nullptr) && got > 0;
                done += got;
            }
        }
        CloseHandle(in);
        if (!ok) {
            Warn("call index: cannot read %ls", path.c_str());
            return false;
        }
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        Warn("call index: cannot open %ls (error %lu)", path.c_str(), GetLastError());
        return false;
    }

    bool damaged = false;
    m_fileBytes = bytes.size();
    Load(std::move(bytes), &damaged);
    if (damaged) {
        Warn("call index: damaged records in %ls dropped, %u calls kept; original saved as .bad", path.c_str(),
             static_cast<unsigned>(m_entries.size()));
        if (!Rewrite(true)) return false;
    }
    m_file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        m_file = nullptr;
        Warn("call index: cannot write %ls (error %lu)", path.c_str(), GetLastError());
        m_entries.clear();
        return false;
    }
    m_closeFile = CloseFile;
    return true;
}

void CallIndex::Close() {
    if (m_file != nullptr) CloseHandle(m_file);
    m_file = nullptr;
    m_entries.clear();
    m_names.clear();
    m_nextId = 1;
    m_deadRecords = 0;
    m_fileBytes = 0;
}

bool CallIndex::Rewrite(bool keepDamaged) {
    std::string out;
    out.reserve(m_entries.size() * 64 + 64);
    if (m_nextId > 1) out += EncodeRecord('N', m_nextId - 1, 0, std::string());
    for (const Entry &e : m_entries)
        out += EncodeRecord('A', e.id, e.start, std::string(m_names.data() + e.nameOffset, e.nameLength));

    std::wstring tmp = Suffixed(m_path, L".tmp");
    HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        Warn("call index: cannot create %ls", tmp.c_str());
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(h, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) && written == out.size() &&
              FlushFileBuffers(h);
    CloseHandle(h);
    bool reopen = m_file != nullptr;
    if (reopen) {
        CloseHandle(m_file);
        m_file = nullptr;
    }
    if (ok && keepDamaged) CopyFileW(m_path.c_str(), Suffixed(m_path, L".bad").c_str(), FALSE);
    ok = ok && MoveFileExW(tmp.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        Warn("call index: rewrite of %ls failed; the old file stays", m_path.c_str());
        DeleteFileW(tmp.c_str());
    } else {
        m_deadRecords = 0;
        m_fileBytes = out.size();
    }
    if (reopen) {
        m_file = CreateFileW(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file == INVALID_HANDLE_VALUE) m_file = nullptr;
    }
    return ok;
}

bool CallIndex::WriteAll(const std::string &bytes) {
    if (m_file == nullptr) return false;
    LARGE_INTEGER zero{}, end{};
    if (!SetFilePointerEx(m_file, zero, &end, FILE_END)) return false;
    DWORD written = 0;
    if (WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(m_file)) {
        m_fileBytes = static_cast<uint64_t>(end.QuadPart) + bytes.size();
        return true;
    }
    // Leave no torn record behind a failed write.
    SetFilePointerEx(m_file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(m_file);
    Warn("call index: write to %ls failed (error %lu)", m_path.c_str(), GetLastError());
    return false;
}

bool CallIndex::Add(int64_t start, const std::string &name, int32_t *id) {
    if (!IsOpen() || name.empty() || name.size() > kMaxCallName || m_nextId == INT32_MAX) return false;
    int32_t newId = m_nextId;
    const std::string record = EncodeRecord('A', newId, start, name);
    if (!Fits(record.size()) || !WriteAll(record)) return false;
    ++m_nextId;
    Insert(start, newId, name);
    if (id) *id = newId;
    return true;
}

bool CallIndex::AddMany(const std::vector<std::pair<int64_t, std::string>> &calls) {
    if (!IsOpen()) return false;
    if (static_cast<int64_t>(m_nextId) + static_cast<int64_t>(calls.size()) >= INT32_MAX) return false;
    std::string out;
    out.reserve(calls.size() * 64);
    int32_t id = m_nextId;
    for (const auto &c : calls) {
        if (c.second.empty() || c.second.size() > kMaxCallName) return false;
        out += EncodeRecord('A', id++, c.first, c.second);
    }
    if (!Fits(out.size()) || !WriteAll(out)) return false;
    id = m_nextId;
    m_entries.reserve(m_entries.size() + calls.size());
    for (const auto &c : calls) {
        Entry e{c.first, id++, static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(c.second.size())};
        m_names.insert(m_names.end(), c.second.begin(), c.second.end());
        m_entries.push_back(e);
    }
    m_nextId = id;
    auto byTime = [](const Entry &a, const Entry &b) { return a.start != b.start ? a.start < b.start : a.id < b.id; };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byTime))
        std::sort(m_entries.begin(), m_entries.end(), byTime);
    return true;
}

bool CallIndex::Remove(int32_t id) {
    size_t pos = Find(id);
    if (pos == m_entries.size()) return false;
    const Entry e = m_entries[pos];
    if (!WriteAll(EncodeRecord('D', id, e.start, std::string()))) return false;
    m_entries.erase(m_entries.begin() + pos);
    m_deadRecords += 2;
    if (m_deadRecords > m_compactAfter && m_deadRecords > m_entries.size()) Rewrite(false);
    return true;
}

}  // namespace standin
