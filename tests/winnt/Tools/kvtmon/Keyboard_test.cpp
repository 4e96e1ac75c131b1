// The panel by keyboard, from its compiled dialog template: every control a
// person works reaches the focus with Tab, and every button and label has
// an access key of its own.
#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "DialogTemplate.h"
#include "KitPaths.h"
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

}  // namespace
}  // namespace kvtmon_test
