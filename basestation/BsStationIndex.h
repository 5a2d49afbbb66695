// The listed stations in row order, indexed by the identifying part of their serial
// numbers (SerialKey) so that finding a station costs the same with 10 rows or 10,000.
// Serials here are the bytes a row's column 0 reads back (OEM code page): the duplicate
// test, the poller and the dialog all see a station by those bytes.
// Not synchronised: the owner guards it with the list lock. Row handles are opaque and
// not owned (the list owns its rows).
#pragma once

#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace bs {

struct Station {
    std::string key;     // SerialKey of the serial
    std::string serial;  // column 0 read back, as the status query is asked (at most 99 bytes)
    void *row = nullptr;
    bool gone = false;  // a pass found it gone; its row is still to be removed
};

class BsStationIndex {
public:
    // The station whose serial agrees with serial in its first kSerialKeyBytes, or null.
    Station *Find(const char *serial);
    // Appends a station; null (and nothing changed) when one with the same key is listed.
    Station *Add(const std::string &serial, void *row);
    void Remove(Station *station);
    void Clear();

    // One presence pass: status(serial) for every station not already gone, in row
    // order; a result of 0 marks it gone. Returns how many are gone after the pass.
    size_t Pass(const std::function<int(const std::string &serial)> &status);
    // Forgets every station marked gone and returns their rows in row order.
    std::vector<void *> TakeGone();

    size_t Size() const { return m_map.size(); }
    size_t GoneCount() const { return m_gone; }
    // Stations in row order (for checks and diagnostics).
    const std::list<Station> &Stations() const { return m_order; }

private:
    std::list<Station> m_order;
    std::unordered_map<std::string, std::list<Station>::iterator> m_map;
    size_t m_gone = 0;
};

}  // namespace bs
