#include "UiAuto.h"

namespace uiauto {

namespace {

// SendMessage with a bounded wait: the program may be busy.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs, LRESULT &result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

// Another process's list box lines, asked for in UTF-16: Wine hands the ANSI
// LB_GETTEXT of another process's list box back unconverted.
bool ListBoxLine(HWND listBox, LRESULT index, DWORD timeoutMs, std::string &line) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(listBox, LB_GETTEXTLEN, index, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &length) ||
        static_cast<LRESULT>(length) == LB_ERR)
        return false;
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()),
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &copied) ||
        static_cast<LRESULT>(copied) == LB_ERR)
        return false;
    wide.resize(static_cast<size_t>(copied));
    line.assign(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                        nullptr, 0, nullptr, nullptr)),
                '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), line.data(),
                        static_cast<int>(line.size()), nullptr, nullptr);
    return true;
}

}  // namespace

HWND Control(HWND dialog, int id) { return dialog ? GetDlgItem(dialog, id) : nullptr; }

std::string TextOf(HWND window, DWORD timeoutMs) {
    if (!window || !IsWindow(window)) return "<no window>";
    LRESULT length = 0;
    if (!SendBounded(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs, length)) return "<no answer to WM_GETTEXTLENGTH>";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = 0;
    if (!SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs, copied))
        return "<no answer to WM_GETTEXT>";
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string ControlText(HWND dialog, int id, DWORD timeoutMs) {
    HWND control = Control(dialog, id);
    if (!control) return "<no control " + std::to_string(id) + ">";
    return TextOf(control, timeoutMs);
}

bool WaitForControlText(HWND dialog, int id, const std::string &expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ControlText(dialog, id, timeoutMs) == expected; }, timeoutMs);
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

bool IsControlVisible(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowVisible(control);
}

std::vector<std::string> ListBoxLines(HWND listBox, DWORD timeoutMs) {
    std::vector<std::string> lines;
    LRESULT count = 0;
    if (!SendBounded(listBox, LB_GETCOUNT, 0, 0, timeoutMs, count) || count == LB_ERR) return lines;
    for (LRESULT i = 0; i < count; ++i) {
        std::string line;
        lines.push_back(ListBoxLine(listBox, i, timeoutMs, line) ? line : "<no line " + std::to_string(i) + ">");
    }
    return lines;
}

int ListBoxSelection(HWND listBox, DWORD timeoutMs) {
    LRESULT selected = LB_ERR;
    if (!SendBounded(listBox, LB_GETCURSEL, 0, 0, timeoutMs, selected)) return -1;
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::vector<int> ListBoxSelections(HWND listBox, DWORD timeoutMs) {
    LRESULT count = 0;
    if (!SendBounded(listBox, LB_GETSELCOUNT, 0, 0, timeoutMs, count) || count <= 0) return {};
    std::vector<int> selected(static_cast<size_t>(count), -1);
    LRESULT got = 0;
    if (!SendBounded(listBox, LB_GETSELITEMS, selected.size(), reinterpret_cast<LPARAM>(selected.data()),
                     timeoutMs, got) || got == LB_ERR)
        return {};
    selected.resize(static_cast<size_t>(got));
    return selected;
}

}  // namespace uiauto
