#include "uilib/render/UIImageCache.h"

#include <map>
#include <mutex>
#include <utility>

#include "uilib/render/UIRender.h"

namespace uilib {

namespace {

std::mutex gLock;
std::map<std::pair<CDuiString, int>, TImageInfo *> gImages;

}  // namespace

const TImageInfo *SharedImage(const CDuiString &path, int dpi) {
    std::lock_guard<std::mutex> guard(gLock);
    const auto key = std::make_pair(path, dpi);
    auto it = gImages.find(key);
    if (it != gImages.end()) return it->second;
    TImageInfo *image = CRenderEngine::LoadImage(path, dpi);
    if (image != nullptr) gImages[key] = image;
    return image;
}

void FreeSharedImages() {
    std::lock_guard<std::mutex> guard(gLock);
    for (auto &entry : gImages) CRenderEngine::FreeImage(entry.second);
    gImages.clear();
}

}  // namespace uilib
