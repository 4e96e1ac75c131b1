#include "DetectionSearch.h"

#include <windows.h>

#include <string>
#include <vector>

#include "DetectionPlacement.h"
#include "ErrorBoxes.h"
#include "MirvoPriv.h"
#include "StoreRegistry.h"
#include "SystemError.h"

namespace cfg {

namespace {

// Every candidate address, in probe order, whose card reports "new". A
// failed probe ends the search with a SystemError.
std::vector<DWORD> ProbeForNewCards() {
    std::vector<DWORD> found;
    for (int index = 0; index < MIRVO_MAX_CARDS; ++index) {
        DWORD address = MirvoGetCardAddr(index);
        DWORD state = 0;
        if (!MirvoDetect(address, &state)) RaiseLastSystemError();
        if (state == MIRVO_DETECT_NEW_CARD) found.push_back(address);
    }
    return found;
}

bool AskToAdd(ConfigView &view, std::size_t count) {
    std::string question = std::to_string(count) +
                           " new card(s) found. Do you wish to add them to the configuration?";
    return view.ShowBox(question, "Information", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void AddCards(ConfigView &view, const std::vector<DWORD> &found) {
    // Query a slot, create its card, then the next slot.
    PlaceFoundCards(found, IsCardConfigured,
                    [&view](const CardPlacement &card) { CreateCardKey(view, card.slot, card.address); });
    view.FillCardList();
    MarkConfigChanged(view);
}

}  // namespace

void FindNewCards(ConfigView &view) {
    const std::string saved = view.StatusText();
    view.ShowBusyStatus("Searching for new cards...");
    bool restoreStatus = true;

    try {
        std::vector<DWORD> found = ProbeForNewCards();
        if (found.empty()) {
            view.ShowBox("No new cards found", "Information", MB_OK | MB_ICONINFORMATION);
        } else if (AskToAdd(view, found.size())) {
            AddCards(view, found);
            restoreStatus = false;
        }
    } catch (const SystemError &error) {
        ShowUnexpectedError(error);
    }

    if (restoreStatus) view.SetStatusText(saved);
}

}  // namespace cfg
