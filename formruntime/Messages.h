// Message boxes for a form's code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace formrt {

// Shows `prompt` with the style value (buttons, icon: the system's MB_
// values, e.g. 48 for the exclamation icon and an OK button) and returns the
// button pressed. Without a caption the box carries the application's title.
// The visible form owns the box.
int ShowMessage(const std::string &prompt, UINT style = MB_OK,
                const std::optional<std::string> &caption = std::nullopt);

}  // namespace formrt
