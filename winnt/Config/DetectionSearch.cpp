#include "DetectionSearch.h"

#include <windows.h>

#include <string>
#include <vector>

#include "DetectionPlacement.h"
#include "MirvoPriv.h"
#include "StoreNames.h"
#include "StoreRegistry.h"
#include "WindowCardList.h"
#include "WindowErrors.h"
#include "WindowState.h"
#include "resource.h"

namespace cfg {

namespace {

// Every candidate address, in probe order, whose card reports "new". A
// failed probe ends the search with a SystemError.
std::vector<DWORD> ProbeForNewCards() {
    std::vector<DWORD> found;
    for (int index = 0; index < MaxCards; ++index) {
        DWORD address = MirvoGetCardAddr(index);
        DWORD state = 0;
        if (!MirvoDetect(address, &state)) RaiseLastSystemError();
        if (state == NewCardState) found.push_back(address);
    }
    return found;
}

bool AskToAdd(std::size_t count) {
    std::string question = std::to_string(count) +
                           " new card(s) found. Do you wish to add them to the configuration?";
    return MessageBoxA(TheWindow().window, question.c_str(), "Information",
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void AddCards(const std::vector<DWORD> &found) {
    for (const CardPlacement &card : PlaceFoundCards(found, IsCardConfigured))
        CreateCardKey(card.slot, card.address);
    FillCardList();
    MarkConfigChanged();
}

}  // namespace

void FindNewCards() {
    HWND status = GetDlgItem(TheWindow().window, IDC_STATUS);
    char saved[257] = "";
    GetWindowTextA(status, saved, sizeof saved);
    ShowBusyStatus("Searching for new cards...");
    bool restoreStatus = true;

    try {
        std::vector<DWORD> found = ProbeForNewCards();
        if (found.empty()) {
            MessageBoxA(TheWindow().window, "No new cards found", "Information",
                        MB_OK | MB_ICONINFORMATION);
        } else if (AskToAdd(found.size())) {
            AddCards(found);
            restoreStatus = false;
        }
    } catch (const SystemError &error) {
        ShowUnexpectedError(error);
    }

    if (restoreStatus) SetWindowTextA(status, saved);
}

}  // namespace cfg
