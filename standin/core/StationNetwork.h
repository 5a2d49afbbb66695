// StationNetwork: the simulated base stations. Each has a serial number, the settings it
// runs with (a BsConfig), a presence timeline, and whether the control library currently
// knows it (BmHalBsDelete forgets a station until it reports again).
//
// Time is passed in: milliseconds of a monotonic clock; presence timelines count from the
// network's start. Thread-safe: status calls come from the console's poller thread while
// set-config and delete come from its UI thread and reports are made on the library's own.
//
// Lifetimes: the serial text and every record handed out in a Report stay valid and
// unchanged for the life of the network. A station that takes new settings reports a new
// record; the old one is kept (records are never freed, one per distinct change).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "service/BsConfig.h"

namespace standin {

struct StationSpec {
    std::string serial;
    BsConfig config{};
    // Present during these spans (ms from the network's start, end -1: open-ended).
    // Empty: always present.
    std::vector<std::pair<int64_t, int64_t>> presence;
    int64_t periodMs = 0;  // > 0: the timeline repeats with this period
};

struct Report {
    const char *serial;
    BsConfig *record;
};

class StationNetwork {
public:
    explicit StationNetwork(int64_t startMs = 0) : m_startMs(startMs) {}

    void SetTiming(int64_t reportIntervalMs, int64_t rejoinDelayMs);
    void SetStart(int64_t startMs);

    // Adds a station, or gives an existing one this spec (its serial text stays the same
    // storage). The station is known and follows its timeline.
    void AddStation(const StationSpec &spec);
    // Manual presence (overrides the timeline): false when the serial is unknown.
    bool Drop(const std::string &serial);
    bool Restore(const std::string &serial);

    // Reports due at `now`: present stations report when they appear, then every report
    // interval; a forgotten station reports again after the rejoin delay.
    std::vector<Report> DueReports(int64_t now);
    // Every present station reports at the next DueReports (a callback was registered).
    void ReportSoon();

    // 1 and *out = settings while the station is present and known; 0 otherwise.
    int Status(const std::string &serial, BsConfig *out, int64_t now);
    // 0: the station took the settings; 1: unknown serial; 2: station not present.
    int SetConfig(const std::string &serial, const BsConfig &config, int64_t now);
    // 0: forgotten until it reports again; 1: unknown serial.
    int Delete(const std::string &serial, int64_t now);

    std::vector<std::string> Serials() const;
    bool Settings(const std::string &serial, BsConfig *out) const;

private:
    enum class Override { None, Up, Down };
    struct Station {
        std::string serial;  // never changed: reports hand out its text
        StationSpec spec;
        BsConfig current{};
        const BsConfig *reported = nullptr;  // last record reported (in m_records)
        Override override = Override::None;
        bool known = true;
        bool wasPresent = false;
        int64_t rejoinAt = 0;
        int64_t nextReport = 0;
    };

    Station *Find(const std::string &serial) const;
    bool IsPresent(const Station &s, int64_t now) const;

    mutable std::mutex m_mutex;
    int64_t m_startMs;
    int64_t m_reportIntervalMs = 3000;
    int64_t m_rejoinDelayMs = 2000;
    std::vector<std::unique_ptr<Station>> m_stations;
    std::deque<BsConfig> m_records;  // every record ever reported; never shrinks
};

}  // namespace standin
