#include "Messages.h"

#include "Services.h"

namespace formrt {

int ShowMessage(const std::string &prompt, UINT style, const std::optional<std::string> &caption) {
    return MessageBoxA(MessageOwner(), prompt.c_str(), caption.value_or(ApplicationTitle()).c_str(), style);
}

}  // namespace formrt
