// Private to the layouts: shares one length among items along the layout's axis, and
// lays a container's items out one after another along either axis.
// Fixed items keep their (clamped) length; the rest share what is left equally,
// each clamped to its min/max, the clamped ones' surplus or shortfall going to the others.
#pragma once

#include <functional>
#include <vector>

#include "uilib/core/UIControl.h"
#include "uilib/layout/UIAxisShares.h"

namespace uilib {

enum class LayoutAxis { Horizontal, Vertical };

struct LineFrame {
    LayoutAxis axis;
    RECT content;      // the container's content rectangle
    SIZE scroll;       // its scroll position
    int childPadding;  // the gap between neighbouring items
    bool invalidate;   // passed on to the items' SetPos
};

// Places the visible items in a line along the frame's axis; floating ones go to
// placeFloat (with their index) instead. Returns the content size the line needs.
SIZE LayOutLine(const std::vector<CControlUI *> &items, const LineFrame &frame,
                const std::function<void(int)> &placeFloat);

}  // namespace uilib
