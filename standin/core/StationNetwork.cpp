#include "standin/core/StationNetwork.h"

#include <cstring>

namespace standin {

void StationNetwork::SetTiming(int64_t reportIntervalMs, int64_t rejoinDelayMs) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_reportIntervalMs = reportIntervalMs > 0 ? reportIntervalMs : 1;
    m_rejoinDelayMs = rejoinDelayMs >= 0 ? rejoinDelayMs : 0;
}

void StationNetwork::SetStart(int64_t startMs) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_startMs = startMs;
}

StationNetwork::Station *StationNetwork::Find(const std::string &serial) const {
    for (const auto &s : m_stations)
        if (s->serial == serial) return s.get();
    return nullptr;
}

void StationNetwork::AddStation(const StationSpec &spec) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(spec.serial);
    if (!s) {
        m_stations.push_back(std::unique_ptr<Station>(new Station));
        s = m_stations.back().get();
        s->serial = spec.serial;
    }
    s->spec = spec;
    s->current = spec.config;
    s->override = Override::None;
    s->known = true;
    s->wasPresent = false;  // reports again as soon as it is present
}

bool StationNetwork::Drop(const std::string &serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (s) s->override = Override::Down;
    return s != nullptr;
}

bool StationNetwork::Restore(const std::string &serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (s) s->override = Override::Up;
    return s != nullptr;
}

bool StationNetwork::IsPresent(const Station &s, int64_t now) const {
    if (s.override != Override::None) return s.override == Override::Up;
    if (s.spec.presence.empty()) return true;
    int64_t t = now - m_startMs;
    if (s.spec.periodMs > 0) t = ((t % s.spec.periodMs) + s.spec.periodMs) % s.spec.periodMs;
    for (const auto &span : s.spec.presence)
        if (t >= span.first && (span.second < 0 || t < span.second)) return true;
    return false;
}

std::vector<Report> StationNetwork::DueReports(int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Report> due;
    for (const auto &p : m_stations) {
        Station &s = *p;
        bool present = IsPresent(s, now);
        if (present && !s.wasPresent) {
            s.known = true;  // a station that comes back announces itself
            s.nextReport = now;
        }
        s.wasPresent = present;
        if (!present) continue;
        if (!s.known) {
            if (now < s.rejoinAt) continue;
            s.known = true;
            s.nextReport = now;
        }
        if (now < s.nextReport) continue;
        if (!s.reported || memcmp(s.reported, &s.current, sizeof(BsConfig)) != 0) {
            m_records.push_back(s.current);
            s.reported = &m_records.back();
        }
        due.push_back(Report{s.serial.c_str(), const_cast<BsConfig *>(s.reported)});
        s.nextReport = now + m_reportIntervalMs;
    }
    return due;
}

void StationNetwork::ReportSoon() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &s : m_stations)
        if (s->known) s->nextReport = 0;
}

int StationNetwork::Status(const std::string &serial, BsConfig *out, int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (!s || !s->known || !IsPresent(*s, now)) return 0;
    *out = s->current;
    return 1;
}

int StationNetwork::SetConfig(const std::string &serial, const BsConfig &config, int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (!s) return 1;
    if (!IsPresent(*s, now)) return 2;
    s->current = config;
    return 0;
}

int StationNetwork::Delete(const std::string &serial, int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (!s) return 1;
    s->known = false;
    s->rejoinAt = now + m_rejoinDelayMs;
    return 0;
}

std::vector<std::string> StationNetwork::Serials() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> out;
    for (const auto &s : m_stations) out.push_back(s->serial);
    return out;
}

bool StationNetwork::Settings(const std::string &serial, BsConfig *out) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    Station *s = Find(serial);
    if (s) *out = s->current;
    return s != nullptr;
}

}  // namespace standin
