#include "basestation/BsStationIndex.h"

#include "basestation/BsText.h"

namespace bs {

Station *BsStationIndex::Find(const char *serial) {
    auto it = m_map.find(SerialKey(serial));
    return it == m_map.end() ? nullptr : &*it->second;
}

Station *BsStationIndex::Add(const std::string &serial, void *row) {
    Station station;
    station.key = SerialKey(serial.c_str());
    if (m_map.count(station.key) != 0) return nullptr;
    station.serial = serial;
    station.row = row;
    auto it = m_order.insert(m_order.end(), std::move(station));
    m_map.emplace(it->key, it);
    return &*it;
}

void BsStationIndex::Remove(Station *station) {
    if (!station) return;
    auto found = m_map.find(station->key);
    if (found == m_map.end() || &*found->second != station) return;
    if (station->gone) --m_gone;
    m_order.erase(found->second);
    m_map.erase(found);
}

void BsStationIndex::Clear() {
    m_order.clear();
    m_map.clear();
    m_gone = 0;
}

size_t BsStationIndex::Pass(const std::function<int(const std::string &serial)> &status) {
    for (Station &station : m_order) {
        if (station.gone) continue;
        if (status(station.serial) == 0) {
            station.gone = true;
            ++m_gone;
        }
    }
    return m_gone;
}

std::vector<void *> BsStationIndex::TakeGone() {
    std::vector<void *> rows;
    if (m_gone == 0) return rows;
    rows.reserve(m_gone);
    for (auto it = m_order.begin(); it != m_order.end();) {
        if (it->gone) {
            rows.push_back(it->row);
            m_map.erase(it->key);
            it = m_order.erase(it);
        } else {
            ++it;
        }
    }
    m_gone = 0;
    return rows;
}

}  // namespace bs
