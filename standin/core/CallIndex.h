// CallIndex: the durable index of recorded calls (start time, record id, file name).
//
// On disk: an append-only log of self-checking records, one per change:
//   u32 magic "BMC1" | u8 op ('A' add, 'D' delete, 'N' id floor) | u8 name length (0..99)
//   | u16 zero | i32 id | i64 start (seconds, see DateText.h) | name bytes | u32 CRC-32 of
//   everything before it in the record. Little-endian, no padding, no file header.
// A change is durable once Add/Remove return true (the record is written and flushed).
// A crash mid-write leaves a torn or unchecked record: opening drops it, keeps every whole
// record around it (scanning forward for the next valid one), saves the damaged file as
// "<file>.bad" and rewrites the index compacted (temporary file, flush, then rename over
// the old one, so a crash during the rewrite leaves either file whole).
//
// A record whose id repeats one added before is damage like any other: dropped, reported,
// kept in the ".bad" copy.
// Size: the file may not pass kDefaultSizeLimit bytes (an add that would is refused), so
// that a 32-bit process opens it with room to spare: opening holds the file's bytes once
// (they become the name pool) and 24 bytes per call.
//
// In memory: live entries sorted by (start, id); names in one pool. Ids are never reused.
// Not thread-safe: CallStore serialises access.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace standin {

const size_t kMaxCallName = 99;  // bytes

struct CallEntry {
    int64_t start;
    int32_t id;
    std::string name;
};

class CallIndex {
public:
    static const uint64_t kDefaultSizeLimit = 128u << 20;  // bytes; about 2.7 million calls

    CallIndex() = default;
    ~CallIndex();
    CallIndex(const CallIndex &) = delete;
    CallIndex &operator=(const CallIndex &) = delete;

    // Loads (and repairs) the file, creating it when absent. False when it cannot be read
    // or written, passes the size limit or does not fit in memory; the index then stays
    // closed.
    bool Open(const std::wstring &path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Appends a new call; id receives the new record id. False when the write fails or
    // would take the file past its size limit.
    bool Add(int64_t start, const std::string &name, int32_t *id);
    // Appends many calls in one write and one flush (seeding, benchmarks).
    bool AddMany(const std::vector<std::pair<int64_t, std::string>> &calls);
    // Removes the entry with this id; false when there is none or the write fails.
    bool Remove(int32_t id);

    size_t Size() const { return m_entries.size(); }
    // Position of the first entry not before (start, id) / the first entry after it.
    size_t LowerBound(int64_t start, int32_t id) const;
    size_t UpperBound(int64_t start, int32_t id) const;
    CallEntry At(size_t pos) const;
    int64_t StartAt(size_t pos) const { return m_entries[pos].start; }
    int32_t IdAt(size_t pos) const { return m_entries[pos].id; }
    std::string NameAt(size_t pos) const;
    // Position of the entry with this id, or Size() when there is none.
    size_t Find(int32_t id) const;
    bool ContainsName(const std::string &name) const;

    // Dead records (deletes, removed adds) tolerated before the log is rewritten compacted.
    void SetCompactThreshold(size_t records) { m_compactAfter = records; }
    // Largest file, in bytes, opened or written (tests lower it).
    void SetSizeLimit(uint64_t bytes) { m_sizeLimit = bytes; }
    uint64_t FileBytes() const { return m_fileBytes; }

    // Reads a log image into memory (Open does this with the file's bytes): whole records
    // are kept, damaged ones dropped (*damaged set). Leaves the file alone.
    bool Load(const std::string &bytes, bool *damaged);
    // The same, keeping the image itself as the name pool (no second copy of the names).
    bool Load(std::string &&bytes, bool *damaged);

    // Encoded bytes of one record (tests write torn and damaged logs with it).
    static std::string EncodeRecord(char op, int32_t id, int64_t start, const std::string &name);

private:
    struct Entry {
        int64_t start;
        int32_t id;
        uint32_t nameOffset;  // into m_names
        uint32_t nameLength;
    };
    struct Loaded;

    bool OpenFile();
    bool Fits(size_t moreBytes) const;
    bool Rewrite(bool keepDamaged);
    bool WriteAll(const std::string &bytes);
    void Insert(int64_t start, int32_t id, const std::string &name);

    std::wstring m_path;
    void *m_file = nullptr;  // a Win32 file handle
    void (*m_closeFile)(void *) = nullptr;
    std::vector<Entry> m_entries;
    std::string m_names;  // a loaded image's bytes, names compacted to the front
    int32_t m_nextId = 1;
    size_t m_deadRecords = 0;  // delete records and removed adds in the log
    size_t m_compactAfter = 4096;
    uint64_t m_sizeLimit = kDefaultSizeLimit;
    uint64_t m_fileBytes = 0;
};

}  // namespace standin
