// MirvoSetup's dialog, answered like a user: the card name in the caption,
// the address preset from the slot, OK stores it, Cancel stores nothing.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "HostileValues.h"
#include "KvtSimIoctl.h"
#include "MirvoLibrary.h"
#include "Registry.h"
#include "SimCard.h"
#include "UniqueHandle.h"
#include "WaitUntil.h"

namespace {

const int kAddressField = 1001;
const DWORD kWaitMs = 10000;

std::optional<DWORD> SlotAddress(int slot) { return testreg::ReadDword(simcard::SlotPath(slot), "Address"); }

// MirvoSetup on a thread of its own, as a program's window thread would call it.
class SetupCall {
public:
    SetupCall(MirvoLibrary &mirvo, const char *card) : mirvo_(mirvo), card_(card) {
        thread_.reset(CreateThread(nullptr, 0, Run, this, 0, &threadId_));
    }
    ~SetupCall() {
        if (WaitForSingleObject(thread_.get(), kWaitMs) == WAIT_TIMEOUT) TerminateThread(thread_.get(), 1);
    }
    // Waits, bounded, for a visible dialog of the call's thread whose caption
    // contains `caption`.
    HWND WaitForWindow(const std::string &caption) {
        Found found = {caption, nullptr};
        kit_test::WaitUntil(
            [&] {
                EnumThreadWindows(threadId_, Match, reinterpret_cast<LPARAM>(&found));
                return found.window != nullptr;
            },
            kWaitMs);
        return found.window;
    }
    bool Finished() { return WaitForSingleObject(thread_.get(), kWaitMs) == WAIT_OBJECT_0; }
    LONG result = -7;
    DWORD error = 0;

private:
    struct Found {
        std::string caption;
        HWND window;
    };
    static BOOL CALLBACK Match(HWND window, LPARAM param) {
        auto *found = reinterpret_cast<Found *>(param);
        char text[256] = "";
        GetWindowTextA(window, text, sizeof text);
        if (IsWindowVisible(window) && std::string(text).find(found->caption) != std::string::npos) {
            found->window = window;
            return FALSE;
        }
        return TRUE;
    }
    static DWORD WINAPI Run(void *param) {
        auto *call = static_cast<SetupCall *>(param);
        call->result = call->mirvo_.Setup(nullptr, call->card_, -1);
        call->error = GetLastError();
        return 0;
    }
    MirvoLibrary &mirvo_;
    const char *card_;
    kit::KernelHandle thread_;
    DWORD threadId_ = 0;
};

std::string FieldText(HWND dialog) {
    char text[64] = "";
    GetDlgItemTextA(dialog, kAddressField, text, sizeof text);
    return text;
}

void Type(HWND dialog, const char *text) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(GetDlgItem(dialog, kAddressField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(Setup, OkStoresTheAddressInTheSlot) {
    ASSERT_EQ(simcard::ConfigureSlot(3, 0x350), "");
    MirvoLibrary mirvo;
    SetupCall call(mirvo, "KVT4");
    HWND dialog = call.WaitForWindow("KVT4");
    ASSERT_TRUE(dialog) << "no setup dialog with KVT4 in its caption";
    EXPECT_EQ(FieldText(dialog), "350") << "preset from the slot's Address";
    Type(dialog, "3c0");
    Press(dialog, IDOK);
    ASSERT_TRUE(call.Finished());
    EXPECT_EQ(call.result, 1);
    EXPECT_EQ(SlotAddress(3), std::optional<DWORD>(0x3C0));
}

TEST(Setup, CancelStoresNothing) {
    MirvoLibrary mirvo;
    SetupCall call(mirvo, "KVT32");
    HWND dialog = call.WaitForWindow("KVT32");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(FieldText(dialog), "0") << "a slot without an address";
    Type(dialog, "3A0");
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(call.Finished());
    EXPECT_EQ(call.result, 0);
    EXPECT_EQ(call.error, DWORD(ERROR_CANCELLED));
    EXPECT_FALSE(SlotAddress(31));
}

TEST(Setup, AnAddressThatIsNoHexNumberIsAskedAgain) {
    MirvoLibrary mirvo;
    SetupCall call(mirvo, "KVT1");
    HWND dialog = call.WaitForWindow("KVT1 card setup");
    ASSERT_TRUE(dialog);
    Type(dialog, "3G0");
    Press(dialog, IDOK);
    HWND box = call.WaitForWindow("Card setup");
    ASSERT_TRUE(box) << "no message about the address";
    ASSERT_NE(box, dialog);
    Press(box, IDOK);
    // The dialog takes input again only once the box is gone.
    kit_test::WaitUntil([&] { return !IsWindow(box); }, kWaitMs);
    ASSERT_FALSE(IsWindow(box)) << "the message box did not close";
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays for a corrected address";
    Type(dialog, "0x2F0");
    Press(dialog, IDOK);
    ASSERT_TRUE(call.Finished());
    EXPECT_EQ(call.result, 1);
    EXPECT_EQ(SlotAddress(0), std::optional<DWORD>(0x2F0));
}

TEST(Setup, OnlyCardNamesOfSlotsAndModeMinusOne) {
    MirvoLibrary mirvo;
    for (const char *name : {"KVT0", "KVT33", "KVT01", "kvt1", "KVT", "", "KVT1x"}) {
        SetLastError(0);
        EXPECT_EQ(mirvo.Setup(nullptr, name, -1), 0) << name;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << name;
    }
    EXPECT_EQ(mirvo.Setup(nullptr, nullptr, -1), 0);
    EXPECT_EQ(mirvo.Setup(nullptr, "KVT1", 0), 0);
}

TEST(Setup, AnAddressOfAnotherTypeOrSizeShowsAsNone) {
    MirvoLibrary mirvo;
    for (const ValueShape &shape : kValueShapes) {
        const HostileValue value = Shaped(shape, REG_DWORD, REG_BINARY, DwordBytes(0x3A0));
        ASSERT_EQ(testreg::WriteValue(simcard::SlotPath(2), "Address", value.type, value.data.data(), DWORD(value.data.size())),
                  ERROR_SUCCESS);
        SetupCall call(mirvo, "KVT3");
        HWND dialog = call.WaitForWindow("KVT3");
        ASSERT_TRUE(dialog) << "no dialog for an Address " << shape.what;
        EXPECT_EQ(FieldText(dialog), "0") << "an Address " << shape.what;
        Press(dialog, IDCANCEL);
        ASSERT_TRUE(call.Finished());
        const std::optional<testreg::Value> after = testreg::ReadValue(simcard::SlotPath(2), "Address");
        EXPECT_TRUE(after && after->type == value.type && after->data == value.data) << "changed: " << shape.what;
    }
}

}  // namespace
