// Requests to the simulated card's driver.
#pragma once

#include <windows.h>

#include "../include/KvtSimIoctl.h"

namespace mirvo {

// Sends `code` to an open card and expects exactly `replySize` bytes back.
// False with the thread's last-error value set when the request itself
// failed (no driver, a bad handle, a short reply).
bool CardRequest(LONG card, DWORD code, void *reply, DWORD replySize);

// The same to the driver's control device, opened for this one request.
bool ControlRequest(DWORD code, const void *request, DWORD requestSize, void *reply,
                    DWORD replySize);

// Turns a card operation's result into the entry's: nonzero, or zero with
// the scripted last-error value.
LONG EntryResult(const KVTSIM_RESULT &result);

}  // namespace mirvo
