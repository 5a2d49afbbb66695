// Linked into every test program that needs windows: when no window can be made (the X
// display does not answer), the program fails at once with one clear line instead of
// running its tests against windows that do not exist.
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
