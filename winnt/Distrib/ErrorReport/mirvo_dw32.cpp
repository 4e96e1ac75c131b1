// mirvo_dw32: opens the first KVT card before any window exists, then lets
// the user initialise it, read its four weights in fixed columns and finish
// it. Every failed card call is reported with the library's own error text.
#include <windows.h>

#include "AppWindow.h"
#include "TemplateWindow.h"
#include "UniqueHandle.h"
#include "mirvo.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // No library entry closes the card handle; the owner does, on every way out.
    kit::CardHandle card(MirvoOpen("KVT1"));
    if (!card) {
        MessageBoxA(nullptr, "Could not open device KVT1", "Fatal error", MB_OK | MB_ICONHAND);
        return 0;
    }
    mirvo_dw32::SetAppCard(card.get());

    mirvo_dw32::RegisterAppClass(instance);
    HWND dialog = CreateDialogParamA(instance, IDD_MIRVOAPP_NAME, nullptr, nullptr, 0);
    // Without its window the program could only wait for ever.
    if (!dialog) return 0;
    ShowWindow(dialog, showCommand);

    const bool ended = kit::RunTemplateWindow(dialog).has_value();
    // The card is left as it is: only the Finish button finishes it.
    card.reset();
    return ended ? 0 : kit::kExitLoopFailed;
}
