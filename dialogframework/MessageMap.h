// Message maps: each class that handles messages keeps one static table of
// rows {message or command id, member handler} and names its base class's
// map, so a lookup walks from the most derived class to the framework's own
// defaults. The dialog's window procedure looks a message up here and calls
// the row's handler; nothing else decides where a message goes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace dialogframework {

class MessageTarget;

// A handler of a window message: gets wParam and lParam, gives the result.
using MessageHandler = LRESULT (MessageTarget::*)(WPARAM, LPARAM);
// A handler of a command (a button click): takes nothing, gives nothing.
using CommandHandler = void (MessageTarget::*)();

// One row. A command row matches WM_COMMAND with its control id and
// notification code; a message row matches the message alone.
struct MessageRoute {
    UINT message;
    WORD commandId;
    WORD notification;
    MessageHandler onMessage;  // set in a message row
    CommandHandler onCommand;  // set in a command row
};

// A class's table and the map of its base class (nullptr: the last one).
struct MessageMap {
    const MessageMap *base;
    const MessageRoute *routes;
    std::size_t count;
};

// Something that has a message map: windows and the application object.
// Messages() is overridden by every class that adds rows.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual const MessageMap &Messages() const;

protected:
    MessageTarget() = default;
    MessageTarget(const MessageTarget &) = delete;
    MessageTarget &operator=(const MessageTarget &) = delete;
};

// Rows, written with the class's own member functions:
//   OnClicked(IDC_READ, &ReaderDialog::OnRead)
//   OnMessage(WM_PAINT, &ReaderDialog::OnPaint)
template <typename Target>
MessageRoute OnClicked(WORD controlId, void (Target::*handler)()) {
    return {WM_COMMAND, controlId, BN_CLICKED, nullptr, static_cast<CommandHandler>(handler)};
}
template <typename Target>
MessageRoute OnMessage(UINT message, LRESULT (Target::*handler)(WPARAM, LPARAM)) {
    return {message, 0, 0, static_cast<MessageHandler>(handler), nullptr};
}

// A map over a static table: MakeMessageMap(&Base::Messages(), routes).
template <std::size_t N>
MessageMap MakeMessageMap(const MessageMap *base, const MessageRoute (&routes)[N]) {
    return {base, routes, N};
}

// The first row for this message along the chain, or nullptr.
const MessageRoute *FindRoute(const MessageMap &map, UINT message, WPARAM wParam);

// Calls the row's handler on `target`, whose class owns the map the row
// came from; a command row gives 0.
LRESULT CallRoute(MessageTarget &target, const MessageRoute &route, WPARAM wParam, LPARAM lParam);

}  // namespace dialogframework
