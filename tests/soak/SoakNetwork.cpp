#include "tests/soak/SoakNetwork.h"

#include <windows.h>

#include <cstdio>
#include <random>
#include <vector>

#include "tests/support/StandinPipe.h"

namespace soak {

namespace {

const int kSeededCalls = 40;  // today's calls at start: three pages

// "station list" lines: "<serial> present|absent ...".
bool ListStations(const std::wstring &pipe, std::vector<std::pair<std::string, bool>> *stations, std::string *error) {
    const e2e::PipeAnswer answer = e2e::AskStandin(pipe, "station list", 15000);
    if (!answer.ok) {
        *error = "station list: " + (answer.status.empty() ? std::string("no answer") : answer.status);
        return false;
    }
    stations->clear();
    for (const std::string &line : answer.lines) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        stations->emplace_back(line.substr(0, space), line.compare(space + 1, 8, "present ") == 0);
    }
    return true;
}

}  // namespace

std::string NetworkScenario(const NetworkPlan &plan) {
    std::mt19937 rng(plan.seed);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::string text = "report-interval 3000\n"
                       "rejoin-delay 2000\n"
                       "record-first 1000\n"
                       "record-interval 6000\n"
                       "record-length 3000\n"
                       "recording on\n"
                       "clear\n";
    char line[256];
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    for (int i = 0; i < kSeededCalls; ++i) {
        snprintf(line, sizeof line, "call %04d-%02d-%02d 00:%02d:00 seconds=%d name=soak%02d.wav\n", now.wYear,
                 now.wMonth, now.wDay, i, pick(2, 20), i);
        text += line;
    }
    for (int i = 0; i < plan.stations; ++i) {
        // Most stations come and go within 6 to 25 s; a few stay, a few rarely show.
        std::string presence;
        const int kind = pick(0, 19);
        if (kind == 0) {
            presence = "";
        } else if (kind == 1) {
            presence = " present=0-2 period=" + std::to_string(pick(15, 40));
        } else {
            const int period = pick(6, 25);
            const int leave = pick(1, period - 3);
            const int back = pick(leave + 2, period - 1);
            presence = " present=0-" + std::to_string(leave) + "," + std::to_string(back) +
                       "- period=" + std::to_string(period);
        }
        snprintf(line, sizeof line,
                 "station SOAK-%04d version=%d channel=%d callmagic=%d zonemagic=%d repeater=%d ip=10.%d.%d.%d "
                 "mask=255.255.0.0 gateway=10.%d.0.1 manager=10.0.0.2 proxy0=1.2.3.4 proxy1=0.0.0.0 "
                 "proxy2=0.0.0.0%s\n",
                 i, pick(1, 9), pick(1, 200), pick(1, 999999), pick(1, 10), pick(0, 3), i / 250, i % 250, pick(1, 254),
                 i / 250, presence.c_str());
        text += line;
    }
    return text;
}

bool FreezeNetwork(const std::wstring &pipe, std::set<std::string> *present, std::string *error) {
    std::vector<std::pair<std::string, bool>> stations;
    if (!ListStations(pipe, &stations, error)) return false;
    for (const auto &s : stations) {
        const std::string request = (s.second ? "station restore " : "station drop ") + s.first;
        const e2e::PipeAnswer answer = e2e::AskStandin(pipe, request, 15000);
        if (!answer.ok) {
            *error = request + ": " + (answer.status.empty() ? std::string("no answer") : answer.status);
            return false;
        }
    }
    // Read back: the stations as the stand-in now holds them.
    if (!ListStations(pipe, &stations, error)) return false;
    present->clear();
    for (const auto &s : stations)
        if (s.second) present->insert(s.first);
    return true;
}

}  // namespace soak
