// The panel by keyboard: from its compiled dialog template, every control a
// person works is on the Tab path and every button and label has an access
// key of its own; in the running panel, Tab and the access keys move the
// focus as in any dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "KvtmonPanel.h"
#include "resource.h"

namespace kvtmon_test {
namespace {

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85;

TEST(KvtmonKeyboard, EveryControlTakesTheFocusAndEveryAccessKeyIsUnique) {
    uiauto::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(uiauto::ReadDialogTemplate(kit::KitPath("kvtmon.exe"), IDD_KVTMON_NAME, dialog, error)) << error;
    std::map<char, std::string> keys;
    int workable = 0;
    for (const uiauto::DialogItem &item : dialog.items) {
        const WORD kind = item.windowClass.ordinal;
        const std::string &text = item.text.name;
        if (kind == kButton || kind == kEdit || kind == kComboBox) {
            ++workable;
            EXPECT_TRUE(item.style & WS_TABSTOP) << "control " << item.id << " \"" << text << "\" is not on the Tab path";
        }
        if (kind == kButton) {
            EXPECT_NE(std::string::npos, text.find('&')) << "button \"" << text << "\" has no access key";
        }
        const std::size_t amp = text.find('&');
        if ((kind == kButton || kind == kStatic) && amp != std::string::npos && amp + 1 < text.size()) {
            const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
            EXPECT_TRUE(keys.emplace(key, text).second)
                << "\"" << text << "\" and \"" << keys[key] << "\" share the access key " << key;
        }
    }
    EXPECT_GE(workable, 15) << "the template's controls were not found";
}

// --- the running panel, by key presses ------------------------------------

// The id of the control with the keyboard focus in the panel's thread (0: none).
int FocusedId(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

class KvtmonKeys : public KvtmonTest {
protected:
    // Presses Tab until the focus comes back round: the ids it passed, in order.
    std::vector<int> TabCycle() {
        std::vector<int> cycle;
        for (int presses = 0; presses < 40; ++presses) {
            const int before = FocusedId(window_);
            EXPECT_TRUE(uiauto::PressKey(window_, VK_TAB));
            uiauto::WaitUntil([&] { return FocusedId(window_) != before; }, 2000);
            const int now = FocusedId(window_);
            if (!cycle.empty() && now == cycle.front()) break;
            cycle.push_back(now);
            if (now == before) break;  // Tab moved nothing
        }
        return cycle;
    }
};

// `cycle` turned to start where `start` is in it.
std::vector<int> Turned(std::vector<int> cycle, int start) {
    const auto at = std::find(cycle.begin(), cycle.end(), start);
    if (at != cycle.end()) std::rotate(cycle.begin(), at, cycle.end());
    return cycle;
}

TEST_F(KvtmonKeys, TabReachesEveryControlInOrderFromTheFirstFocus) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(uiauto::WaitUntil([&] { return FocusedId(window_) == IDC_CARD; }, 5000))
        << "the focus at start is on control " << FocusedId(window_) << ", not the card list";
    const std::vector<int> tail{IDC_PACE,      IDC_ZERO1,      IDC_ZERO1 + 1, IDC_ZERO1 + 2, IDC_ZERO1 + 3,
                                IDC_RESET,     IDC_ZEROALL,    IDC_CLEARZERO, IDC_HOLD};
    const std::vector<int> range{IDC_FIXEDRANGE, IDC_RANGELOW, IDC_RANGEHIGH};
    // Closed: the card list and Open, no card command, no Record.
    std::vector<int> closed{IDC_OPEN};
    closed.insert(closed.end(), tail.begin(), tail.end());
    closed.insert(closed.end(), range.begin(), range.end());
    closed.push_back(IDC_CARD);
    EXPECT_EQ(closed, TabCycle());

    // Initialised: every card command and Record, the card list no more.
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    std::vector<int> open{IDC_OPEN, IDC_INIT, IDC_FINISH, IDC_START};
    open.insert(open.end(), tail.begin(), tail.end());
    open.push_back(IDC_RECORD);
    open.insert(open.end(), range.begin(), range.end());
    const std::vector<int> cycle = TabCycle();
    ASSERT_FALSE(cycle.empty());
    EXPECT_EQ(open, Turned(cycle, IDC_OPEN));
}

struct AccessKeyRow {
    char key;
    int focus;          // the control that has the focus afterwards
    const char *state;  // the state line afterwards
};

TEST_F(KvtmonKeys, AccessKeysOfLabelsAndButtons) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const AccessKeyRow rows[] = {
        {'t', IDC_PACE, "closed"},        // the label "Ra&te:" hands the focus to its list
        {'d', IDC_CARD, "closed"},        // "Car&d:"
        {'x', IDC_FIXEDRANGE, "closed"},  // a check box: focused and checked
        {'o', 0, "open"},                 // a button: pressed
    };
    for (const AccessKeyRow &row : rows) {
        SCOPED_TRACE(std::string("Alt+") + row.key);
        ASSERT_TRUE(uiauto::PressAltKey(window_, row.key));
        EXPECT_TRUE(WaitForState(row.state));
        if (row.focus) {
            EXPECT_TRUE(uiauto::WaitUntil([&] { return FocusedId(window_) == row.focus; }, 3000))
                << "the focus is on control " << FocusedId(window_);
        }
    }
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window_, IDC_FIXEDRANGE));
}

}  // namespace
}  // namespace kvtmon_test
