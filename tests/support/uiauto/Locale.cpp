#include "UiAuto.h"
#include "UniqueHandle.h"

namespace uiauto {

std::string SetUserDecimalSeparator(const std::string &separator) {
    kit::RegKey key;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, key.receive(), nullptr);
    if (status != ERROR_SUCCESS) return "cannot open HKCU\\Control Panel\\International: " + std::to_string(status);
    status = RegSetValueExA(key.get(), "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE *>(separator.c_str()),
                            static_cast<DWORD>(separator.size() + 1));
    return status == ERROR_SUCCESS ? "" : "cannot set sDecimal: " + std::to_string(status);
}

}  // namespace uiauto
