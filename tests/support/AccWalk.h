// A client of Microsoft Active Accessibility for tests: the IAccessible tree of a window's
// client area walked from AccessibleObjectFromWindow (in this process or another), each
// object as a node, and the tree printed one node a line.
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

// Walks the client area of hWnd (COM must be initialised on this thread). Without
// allRows a list's rows are visited as a reader reads the screen: the rows in view only
// (the walk stops at the first row out of view after them). False when the window gave
// no object.
bool Walk(HWND hWnd, std::vector<Node> *nodes, bool allRows = true);
// "  role "name" [value] {states} (x,y wxh) action", indented by depth.
std::string Print(const std::vector<Node> &nodes);
std::string RoleText(LONG role);
std::string StateText(LONG state);

}  // namespace acc
