// The bare-platform programs' message loop: the quit message's code, and a
// GetMessage that fails ends the loop without a stale code.
#include <gtest/gtest.h>
#include <windows.h>

#include "ImportHook.h"
#include "TemplateWindow.h"

namespace {

// Never shown: the loop only needs a window to hand to the dialog manager.
HWND HiddenWindow() { return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr); }

TEST(TemplateWindow, EndsWithTheQuitMessagesCode) {
    HWND window = HiddenWindow();
    ASSERT_TRUE(window);
    PostQuitMessage(7);
    EXPECT_EQ(std::optional<WPARAM>(7), kit::RunTemplateWindow(window));
    DestroyWindow(window);
}

TEST(TemplateWindow, AFailedGetMessageGivesNoCodeAndDestroysTheWindow) {
    kit_test::ImportHook hook("GetMessageA", reinterpret_cast<void *>(kit_test::FailingGetMessage));
    ASSERT_TRUE(hook.Installed());
    HWND window = HiddenWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(std::nullopt, kit::RunTemplateWindow(window));
    EXPECT_FALSE(IsWindow(window)) << "the window's own clean-up did not run";
}

}  // namespace
