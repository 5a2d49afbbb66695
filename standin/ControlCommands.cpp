// The control pipe's commands, carried out against the service.
#include <cstdio>

#include "standin/ControlPipe.h"
#include "standin/Service.h"
#include "standin/core/InputText.h"
#include "standin/core/Scenario.h"

namespace standin {
namespace {

std::string Ok(const std::string &rest = std::string()) { return rest.empty() ? "ok\n" : "ok " + rest + "\n"; }

std::string Error(const std::string &why) { return "error " + why + "\n"; }

std::string StationCommand(const std::vector<std::string> &w, Service &service) {
    StationNetwork &net = service.Network();
    if (w.size() >= 3 && w[1] == "add") {
        if (w[2].empty() || w[2].size() >= kTextLimit) return Error("bad serial");
        StationSpec spec;
        spec.serial = w[2];
        // A station added again keeps its settings unless fields are given.
        net.Settings(spec.serial, &spec.config);
        std::string why;
        if (!ParseStationFields(w, 3, &spec, &why)) return Error(why);
        net.AddStation(spec);
        return Ok();
    }
    if (w.size() == 3 && (w[1] == "drop" || w[1] == "restore")) {
        bool known = w[1] == "drop" ? net.Drop(w[2]) : net.Restore(w[2]);
        return known ? Ok() : Error("unknown station " + w[2]);
    }
    if (w.size() == 2 && w[1] == "list") {
        std::string out;
        for (const std::string &serial : net.Serials()) {
            BsConfig now{}, settings{};
            net.Settings(serial, &settings);
            bool present = net.Status(serial, &now, service.Now()) != 0;
            out += "= " + serial + (present ? " present" : " absent") + " channel=" + std::to_string(settings.Channel) +
                   " callmagic=" + std::to_string(settings.CallMagic) + " ip=" + FormatAddress(settings.IpAddr) + "\n";
        }
        return out + Ok();
    }
    return Error("usage: station add <serial> [field=value...] | drop <serial> | "
                 "restore <serial> | list");
}

std::string CallCommand(const std::vector<std::string> &w, Service &service) {
    if (w.size() < 2 || w[1] != "add") return Error("usage: call add <date> <time> [...]");
    ScenarioCall call;
    std::string why, name;
    if (!ParseCallFields(w, 2, &call, &why)) return Error(why);
    int32_t id = 0;
    const int result = service.AddCall(call, &id, &name);
    if (result != kOk) return Error("call not added (result " + std::to_string(result) + ")");
    return Ok(std::to_string(id) + " " + name);
}

}  // namespace

std::string ExecuteControlCommand(const std::string &line, Service &service) {
    std::vector<std::string> w = SplitWords(line);
    if (w.empty()) return Error("empty request");
    const std::string &cmd = w[0];
    if (cmd == "ping") return Ok();
    if (cmd == "station") return StationCommand(w, service);
    if (cmd == "call") return CallCommand(w, service);
    if (cmd == "count") return Ok(std::to_string(service.Store().Count()));
    if (cmd == "file" && w.size() == 4 && w[1] == "inuse" && (w[3] == "0" || w[3] == "1")) {
        if (!IsPlainFileName(w[2])) return Error("not a plain file name");
        service.Store().SetInUse(w[2], w[3] == "1");
        return Ok();
    }
    if (cmd == "record" && w.size() == 1) {
        std::string recording = service.Recording().Recording();
        return Ok(std::string(service.Recording().On() ? "1" : "0") + (recording.empty() ? "" : " " + recording));
    }
    if (cmd == "player" && w.size() == 1) {
        Player &p = service.Playback();
        return Ok("total=" + std::to_string(p.TotalFrames()) + " current=" + std::to_string(p.CurrentFrame()) +
                  " paused=" + std::to_string(p.StopFlag()));
    }
    if (cmd == "status-calls" && w.size() == 1) return Ok(std::to_string(service.StatusCalls()));
    if (cmd == "log" && w.size() == 1) {
        std::string out;
        std::vector<std::string> lines = service.Log().Lines();
        for (const std::string &l : lines) out += "= " + l + "\n";
        return out + Ok(std::to_string(lines.size()));
    }
    if (cmd == "log" && w.size() == 2 && w[1] == "clear") {
        service.Log().Clear();
        return Ok();
    }
    return Error("unknown request \"" + cmd + "\"");
}

}  // namespace standin
