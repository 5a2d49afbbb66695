// With no X display every window test would fail: one clear line instead.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class DisplayCheck : public ::testing::Environment {
public:
    void SetUp() override {
        HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(probe, nullptr) << "set-up failed: no window can be made (is the X display answering?)";
        ::DestroyWindow(probe);
    }
};

const auto *const kDisplayCheck = ::testing::AddGlobalTestEnvironment(new DisplayCheck);

}  // namespace
