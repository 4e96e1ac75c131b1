#include "ScreenPixels.h"
#include "UiAuto.h"

namespace uiauto {

namespace {

constexpr int kMessageTextId = 0xFFFF;

struct BoxSearch {
    DWORD processId;
    HWND owner;
    HWND found;
};

// A program's own dialog (class "#32770" too) is no message box: a box's
// buttons are IDOK to IDCONTINUE (1 to 11).
bool HasOnlyBoxButtons(HWND window) {
    constexpr int kLastBoxButton = 11;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && GetDlgCtrlID(child) > kLastBoxButton) return false;
    }
    return true;
}

BOOL CALLBACK MatchBox(HWND window, LPARAM param) {
    auto &search = *reinterpret_cast<BoxSearch *>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.processId || !IsWindowVisible(window) || ClassOf(window) != "#32770") return TRUE;
    if (!HasOnlyBoxButtons(window)) return TRUE;
    if (search.owner && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindBox(DWORD processId, HWND owner) {
    BoxSearch search = {processId, owner, nullptr};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND IconStaticOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

// Share of identical pixels, 0..1.
double Likeness(const Pixels &a, const Pixels &b) {
    if (a.data.empty() || a.data.size() != b.data.size()) return 0;
    size_t same = 0;
    for (size_t i = 0; i < a.data.size(); ++i) same += a.data[i] == b.data[i];
    return static_cast<double>(same) / a.data.size();
}

}  // namespace

const char *ToString(IconKind kind) {
    switch (kind) {
    case IconKind::None: return "no icon";
    case IconKind::Information: return "information icon";
    case IconKind::Exclamation: return "exclamation icon";
    case IconKind::Stop: return "stop icon";
    case IconKind::Question: return "question icon";
    case IconKind::Unknown: break;
    }
    return "unknown icon";
}

std::vector<int> MessageBoxInfo::ButtonIds() const {
    std::vector<int> ids;
    for (const auto &button : buttons) ids.push_back(button.id);
    return ids;
}

IconKind IconKindOf(HWND iconStatic) {
    if (!iconStatic || !IsWindowVisible(iconStatic)) return IconKind::None;
    const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
    RECT area;
    GetWindowRect(iconStatic, &area);
    area.right = area.left + width;
    area.bottom = area.top + height;
    const Pixels shown = CaptureScreen(area);
    if (shown.data.empty()) return IconKind::Unknown;

    // The icons' corners are transparent: the corner shows the background.
    const std::uint32_t background = shown.data[0];
    const struct {
        LPCSTR id;
        IconKind kind;
    } candidates[] = {{IDI_ASTERISK, IconKind::Information},
                      {IDI_EXCLAMATION, IconKind::Exclamation},
                      {IDI_HAND, IconKind::Stop},
                      {IDI_QUESTION, IconKind::Question}};
    IconKind best = IconKind::Unknown;
    double bestLikeness = 0.95;  // below this it is some other picture
    for (const auto &candidate : candidates) {
        const double likeness = Likeness(shown, DrawIcon(LoadIconA(nullptr, candidate.id), width, height, background));
        if (likeness > bestLikeness) {
            bestLikeness = likeness;
            best = candidate.kind;
        }
    }
    return best;
}

namespace {

// On a busy machine a new box may not have painted its icon yet when it is
// read, or a window of a test running beside this one (the display is
// shared) may lie over it: raise it above them and look again, repainting,
// for a short bounded time.
IconKind SettledIconKind(HWND iconStatic) {
    IconKind kind = IconKindOf(iconStatic);
    if (kind != IconKind::Unknown) return kind;
    SetWindowPos(GetAncestor(iconStatic, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WaitUntil(
        [&] {
            RedrawWindow(iconStatic, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            kind = IconKindOf(iconStatic);
            return kind != IconKind::Unknown;
        },
        2000);
    return kind;
}

}  // namespace

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    if (!IsWindow(box)) return info;
    info.window = box;
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = TextOf(box);
    info.text = ControlText(box, kMessageTextId);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && IsWindowVisible(child))
            info.buttons.push_back({GetDlgCtrlID(child), TextOf(child)});
    }
    info.icon = SettledIconKind(IconStaticOf(box));
    return info;
}

MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs, HWND owner) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindBox(processId, owner)) != nullptr; }, timeoutMs)) return {};
    // Let it paint before its icon is read from the screen.
    DWORD_PTR ignored;
    SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &ignored);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return ReadMessageBox(box);
}

bool HasMessageBox(DWORD processId) { return FindBox(processId, nullptr) != nullptr; }

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs) {
    return PressButton(box, buttonId) && WaitForWindowGone(box, timeoutMs);
}

std::future<MessageBoxInfo> AnswerNextBox(HWND owner, DWORD timeoutMs) {
    return std::async(std::launch::async, [owner, timeoutMs] {
        MessageBoxInfo box = WaitForMessageBox(GetCurrentProcessId(), timeoutMs, owner);
        if (box) AnswerMessageBox(box.window, IDOK);
        return box;
    });
}

}  // namespace uiauto
