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
    if (r->nameLength > kMaxCallName || Get<uint16_t>(p + 6) != 0) return false;
    if (r->op != 'A' && r->op != 'D' && r->op != 'N') return false;
    r->size = kMinRecord + r->nameLength;
    if (b.size() - pos < r->size) return false;
    if (Crc32(p, r->size - 4) != Get<uint32_t>(p + r->size - 4)) return false;
    r->id = Get<int32_t>(p + 8);
    r->start = Get<int64_t>(p + 12);
    r->nameOffset = pos + kFixedBytes;
    return true;
}

}  // namespace

CallIndex::~CallIndex() {
    if (m_file != nullptr) m_closeFile(m_file);
}

std::string CallIndex::EncodeRecord(char op, int32_t id, int64_t start, const std::string &name) {
    std::string s;
    size_t n = std::min(name.size(), kMaxCallName);
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

bool CallIndex::Load(const std::string &bytes, bool *damaged) { return Load(std::string(bytes), damaged); }

bool CallIndex::Load(std::string &&bytes, bool *damaged) {
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
    // The names move to the front of the image, which becomes the pool: no second copy.
    // Entries are still in file order, so each name moves towards the front.
    size_t pooled = 0;
    for (Entry &e : m_entries) {
        memmove(&bytes[pooled], bytes.data() + e.nameOffset, e.nameLength);
        e.nameOffset = static_cast<uint32_t>(pooled);
        pooled += e.nameLength;
    }
    bytes.resize(pooled);
    m_names = std::move(bytes);
    m_nextId = static_cast<int32_t>(std::min<int64_t>(maxId + 1, INT32_MAX));

    size_t added = m_entries.size();
    auto byId = [](const Entry &a, const Entry &b) { return a.id < b.id; };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byId))
        std::stable_sort(m_entries.begin(), m_entries.end(), byId);
    // One entry per id: a later record repeating an id is damage (reported with its file
    // name; the record stays in the .bad copy).
    auto sameId = [](const Entry &a, const Entry &b) { return a.id == b.id; };
    for (auto it = std::adjacent_find(m_entries.begin(), m_entries.end(), sameId); it != m_entries.end();
         it = std::adjacent_find(it + 1, m_entries.end(), sameId)) {
        *damaged = true;
        const Entry &repeat = *(it + 1);
        Warn("call index: a record repeats id %d (\"%.*s\"); the first one is kept", static_cast<int>(repeat.id),
             static_cast<int>(repeat.nameLength), m_names.data() + repeat.nameOffset);
    }
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end(), sameId), m_entries.end());
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

bool CallIndex::Fits(size_t moreBytes) const {
    if (m_fileBytes + moreBytes <= m_sizeLimit) return true;
    Warn("call index: %ls would pass %llu bytes; not added", m_path.c_str(),
         static_cast<unsigned long long>(m_sizeLimit));
    return false;
}

void CallIndex::Insert(int64_t start, int32_t id, const std::string &name) {
    Entry e{start, id, static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(name.size())};
    m_names.insert(m_names.end(), name.begin(), name.end());
    m_entries.insert(m_entries.begin() + UpperBound(start, id), e);
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
