#include "uilib/layout/UILayoutShares.h"

#include <algorithm>
#include <climits>

namespace uilib {

namespace {
// Items placed past kFar (far off any screen) stay there, so that their edges still fit.
const int kFar = INT_MAX / 2;

// Reads rectangles, sizes and limits along the line's axis (main) or across it (cross).
struct AxisView {
    bool horizontal;

    int Main(SIZE s) const { return horizontal ? s.cx : s.cy; }
    int Cross(SIZE s) const { return horizontal ? s.cy : s.cx; }
    int MainLead(const RECT &r) const { return horizontal ? r.left : r.top; }
    int MainTrail(const RECT &r) const { return horizontal ? r.right : r.bottom; }
    int CrossLead(const RECT &r) const { return horizontal ? r.top : r.left; }
    int CrossTrail(const RECT &r) const { return horizontal ? r.bottom : r.right; }
    int MainMin(const CControlUI *c) const { return horizontal ? c->GetMinWidth() : c->GetMinHeight(); }
    int MainMax(const CControlUI *c) const { return horizontal ? c->GetMaxWidth() : c->GetMaxHeight(); }
    int CrossMin(const CControlUI *c) const { return horizontal ? c->GetMinHeight() : c->GetMinWidth(); }
    int CrossMax(const CControlUI *c) const { return horizontal ? c->GetMaxHeight() : c->GetMaxWidth(); }
    SIZE Size(int main, int cross) const { return horizontal ? SIZE{main, cross} : SIZE{cross, main}; }
    RECT Rect(int main, int cross, int mainLen, int crossLen) const {
        return horizontal ? RECT{main, cross, main + mainLen, cross + crossLen}
                          : RECT{cross, main, cross + crossLen, main + mainLen};
    }
};
}  // namespace

SIZE LayOutLine(const std::vector<CControlUI *> &items, const LineFrame &frame,
                const std::function<void(int)> &placeFloat) {
    const AxisView ax{frame.axis == LayoutAxis::Horizontal};
    const RECT &content = frame.content;
    const SIZE avail = {content.right - content.left, content.bottom - content.top};

    std::vector<CControlUI *> flow;
    std::vector<SIZE> estimates;
    std::vector<AxisItem> shares;
    long long margins = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        CControlUI *item = items[i];
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            placeFloat(static_cast<int>(i));
            continue;
        }
        SIZE est = item->EstimateSize(avail);
        RECT pad = item->GetPadding();
        AxisItem a;
        a.fixed = ax.Main(est);
        a.minLen = ax.MainMin(item);
        a.maxLen = ax.MainMax(item);
        shares.push_back(a);
        estimates.push_back(est);
        flow.push_back(item);
        margins += static_cast<long long>(ax.MainLead(pad)) + ax.MainTrail(pad);
    }
    if (!flow.empty()) margins += static_cast<long long>(frame.childPadding) * static_cast<long long>(flow.size() - 1);
    ShareAxis(shares, SaturatedInt(ax.Main(avail) - margins));

    long long pos = static_cast<long long>(ax.MainLead(content)) - ax.Main(frame.scroll);
    long long mainNeeded = margins;
    int crossNeeded = 0;
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI *item = flow[i];
        RECT pad = item->GetPadding();
        int across = ax.Cross(estimates[i]) > 0 ? ax.Cross(estimates[i])
                                                : ax.Cross(avail) - ax.CrossLead(pad) - ax.CrossTrail(pad);
        across = std::max(across, ax.CrossMin(item));
        across = std::min(across, ax.CrossMax(item));
        across = std::max(across, 0);
        const int along = std::min(shares[i].length, INT_MAX - kFar);
        pos += ax.MainLead(pad);
        const int crossPos =
            SaturatedInt(static_cast<long long>(ax.CrossLead(content)) + ax.CrossLead(pad) - ax.Cross(frame.scroll));
        item->SetPos(ax.Rect(SaturatedInt(std::min<long long>(pos, kFar)), crossPos, along, across), frame.invalidate);
        pos += static_cast<long long>(along) + ax.MainTrail(pad) + frame.childPadding;
        mainNeeded += along;
        crossNeeded = SaturatedInt(
            std::max<long long>(crossNeeded, static_cast<long long>(across) + ax.CrossLead(pad) + ax.CrossTrail(pad)));
    }
    return ax.Size(SaturatedInt(mainNeeded), crossNeeded);
}

}  // namespace uilib
