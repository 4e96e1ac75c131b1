// The Init button's caption holder, on a button of the test's own: the old
// caption comes back on every way out, a thrown failure included.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TemporaryCaption.h"
#include "UiAuto.h"

namespace {

struct OwnButton {
    HWND window = CreateWindowA("BUTTON", "&Init", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, nullptr, nullptr);
    ~OwnButton() { DestroyWindow(window); }
};

TEST(TemporaryCaption, ShowsItsCaptionWhileHeldAndRestoresOnEveryWayOut) {
    OwnButton button;
    ASSERT_NE(nullptr, button.window);
    {
        mirvo_dw32::TemporaryCaption opening(button.window, "Opening...");
        EXPECT_EQ("Opening...", uiauto::TextOf(button.window));
    }
    EXPECT_EQ("&Init", uiauto::TextOf(button.window));

    EXPECT_THROW(
        {
            mirvo_dw32::TemporaryCaption opening(button.window, "Opening...");
            throw std::runtime_error("a failure inside the handler");
        },
        std::runtime_error);
    EXPECT_EQ("&Init", uiauto::TextOf(button.window)) << "restored when the handler is left by an exception";
}

TEST(TemporaryCaption, KeepsAtMostFortyCharactersOfTheOldCaption) {
    OwnButton button;
    const std::string longCaption(60, 'c');
    SetWindowTextA(button.window, longCaption.c_str());
    { mirvo_dw32::TemporaryCaption opening(button.window, "Opening..."); }
    EXPECT_EQ(std::string(40, 'c'), uiauto::TextOf(button.window));
}

}  // namespace
