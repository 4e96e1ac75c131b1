#include "MessageMap.h"

namespace dialogframework {

const MessageMap &MessageTarget::Messages() const {
    static const MessageMap none = {nullptr, nullptr, 0};
    return none;
}

namespace {

bool Matches(const MessageRoute &route, UINT message, WPARAM wParam) {
    if (route.message != message) return false;
    if (message != WM_COMMAND) return true;
    return route.commandId == LOWORD(wParam) && route.notification == HIWORD(wParam);
}

}  // namespace

const MessageRoute *FindRoute(const MessageMap &map, UINT message, WPARAM wParam) {
    for (const MessageMap *level = &map; level; level = level->base) {
        for (std::size_t i = 0; i < level->count; ++i) {
            if (Matches(level->routes[i], message, wParam)) return &level->routes[i];
        }
    }
    return nullptr;
}

LRESULT CallRoute(MessageTarget &target, const MessageRoute &route, WPARAM wParam, LPARAM lParam) {
    if (route.onCommand) {
        (target.*route.onCommand)();
        return 0;
    }
    return (target.*route.onMessage)(wParam, lParam);
}

}  // namespace dialogframework
