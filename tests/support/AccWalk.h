// The IAccessible tree of a window's client area (this process or another), as nodes.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace acc {

struct Node {
    int depth = 0;  // 0: the client area
    LONG role = 0;
    LONG state = 0;
    std::wstring name, value, action;
    RECT rect = {0, 0, 0, 0};  // screen pixels
    LONG children = 0;
};

// COM must be initialised. Without allRows a list's rows are walked as a reader reads the
// screen: up to the first row out of view after rows in view. False when no object came.
bool Walk(HWND hWnd, std::vector<Node> *nodes, bool allRows = true);

std::string Print(const std::vector<Node> &nodes);
std::string RoleText(LONG role);
std::string StateText(LONG state);

}  // namespace acc
