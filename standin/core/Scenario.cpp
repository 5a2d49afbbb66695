#include "standin/core/Scenario.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "standin/core/DateText.h"
#include "standin/core/InputText.h"

namespace standin {
namespace {

bool ParseInt(const std::string &s, int64_t lo, int64_t hi, int64_t *out) {
    if (s.empty()) return false;
    char *end = nullptr;
    long long v = strtoll(s.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool ParseSecondsToMs(const std::string &s, int64_t *ms) {
    if (s.empty()) return false;
    char *end = nullptr;
    double v = strtod(s.c_str(), &end);
    // strtod takes "nan" and "inf"; converting either to an integer is undefined.
    if (*end != '\0' || !std::isfinite(v) || v < 0 || v > 1e9) return false;
    *ms = static_cast<int64_t>(v * 1000 + 0.5);
    return true;
}

// "0-30,45-" (seconds): spans of presence; an empty end is open-ended.
bool ParseSpans(const std::string &s, std::vector<std::pair<int64_t, int64_t>> *spans) {
    spans->clear();
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, ',')) {
        size_t dash = part.find('-');
        if (dash == std::string::npos) return false;
        int64_t a = 0, b = -1;
        if (!ParseSecondsToMs(part.substr(0, dash), &a)) return false;
        std::string tail = part.substr(dash + 1);
        if (!tail.empty() && (!ParseSecondsToMs(tail, &b) || b <= a)) return false;
        spans->push_back({a, b});
    }
    return !spans->empty();
}

bool SplitKey(const std::string &word, std::string *key, std::string *value) {
    size_t eq = word.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    *key = word.substr(0, eq);
    *value = word.substr(eq + 1);
    return true;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string &line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string w;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            if (line[i] == '"') {
                size_t close = line.find('"', i + 1);
                if (close == std::string::npos) close = line.size();
                w += line.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                w += line[i++];
            }
        }
        words.push_back(w);
    }
    return words;
}

bool ParseAddress(const std::string &text, uint32_t *out) {
    unsigned char b[4];
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        size_t start = pos;
        int v = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 3)
            v = v * 10 + (text[pos++] - '0');
        if (pos == start || v > 255) return false;
        b[i] = static_cast<unsigned char>(v);
        if (i < 3) {
            if (pos >= text.size() || text[pos] != '.') return false;
            ++pos;
        }
    }
    if (pos != text.size()) return false;
    memcpy(out, b, 4);
    return true;
}

std::string FormatAddress(uint32_t address) {
    unsigned char b[4];
    memcpy(b, &address, 4);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]);
}

std::string FormatStationFields(const BsConfig &c) {
    return "version=" + std::to_string(c.Version) + " reserved1=" + std::to_string(c.Reserved1) +
           " channel=" + std::to_string(c.Channel) + " reserved2=" + std::to_string(c.Reserved2) +
           " callmagic=" + std::to_string(c.CallMagic) + " zonemagic=" + std::to_string(c.ZoneMagic) +
           " ip=" + FormatAddress(c.IpAddr) + " mask=" + FormatAddress(c.NetMask) +
           " gateway=" + FormatAddress(c.Gateway) + " manager=" + FormatAddress(c.ManagerIp) +
           " repeater=" + std::to_string(c.RepeaterMode) + " proxy0=" + FormatAddress(c.Proxy0) +
           " proxy1=" + FormatAddress(c.Proxy1) + " proxy2=" + FormatAddress(c.Proxy2);
}

bool ParseStationFields(const std::vector<std::string> &words, size_t first, StationSpec *spec, std::string *error) {
    for (size_t i = first; i < words.size(); ++i) {
        std::string key, value;
        if (!SplitKey(words[i], &key, &value)) {
            *error = "expected key=value, got \"" + words[i] + "\"";
            return false;
        }
        struct IntField {
            const char *key;
            int32_t *field;
        } ints[] = {
            {"version", &spec->config.Version},       {"channel", &spec->config.Channel},
            {"callmagic", &spec->config.CallMagic},   {"zonemagic", &spec->config.ZoneMagic},
            {"repeater", &spec->config.RepeaterMode},
        };
        struct AddrField {
            const char *key;
            uint32_t *field;
        } addrs[] = {
            {"ip", &spec->config.IpAddr},         {"mask", &spec->config.NetMask},  {"gateway", &spec->config.Gateway},
            {"manager", &spec->config.ManagerIp}, {"proxy0", &spec->config.Proxy0}, {"proxy1", &spec->config.Proxy1},
            {"proxy2", &spec->config.Proxy2},
        };
        bool done = false, ok = true;
        for (auto &f : ints) {
            if (key != f.key) continue;
            int64_t v = 0;
            ok = ParseInt(value, INT32_MIN, INT32_MAX, &v);
            if (ok) *f.field = static_cast<int32_t>(v);
            done = true;
        }
        for (auto &f : addrs) {
            if (key != f.key) continue;
            ok = ParseAddress(value, f.field);
            done = true;
        }
        if (key == "reserved1" || key == "reserved2") {
            int64_t v = 0;
            ok = ParseInt(value, 0, UINT32_MAX, &v);
            if (ok) (key == "reserved1" ? spec->config.Reserved1 : spec->config.Reserved2) = static_cast<uint32_t>(v);
            done = true;
        } else if (key == "present") {
            ok = ParseSpans(value, &spec->presence);
            done = true;
        } else if (key == "period") {
            ok = ParseSecondsToMs(value, &spec->periodMs);
            done = true;
        }
        if (!done) {
            *error = "unknown station field \"" + key + "\"";
            return false;
        }
        if (!ok) {
            *error = "bad value for " + key + ": \"" + value + "\"";
            return false;
        }
    }
    return true;
}

bool ParseCallFields(const std::vector<std::string> &words, size_t first, ScenarioCall *call, std::string *error) {
    if (words.size() < first + 2) {
        *error = "expected YYYY-MM-DD HH:MM:SS";
        return false;
    }
    std::string date = words[first] + " " + words[first + 1];
    if (date.size() >= kTextLimit || !ParseDateText(date.c_str(), &call->start)) {
        *error = "bad date \"" + date + "\"";
        return false;
    }
    for (size_t i = first + 2; i < words.size(); ++i) {
        std::string key, value;
        int64_t v = 0;
        if (!SplitKey(words[i], &key, &value)) {
            *error = "expected key=value, got \"" + words[i] + "\"";
            return false;
        }
        if (key == "seconds" && ParseInt(value, 1, 3600, &v)) {
            call->seconds = static_cast<int>(v);
        } else if (key == "name" && IsPlainFileName(value)) {
            call->name = value;
        } else if (key == "inuse" && ParseInt(value, 0, 1, &v)) {
            call->inUse = v != 0;
        } else {
            *error = "bad call field \"" + words[i] + "\"";
            return false;
        }
    }
    return true;
}

bool ParseScenario(const std::string &text, Scenario *out, std::string *error) {
    Scenario s;
    std::stringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> w = SplitWords(line);
        if (w.empty() || w[0][0] == '#') continue;
        const std::string &cmd = w[0];
        std::string why;
        int64_t ms = 0;
        bool ok = true;
        auto timing = [&](int64_t *field) {
            ok = w.size() == 2 && ParseInt(w[1], 0, 86400000, &ms);
            if (ok) *field = ms;
        };
        auto flag = [&](bool *field) {
            ok = w.size() == 2 && (w[1] == "on" || w[1] == "off");
            if (ok) *field = w[1] == "on";
        };
        if (cmd == "report-interval")
            timing(&s.reportIntervalMs);
        else if (cmd == "rejoin-delay")
            timing(&s.rejoinDelayMs);
        else if (cmd == "record-first")
            timing(&s.recorder.firstDelayMs);
        else if (cmd == "record-interval")
            timing(&s.recorder.intervalMs);
        else if (cmd == "record-length")
            timing(&s.recorder.lengthMs);
        else if (cmd == "sound")
            flag(&s.sound);
        else if (cmd == "locate") {
            ok = w.size() == 2 && (w[1] == "open" || w[1] == "record");
            if (ok) s.locateOpens = w[1] == "open";
        } else if (cmd == "recording")
            flag(&s.recording);
        else if (cmd == "clear")
            ok = w.size() == 1, s.clear = true;
        else if (cmd == "station") {
            StationSpec spec;
            ok = w.size() >= 2 && w[1].size() < kTextLimit;
            if (ok) {
                spec.serial = w[1];
                ok = ParseStationFields(w, 2, &spec, &why);
            }
            if (ok) s.stations.push_back(spec);
        } else if (cmd == "call") {
            ScenarioCall call;
            ok = ParseCallFields(w, 1, &call, &why);
            if (ok) s.calls.push_back(call);
        } else if (cmd == "fault") {
            ok = w.size() == 2 && (w[1] == "init" || w[1] == "tick");
            if (ok) (w[1] == "init" ? s.faultInit : s.faultTick) = true;
        } else if (cmd == "inuse") {
            ok = w.size() == 2 && IsPlainFileName(w[1]);
            if (ok) s.inUse.push_back(w[1]);
        } else {
            why = "unknown directive \"" + cmd + "\"";
            ok = false;
        }
        if (!ok) {
            *error = "line " + std::to_string(number) + ": " + (why.empty() ? line : why);
            return false;
        }
    }
    *out = s;
    return true;
}

Scenario DemoScenario() {
    Scenario s;
    s.sound = true;
    s.locateOpens = true;
    struct Demo {
        const char *serial;
        int channel, callMagic, zone, repeater;
        const char *ip;
    };
    static const Demo kDemo[] = {
        {"BS6100-0001", 12, 123456, 1, 0, "192.168.10.21"},     {"BS6100-0002", 27, 654321, 2, 1, "192.168.10.22"},
        {"BS6100-0003", 45, 100200300, 3, 2, "192.168.10.23"},  {"BS6200-0107", 88, 777777, 5, 0, "192.168.20.17"},
        {"BS6200-0108", 150, 31415926, 8, -1, "192.168.20.18"}, {"BS6300-1024", 199, 999999999, 10, 1, "10.0.5.99"},
    };
    for (const Demo &d : kDemo) {
        StationSpec spec;
        spec.serial = d.serial;
        spec.config.Version = 3;
        spec.config.Channel = d.channel;
        spec.config.CallMagic = d.callMagic;
        spec.config.ZoneMagic = d.zone;
        spec.config.RepeaterMode = d.repeater;
        ParseAddress(d.ip, &spec.config.IpAddr);
        ParseAddress("255.255.255.0", &spec.config.NetMask);
        std::string net = std::string(d.ip).substr(0, std::string(d.ip).rfind('.'));
        ParseAddress(net + ".1", &spec.config.Gateway);
        ParseAddress(net + ".2", &spec.config.ManagerIp);
        ParseAddress(net + ".3", &spec.config.Proxy0);
        s.stations.push_back(spec);
    }
    // The last one drops out for 20 s of every minute.
    s.stations.back().presence = {{0, 40000}};
    s.stations.back().periodMs = 60000;
    return s;
}

}  // namespace standin
