#include "ui/SkinFailure.h"

namespace {
// UI thread only: skins are built while windows are created.
std::wstring g_firstFailure;
}  // namespace

void NoteSkinFailure(const std::wstring &message) {
    if (g_firstFailure.empty()) g_firstFailure = message.empty() ? L"?" : message;
}

std::wstring SkinFailure() { return g_firstFailure; }
