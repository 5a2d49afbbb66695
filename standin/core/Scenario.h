// Scenario: the simulated world a test asks for (stations, presence over time, calls,
// files in use, timings), read from a text file; also the built-in demo network.
// Line format: see standin/README.md. Parsing never throws; errors name the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standin/core/Recorder.h"
#include "standin/core/StationNetwork.h"

namespace standin {

struct ScenarioCall {
    int64_t start = 0;  // seconds (DateText.h)
    int seconds = 5;    // length of the generated audio
    std::string name;   // empty: generated
    bool inUse = false;
};

struct Scenario {
    int64_t reportIntervalMs = 3000;
    int64_t rejoinDelayMs = 2000;
    RecorderTiming recorder;
    bool clear = false;        // empty the call store first
    bool sound = false;        // play through the sound device
    bool locateOpens = false;  // LocateVoiceFile opens the file browser
    bool recording = false;    // recording on at start
    bool faultInit = false;    // start-up throws at its end (tests of the guards)
    bool faultTick = false;    // the network thread's first tick throws
    std::vector<StationSpec> stations;
    std::vector<ScenarioCall> calls;
    std::vector<std::string> inUse;
};

bool ParseScenario(const std::string &text, Scenario *out, std::string *error);

// Splits a line into words; a word in double quotes may hold spaces.
std::vector<std::string> SplitWords(const std::string &line);

// Station fields "key=value" (version, channel, callmagic, zonemagic, repeater, ip, mask,
// gateway, manager, proxy0..2, reserved1/2, present, period) applied to spec.
bool ParseStationFields(const std::vector<std::string> &words, size_t first, StationSpec *spec, std::string *error);
// "date time [seconds=N] [name=X] [inuse=1]" from words[first].
bool ParseCallFields(const std::vector<std::string> &words, size_t first, ScenarioCall *call, std::string *error);

// The record as the station fields above (all of them, reserved ones included).
std::string FormatStationFields(const BsConfig &config);

// Dotted quad to the 4 bytes in network order (first octet at the lowest address).
bool ParseAddress(const std::string &text, uint32_t *out);
std::string FormatAddress(uint32_t address);

// The demo network: six stations (one drops out for 20 s every minute), default timings.
Scenario DemoScenario();

}  // namespace standin
