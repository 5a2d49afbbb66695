#include "standin/core/CallIndex.h"

#include <algorithm>
#include <cstring>

#include "standin/core/Crc32.h"
#include "standin/core/Diag.h"

namespace standin {
namespace {

const uint32_t kMagic = 0x31434D42u;  // "BMC1"
const size_t kFixedBytes = 20;        // magic, op, length, zero, id, start
const size_t kMinRecord = kFixedBytes + 4;
const size_t kMaxName = 99;
const uint64_t kMaxFileBytes = 1u << 30;

template <typename T>
T Get(const char *p) {
    T v;
    memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void Put(std::string *s, T v) {
    s->append(reinterpret_cast<const char *>(&v), sizeof v);
}

struct Record {
    char op;
    int32_t id;
    int64_t start;
    size_t nameOffset;
    size_t nameLength;
    size_t size;
};

bool Decode(const std::string &b, size_t pos, Record *r) {
    if (b.size() - pos < kMinRecord) return false;
    const char *p = b.data() + pos;
    if (Get<uint32_t>(p) != kMagic) return false;
    r->op = p[4];
    r->nameLength = static_cast<uint8_t>(p[5]);
    if (r->nameLength > kMaxName || Get<uint16_t>(p + 6) != 0) return false;
    if (r->op != 'A' && r->op != 'D' && r->op != 'N') return false;
    r->size = kMinRecord + r->nameLength;
    if (b.size() - pos < r->size) return false;
    if (Crc32(p, r->size - 4) != Get<uint32_t>(p + r->size - 4)) return false;
    r->id = Get<int32_t>(p + 8);
    r->start = Get<int64_t>(p + 12);
    r->nameOffset = pos + kFixedBytes;
    return true;
}

std::wstring Suffixed(const std::wstring &path, const wchar_t *suffix) { return path + suffix; }

}  // namespace

CallIndex::~CallIndex() { Close(); }

std::string CallIndex::EncodeRecord(char op, int32_t id, int64_t start, const std::string &name) {
    std::string s;
    size_t n = std::min(name.size(), kMaxName);
    Put<uint32_t>(&s, kMagic);
    s.push_back(op);
    s.push_back(static_cast<char>(n));
    Put<uint16_t>(&s, 0);
    Put<int32_t>(&s, id);
    Put<int64_t>(&s, start);
    s.append(name, 0, n);
    Put<uint32_t>(&s, Crc32(s.data(), s.size()));
    return s;
}

bool CallIndex::Open(const std::wstring &path) {
    Close();
    m_path = path;
    // A rewrite cut short leaves its temporary file; the index itself is whole.
    DeleteFileW(Suffixed(path, L".tmp").c_str());

    std::string bytes;
    HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    if (in != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size;
        bool ok = GetFileSizeEx(in, &size) && static_cast<uint64_t>(size.QuadPart) <= kMaxFileBytes;
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
    Load(bytes, &damaged);
    if (damaged) {
        Warn("call index: damaged records in %ls dropped, %u calls kept; original saved as .bad", path.c_str(),
             static_cast<unsigned>(m_entries.size()));
        if (!Rewrite(true)) return false;
    }
    m_file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        Warn("call index: cannot write %ls (error %lu)", path.c_str(), GetLastError());
        m_entries.clear();
        return false;
    }
    return true;
}

void CallIndex::Close() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_entries.clear();
    m_names.clear();
    m_nextId = 1;
    m_deadRecords = 0;
}

bool CallIndex::Load(const std::string &bytes, bool *damaged) {
    std::vector<int32_t> deleted;
    int64_t maxId = 0;
    size_t pos = 0;
    m_entries.reserve(bytes.size() / (kMinRecord + 16));
    while (pos < bytes.size()) {
        Record r;
        if (!Decode(bytes, pos, &r)) {
            *damaged = true;
            // Resynchronise on the next record that checks out.
            size_t next = pos + 1;
            for (; next + 4 <= bytes.size(); ++next) {
                if (Get<uint32_t>(bytes.data() + next) == kMagic && Decode(bytes, next, &r)) break;
            }
            pos = next + 4 <= bytes.size() ? next : bytes.size();
            continue;
        }
        pos += r.size;
        maxId = std::max<int64_t>(maxId, r.id);
        if (r.op == 'A') {
            m_entries.push_back(
                {r.start, r.id, static_cast<uint32_t>(r.nameOffset), static_cast<uint32_t>(r.nameLength)});
        } else if (r.op == 'D') {
            deleted.push_back(r.id);
        }
    }
    m_names.assign(bytes.begin(), bytes.end());
    m_nextId = static_cast<int32_t>(std::min<int64_t>(maxId + 1, INT32_MAX));

    size_t added = m_entries.size();
    auto byId = [](const Entry &a, const Entry &b) { return a.id < b.id; };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byId))
        std::stable_sort(m_entries.begin(), m_entries.end(), byId);
    // One entry per id (a duplicate can only come from a damaged log).
    m_entries.erase(
        std::unique(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) { return a.id == b.id; }),
        m_entries.end());
    if (!deleted.empty()) {
        std::sort(deleted.begin(), deleted.end());
        m_entries.erase(
            std::remove_if(m_entries.begin(), m_entries.end(),
                           [&](const Entry &e) { return std::binary_search(deleted.begin(), deleted.end(), e.id); }),
            m_entries.end());
    }
    m_deadRecords = deleted.size() + (added - m_entries.size());
    auto byTime = [](const Entry &a, const Entry &b) { return a.start != b.start ? a.start < b.start : a.id < b.id; };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byTime))
        std::sort(m_entries.begin(), m_entries.end(), byTime);
    return true;
}

bool CallIndex::Rewrite(bool keepDamaged) {
    std::string out;
    out.reserve(m_entries.size() * (kMinRecord + 32) + kMinRecord);
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
    bool reopen = m_file != INVALID_HANDLE_VALUE;
    if (reopen) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    if (ok && keepDamaged) CopyFileW(m_path.c_str(), Suffixed(m_path, L".bad").c_str(), FALSE);
    ok = ok && MoveFileExW(tmp.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        Warn("call index: rewrite of %ls failed; the old file stays", m_path.c_str());
        DeleteFileW(tmp.c_str());
    } else {
        m_deadRecords = 0;
    }
    if (reopen) {
        m_file = CreateFileW(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return ok;
}

bool CallIndex::WriteAll(const std::string &bytes) {
    if (m_file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER zero{}, end{};
    if (!SetFilePointerEx(m_file, zero, &end, FILE_END)) return false;
    DWORD written = 0;
    if (WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(m_file))
        return true;
    // Leave no torn record behind a failed write.
    SetFilePointerEx(m_file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(m_file);
    Warn("call index: write to %ls failed (error %lu)", m_path.c_str(), GetLastError());
    return false;
}

void CallIndex::Insert(int64_t start, int32_t id, const std::string &name) {
    Entry e{start, id, static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(name.size())};
    m_names.insert(m_names.end(), name.begin(), name.end());
    m_entries.insert(m_entries.begin() + UpperBound(start, id), e);
}

bool CallIndex::Add(int64_t start, const std::string &name, int32_t *id) {
    if (!IsOpen() || name.empty() || name.size() > kMaxName || m_nextId == INT32_MAX) return false;
    int32_t newId = m_nextId;
    if (!WriteAll(EncodeRecord('A', newId, start, name))) return false;
    ++m_nextId;
    Insert(start, newId, name);
    if (id) *id = newId;
    return true;
}

bool CallIndex::AddMany(const std::vector<std::pair<int64_t, std::string>> &calls) {
    if (!IsOpen()) return false;
    if (static_cast<int64_t>(m_nextId) + static_cast<int64_t>(calls.size()) >= INT32_MAX) return false;
    std::string out;
    out.reserve(calls.size() * (kMinRecord + 32));
    int32_t id = m_nextId;
    for (const auto &c : calls) {
        if (c.second.empty() || c.second.size() > kMaxName) return false;
        out += EncodeRecord('A', id++, c.first, c.second);
    }
    if (!WriteAll(out)) return false;
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

size_t CallIndex::LowerBound(int64_t start, int32_t id) const {
    return std::lower_bound(m_entries.begin(), m_entries.end(), std::make_pair(start, id),
                            [](const Entry &e, const std::pair<int64_t, int32_t> &k) {
                                return e.start != k.first ? e.start < k.first : e.id < k.second;
                            }) -
           m_entries.begin();
}

size_t CallIndex::UpperBound(int64_t start, int32_t id) const {
    return std::upper_bound(m_entries.begin(), m_entries.end(), std::make_pair(start, id),
                            [](const std::pair<int64_t, int32_t> &k, const Entry &e) {
                                return k.first != e.start ? k.first < e.start : k.second < e.id;
                            }) -
           m_entries.begin();
}

CallEntry CallIndex::At(size_t pos) const {
    const Entry &e = m_entries[pos];
    return CallEntry{e.start, e.id, NameAt(pos)};
}

std::string CallIndex::NameAt(size_t pos) const {
    const Entry &e = m_entries[pos];
    return std::string(m_names.data() + e.nameOffset, e.nameLength);
}

size_t CallIndex::Find(int32_t id) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id) return i;
    return m_entries.size();
}

bool CallIndex::ContainsName(const std::string &name) const {
    for (const Entry &e : m_entries)
        if (e.nameLength == name.size() && memcmp(m_names.data() + e.nameOffset, name.data(), e.nameLength) == 0)
            return true;
    return false;
}

}  // namespace standin
