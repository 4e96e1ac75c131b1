// The framework's rules that need no window: message-map lookup along the
// class chain, how a dialog procedure gives results, names and placement.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Application.h"
#include "Dialog.h"
#include "MessageMap.h"
#include "PaintContext.h"

namespace {

using namespace dialogframework;

struct Base : MessageTarget {
    const MessageMap &Messages() const override {
        static const MessageRoute routes[] = {
            OnClicked(IDOK, &Base::OnOk),
            OnClicked(5, &Base::OnFive),
            OnMessage(WM_PAINT, &Base::OnPaint),
        };
        static const MessageMap map = MakeMessageMap(&MessageTarget::Messages(), routes);
        return map;
    }
    void OnOk() { calls += "Base::OnOk "; }
    void OnFive() { calls += "Base::OnFive "; }
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    std::string calls;
};

struct Derived : Base {
    const MessageMap &Messages() const override {
        static const MessageRoute routes[] = {OnClicked(IDOK, &Derived::OnOkAgain)};
        static const MessageMap map = MakeMessageMap(&Base::Messages(), routes);
        return map;
    }
    void OnOkAgain() { calls += "Derived::OnOkAgain "; }
};

void Call(Derived &target, UINT message, WPARAM wParam) {
    const MessageRoute *route = FindRoute(target.Messages(), message, wParam);
    ASSERT_NE(nullptr, route) << "no row for message " << message << ", wParam " << wParam;
    CallRoute(target, *route, wParam, 0);
}

TEST(MessageMap, TheMostDerivedRowWinsAndTheBaseRowsStillServe) {
    Derived target;
    Call(target, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    Call(target, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED));
    EXPECT_EQ("Derived::OnOkAgain Base::OnFive ", target.calls);
    const MessageRoute *paint = FindRoute(target.Messages(), WM_PAINT, 0);
    ASSERT_NE(nullptr, paint);
    EXPECT_EQ(7, CallRoute(target, *paint, 3, 4)) << "a message row gives its handler's result";
}

TEST(MessageMap, CommandRowsMatchTheControlAndTheClickOnly) {
    Derived target;
    EXPECT_EQ(nullptr, FindRoute(target.Messages(), WM_COMMAND, MAKEWPARAM(6, BN_CLICKED))) << "another control";
    EXPECT_EQ(nullptr, FindRoute(target.Messages(), WM_COMMAND, MAKEWPARAM(5, BN_SETFOCUS))) << "not a click";
    EXPECT_EQ(nullptr, FindRoute(target.Messages(), WM_SIZE, 0)) << "a message no class names";
    EXPECT_EQ(nullptr, FindRoute(target.Messages(), WM_NOTIFY, 5)) << "a command row matches WM_COMMAND only";
    struct Empty : MessageTarget {} empty;
    EXPECT_EQ(nullptr, FindRoute(empty.Messages(), WM_COMMAND, IDOK)) << "the empty map";
}

TEST(MessageMap, DialogDefaultsEndOnOkAndCancelOnly) {
    struct Probe : Dialog {
        Probe() : Dialog(1, nullptr) {}
    } dialog;
    for (WORD id : {IDOK, IDCANCEL})
        EXPECT_NE(nullptr, FindRoute(dialog.Messages(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED))) << "command " << id;
    for (WORD id : {WORD{IDABORT}, WORD{IDRETRY}, kHelpCommand})
        EXPECT_EQ(nullptr, FindRoute(dialog.Messages(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED))) << "command " << id;
}

TEST(DialogResults, OnlyTheClassicMessagesReturnTheirResultDirectly) {
    for (UINT message : {WM_QUERYDRAGICON, WM_CTLCOLORSTATIC, WM_CTLCOLORDLG, WM_INITDIALOG, WM_COMPAREITEM})
        EXPECT_TRUE(ReturnsResultDirectly(message)) << message;
    for (UINT message : {WM_PAINT, WM_COMMAND, WM_ICONERASEBKGND, WM_APP})
        EXPECT_FALSE(ReturnsResultDirectly(message)) << message;
}

TEST(ApplicationName, IsTheExecutablesNameWithoutFolderAndExtension) {
    EXPECT_EQ("Mirvo_mfc", NameFromModulePath("C:\\kit\\Mirvo_mfc.EXE"));
    EXPECT_EQ("a.b", NameFromModulePath("Z:/work/a.b.exe"));
    EXPECT_EQ("prog", NameFromModulePath("prog"));
    EXPECT_EQ(".hidden", NameFromModulePath("C:\\x\\.hidden"));
    EXPECT_EQ("No help is available for Mirvo_mfc.", DefaultHelpText("Mirvo_mfc"));
}

TEST(CentredIconOrigin, CentresRoundingUpAndTruncatesTowardZero) {
    const auto at = [](LONG left, LONG top, LONG right, LONG bottom, int w, int h) {
        const POINT p = CentredIconOrigin(RECT{left, top, right, bottom}, w, h);
        return std::make_pair(p.x, p.y);
    };
    EXPECT_EQ(std::make_pair(2L, 2L), at(0, 0, 36, 36, 32, 32));
    EXPECT_EQ(std::make_pair(1L, 1L), at(0, 0, 33, 34, 32, 32)) << "(1+1)/2 and (2+1)/2";
    EXPECT_EQ(std::make_pair(0L, 0L), at(0, 0, 32, 32, 32, 32));
    EXPECT_EQ(std::make_pair(-5L, -15L), at(0, 0, 20, 0, 32, 32)) << "-11/2 is -5, not -6";
    EXPECT_EQ(std::make_pair(10L, 5L), at(100, 50, 152, 92, 32, 32)) << "width and height, not the corner";
}

}  // namespace
