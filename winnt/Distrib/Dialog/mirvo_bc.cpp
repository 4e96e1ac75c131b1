// mirvo_bc: opens the first KVT card and lets the user initialise it, read
// its four weights and finish it, from one dialog window.
#include <windows.h>

#include "ReaderWindow.h"
#include "TemplateWindow.h"
#include "UniqueHandle.h"
#include "mirvo.h"
#include "resource.h"

namespace {

constexpr int kExitCannotOpen = 1;
constexpr int kExitNoWindow = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    mirvo_bc::RegisterReaderClass(instance);

    HWND dialog = CreateDialogParamA(instance, IDD_MIRVOTEST_NAME, nullptr, nullptr, 0);
    // Without its window the program could only wait for ever.
    if (!dialog) return kExitNoWindow;
    ShowWindow(dialog, showCommand);

    kit::CardHandle card(MirvoOpen("KVT1"));
    if (!card) {
        MessageBoxA(dialog, "Could not Open driver", "Error", MB_OK | MB_ICONEXCLAMATION);
        return kExitCannotOpen;
    }
    mirvo_bc::SetReaderCard(card.get());

    const std::optional<WPARAM> quitCode = kit::RunTemplateWindow(dialog);
    // The card is left as it is: only the Finish button finishes it.
    card.reset();
    return quitCode ? static_cast<int>(*quitCode) : kit::kExitLoopFailed;
}
