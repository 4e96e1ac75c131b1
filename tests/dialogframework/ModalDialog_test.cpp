// A modal dialog of the framework, run for real: its result, the routing of
// messages and clicks to the handlers, data exchange, message-box owners and
// the paint of the minimised window.
#include "ProbeDialog.h"

namespace dialogframework_test {
namespace {

using Strings = std::vector<std::string>;

void Click(ProbeDialog &dialog, WORD id) { SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST(ModalDialog, RunGivesTheCommandThatEndedIt) {
    for (WORD id : {WORD{IDOK}, WORD{IDCANCEL}, kEndWith77}) {
        ProbeDialog dialog;
        EXPECT_EQ(id, dialog.RunSteps({[id](ProbeDialog &d) { Click(d, id); }})) << "ended by command " << id;
        EXPECT_EQ(nullptr, dialog.Handle()) << "no window after the run";
    }
    ProbeDialog closed;
    EXPECT_EQ(IDCANCEL, closed.RunSteps({[](ProbeDialog &d) { SendMessageA(d.Handle(), WM_CLOSE, 0, 0); }}))
        << "the close box is Cancel";
}

TEST(ModalDialog, WithoutItsTemplateTheRunGivesMinusOne) {
    struct Orphan : Dialog {
        Orphan() : Dialog(4711, nullptr) {}
    } dialog;
    EXPECT_EQ(-1, dialog.RunModal());
}

TEST(ModalDialog, RoutesClicksAndMessagesToTheHandlersAndSetsIcons) {
    ProbeDialog dialog;
    dialog.dragIcon = LoadIconA(nullptr, IDI_APPLICATION);
    LRESULT dragIcon = 0, answered = 0;
    HICON bigIcon = nullptr, smallIcon = nullptr;
    dialog.RunSteps({
        [&](ProbeDialog &d) {
            d.SetBigIcon(d.dragIcon);
            d.SetSmallIcon(d.dragIcon);
            bigIcon = reinterpret_cast<HICON>(SendMessageA(d.Handle(), WM_GETICON, ICON_BIG, 0));
            smallIcon = reinterpret_cast<HICON>(SendMessageA(d.Handle(), WM_GETICON, ICON_SMALL, 0));
        },
        [](ProbeDialog &d) { Click(d, IDC_PROBE_BUTTON); },
        [](ProbeDialog &d) { SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDC_PROBE_BUTTON, BN_SETFOCUS), 0); },
        [](ProbeDialog &d) { Click(d, 4242); },  // nobody's: the dialog goes on
        [&](ProbeDialog &d) { dragIcon = SendMessageA(d.Handle(), WM_QUERYDRAGICON, 0, 0); },
        [&](ProbeDialog &d) { answered = SendMessageA(d.Handle(), kAnswered, 0, 0); },
    });
    EXPECT_EQ((Strings{"ExchangeData", "InitialiseDialog", "OnButton"}), dialog.calls)
        << "data exchange inside the base initialise, one click, not the focus notification";
    EXPECT_EQ(reinterpret_cast<LRESULT>(dialog.dragIcon), dragIcon) << "returned directly";
    EXPECT_EQ(dialog.dragIcon, bigIcon) << "SetBigIcon";
    EXPECT_EQ(dialog.dragIcon, smallIcon) << "SetSmallIcon";
    EXPECT_EQ(1234, answered) << "through DWLP_MSGRESULT";
}

TEST(ModalDialog, DataExchangeBindsTheStaticTextWhileTheWindowExists) {
    ProbeDialog dialog;
    HWND control = nullptr;
    std::string shown;
    dialog.RunSteps({[&](ProbeDialog &d) {
        control = GetDlgItem(d.Handle(), IDC_PROBE_TEXT);
        EXPECT_EQ(control, d.text.Handle());
        d.text.SetText("weights");
        shown = uiauto::TextOf(control);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_PROBE_BUTTON) << "the focus on the first tab stop";
    }});
    EXPECT_TRUE(dialog.textBound);
    EXPECT_NE(nullptr, control);
    EXPECT_EQ("weights", shown);
    EXPECT_FALSE(dialog.missingBound) << "a control the template lacks binds nothing";
    EXPECT_EQ(nullptr, dialog.missing.Handle());
    EXPECT_EQ(nullptr, dialog.text.Handle()) << "let go when the window went";
}

TEST(ModalDialog, MessageBoxHasNoOwnerBeforeTheWindowAndTheDialogAfter) {
    ProbeDialog dialog;
    auto before = AnswerNextBox();
    dialog.ShowMessage("before", "Probe", MB_OK | MB_ICONEXCLAMATION);
    const uiauto::MessageBoxInfo early = before.get();
    ASSERT_TRUE(early) << "no box before the window existed";
    EXPECT_EQ("before", early.text);
    EXPECT_EQ(nullptr, early.owner);

    uiauto::MessageBoxInfo during;
    HWND window = nullptr;
    dialog.RunSteps({[&](ProbeDialog &d) {
        window = d.Handle();
        auto answer = AnswerNextBox(d.Handle());
        d.ShowMessage("during", "Probe", MB_OK | MB_ICONINFORMATION);
        during = answer.get();
    }});
    ASSERT_TRUE(during) << "no box owned by the dialog while its window existed";
    EXPECT_EQ("during", during.text);
    EXPECT_EQ("Probe", during.caption);
    EXPECT_EQ(window, during.owner);
    EXPECT_EQ(uiauto::IconKind::Information, during.icon);
}

// The system paints no client area of a minimised window on Windows NT 4.0
// and later (nor Wine): it has none. The test sends WM_PAINT itself, as the
// older shells did for a window drawn as its icon.
TEST(ModalDialog, MinimisedPaintGetsAContextAndErasesTheIconBackground) {
    ProbeDialog dialog;
    ProbeDialog::Paint minimised, restored;
    dialog.RunSteps({
        [](ProbeDialog &d) { ShowWindow(d.Handle(), SW_MINIMIZE); },
        [&](ProbeDialog &d) {
            d.paint = {};
            SendMessageA(d.Handle(), WM_PAINT, 0, 0);
            minimised = d.paint;
        },
        [](ProbeDialog &d) { ShowWindow(d.Handle(), SW_RESTORE); },
        [&](ProbeDialog &d) {
            d.paint = {};
            InvalidateRect(d.Handle(), nullptr, TRUE);
            UpdateWindow(d.Handle());
            restored = d.paint;
            EXPECT_FALSE(GetUpdateRect(d.Handle(), nullptr, FALSE)) << "the default paint validates";
        },
    });
    ASSERT_EQ(1, minimised.count);
    EXPECT_TRUE(minimised.minimised);
    EXPECT_NE(nullptr, minimised.context);
    EXPECT_EQ(reinterpret_cast<WPARAM>(minimised.context), dialog.iconErasedWith)
        << "WM_ICONERASEBKGND carries the paint context";
    EXPECT_TRUE(minimised.drew) << "DrawIcon on the paint context";
    ASSERT_EQ(1, restored.count) << "one WM_PAINT after the restore";
    EXPECT_FALSE(restored.minimised);
}

}  // namespace
}  // namespace dialogframework_test
