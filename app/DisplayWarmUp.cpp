#include "app/DisplayWarmUp.h"

#include <windows.h>
#include <process.h>

#include <new>
#include <utility>

#include "uilib/render/UIPaintAhead.h"

namespace {

unsigned __stdcall TouchDisplay(void *) {
    ::ReleaseDC(nullptr, ::GetDC(nullptr));
    return 0;
}

struct FirstPaintWork {
    std::vector<uilib::SkinGlyphs> glyphs;
    int dpi;
    SIZE window;
};

// Kept loaded: the delay-load helper finds them in place at their first call.
const wchar_t *const kLibrariesBeforeFirstPaint[] = {L"shell32.dll", L"gdiplus.dll"};

unsigned __stdcall PrepareFirstPaint(void *param) {
    FirstPaintWork *work = static_cast<FirstPaintWork *>(param);
    for (const wchar_t *library : kLibrariesBeforeFirstPaint) ::LoadLibraryW(library);
    // The UI thread builds the windows meanwhile and comes first.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    uilib::RenderSkinGlyphs(work->glyphs, work->dpi);
    uilib::PrepareBackBuffer(work->window.cx, work->window.cy);
    delete work;
    return 0;
}

// False when the thread could not be started.
bool StartDetached(unsigned(__stdcall *body)(void *), void *param) {
    const uintptr_t thread = _beginthreadex(nullptr, 0, body, param, 0, nullptr);
    if (thread == 0) return false;
    ::CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

}  // namespace

void WarmUpDisplayInBackground() { StartDetached(TouchDisplay, nullptr); }

void WarmUpFirstPaintInBackground(std::vector<uilib::SkinGlyphs> glyphs, int dpi, SIZE window) {
    FirstPaintWork *work = new (std::nothrow) FirstPaintWork{std::move(glyphs), dpi, window};
    if (work != nullptr && !StartDetached(PrepareFirstPaint, work)) delete work;
}
