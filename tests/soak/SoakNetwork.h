// The soak's radio network in the stand-in: a scenario of hundreds of stations that come
// and go on timelines of a few seconds, recording on and calls to page through; and,
// through the control pipe, freezing every station where it stands so that the list
// can be compared with the stations present.
#pragma once

#include <set>
#include <string>

namespace soak {

struct NetworkPlan {
    int stations = 300;
    unsigned seed = 1;
};

// The scenario file's text; calls of today for the call page.
std::string NetworkScenario(const NetworkPlan &plan);

// Forces every station to stay as it is now (present or absent); false when the pipe
// did not answer. *present receives the serials of the stations left present.
bool FreezeNetwork(const std::wstring &pipe, std::set<std::string> *present, std::string *error);

}  // namespace soak
