// uiauto: drives a Win32 program's windows from a test running beside it
// under Wine, the way a person would: start it, wait for its window, press its
// buttons and keys, read its texts and message boxes, wait for it to end.
//
// Every wait is bounded (kDefaultTimeoutMs unless told otherwise) and reports
// failure instead of hanging, so a stuck dialog fails the test. Presses never
// wait for the program, so they work while it is busy in a modal box.
// A Process that is still running when it goes out of scope is killed, so a
// failed assertion leaves no program behind.
//
// Typical use:
//   auto program = uiauto::Process::Start(kit::KitPath("mirvo_bc.exe"), "", kit::KitDir());
//   HWND window = uiauto::WaitForTopWindow(program.Id(), "MIRVOTEST");
//   uiauto::PressButton(window, 1000);
//   uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program.Id());
//   EXPECT_EQ("Initialised OK", box.text);
//   uiauto::AnswerMessageBox(box.window, IDOK);
//   uiauto::CloseFromSystemMenu(window);
//   EXPECT_EQ(0u, program.WaitForExit().value_or(0xbad));
#pragma once

#include <windows.h>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "UniqueHandle.h"
#include "WaitUntil.h"

namespace uiauto {

// The tests' one bounded wait (WaitUntil.h).
using kit_test::kDefaultTimeoutMs;
using kit_test::WaitUntil;

// ---------------------------------------------------------------- processes

// A started program; owns its process handle.
class Process {
public:
    // Starts `program` with `arguments` (appended to the quoted program path)
    // in `workingDir` ("" = the test's own), passing `showCommand` as the
    // show command its WinMain receives. Check Started() / Error().
    static Process Start(const std::string &program, const std::string &arguments = "",
                         const std::string &workingDir = "", int showCommand = SW_SHOWNORMAL);

    // What Start does, with the program under this test's debugger: when the
    // program calls ExitProcess, `atExit` runs (on the debugger's thread)
    // while all the program's handles are still open, with the exit code
    // that the program passes; then the program goes on ending. Lets a test
    // check what a program closed itself before it ended.
    using ExitHook = std::function<void(HANDLE process, DWORD exitCode)>;
    static Process StartWatchingExit(const std::string &program, const std::string &arguments,
                                     const std::string &workingDir, int showCommand, ExitHook atExit);

    Process() = default;
    Process(Process &&other) noexcept;
    Process &operator=(Process &&other) noexcept;
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    ~Process();  // Kill()s a program that is still running

    bool Started() const { return handle_.valid(); }
    const std::string &Error() const { return error_; }  // why Start failed
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_.get(); }
    bool Running() const;

    // The exit code once the program has ended within the time; nullopt if it
    // is still running (it is left running: the destructor kills it).
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;

    // Terminates the program if it is still running, and waits for the end.
    void Kill();

private:
    struct Debugger;

    kit::KernelHandle handle_;
    DWORD id_ = 0;
    std::string error_;
    std::shared_ptr<Debugger> debugger_;
};

// A copy, owned by the caller, of the program's handle `value`; nullptr when
// the program has no such handle open.
kit::KernelHandle CopyProgramHandle(HANDLE process, HANDLE value);

// Whether the program's handle `value` still refers to the object that
// `copy` (from CopyProgramHandle) refers to. A value that the program has
// closed may since have been given to another object; this tells them apart.
bool ProgramHandleRefersTo(HANDLE process, HANDLE value, HANDLE copy);

// ---------------------------------------------------------------- windows

// A top-level window of the process with this class (nullptr: any) and
// caption (nullptr: any; otherwise the whole caption), or nullptr.
// Hidden windows count only when `visibleOnly` is false.
HWND FindTopWindow(DWORD processId, const char *className, const char *caption = nullptr,
                   bool visibleOnly = true);

// FindTopWindow, waited for; nullptr when none came within the time.
HWND WaitForTopWindow(DWORD processId, const char *className, const char *caption = nullptr,
                      DWORD timeoutMs = kDefaultTimeoutMs);

// True once the window no longer exists (or is hidden, when `orHidden`).
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs, bool orHidden = false);

std::string ClassOf(HWND window);

// ---------------------------------------------------------------- controls

// The child control `id` of `dialog`, or nullptr.
HWND Control(HWND dialog, int id);

// A window's text through WM_GETTEXT, with a bounded wait for the answer.
// When there is no answer the result says so in angle brackets, e.g.
// "<no window>" or "<no answer to WM_GETTEXT>", so a test's failure shows it.
std::string TextOf(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);
std::string ControlText(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// True once the control's text equals `expected` (a handler may still be
// running after its message box closed); false at the end of the time.
bool WaitForControlText(HWND dialog, int id, const std::string &expected,
                        DWORD timeoutMs = kDefaultTimeoutMs);

// The first child of `parent` (children of children included, in Z order)
// whose whole text is `caption` and, unless nullptr, whose class is
// `className`; nullptr when none. For programs whose controls have no ids.
HWND FindControl(HWND parent, const char *caption, const char *className = nullptr);

// The `index`-th child of `parent` (from 0, in Z order) of class `className`.
HWND FindControlOfClass(HWND parent, const char *className, int index = 0);

// Clicks a button found by other means than its id; as PressButton.
bool PressControl(HWND button);

bool IsControlEnabled(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id);

// List boxes (LBS_HASSTRINGS): every line, the selected line of a
// single-selection box (-1: none), the selected lines of a multiple-selection box.
std::vector<std::string> ListBoxLines(HWND listBox, DWORD timeoutMs = kDefaultTimeoutMs);
int ListBoxSelection(HWND listBox, DWORD timeoutMs = kDefaultTimeoutMs);
std::vector<int> ListBoxSelections(HWND listBox, DWORD timeoutMs = kDefaultTimeoutMs);

// ---------------------------------------------------------------- layout

// The window's client area in pixels: left and top are 0.
RECT ClientRect(HWND window);

// The control's whole rectangle in pixels, relative to its parent's client
// area (where a dialog template or form places it).
RECT ControlRect(HWND control);

// The icons a window shows: those set on it (WM_GETICON, ICON_BIG and
// ICON_SMALL) and those of its class (hIcon, hIconSm). nullptr: none.
// Windows answers WM_GETICON for another process's window; Wine 8 does not
// pass it between processes (nor another process's class icons) and gives
// nullptr there: under Wine, check a program's icons through what it shows.
struct WindowIcons {
    HICON big = nullptr;
    HICON small = nullptr;
    HICON classBig = nullptr;
    HICON classSmall = nullptr;
};
WindowIcons IconsOf(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// ---------------------------------------------------------------- locale

// Sets the user's decimal separator (HKCU\Control Panel\International,
// "sDecimal") in the test's prefix; programs started afterwards see it in
// GetLocaleInfo(LOCALE_SDECIMAL) and GetNumberFormat. Returns "" or what failed.
std::string SetUserDecimalSeparator(const std::string &separator);

// ---------------------------------------------------------------- input

// Clicks button `id` of `dialog` as a mouse click would (BM_CLICK, sent to
// another thread without waiting, so handled before any later sent question).
// False when the button is missing, hidden or disabled, or its window is
// disabled (as a modal box disables its owner): a person could not click it.
bool PressButton(HWND dialog, int id);

// Posts a key press (WM_KEYDOWN, WM_KEYUP) to the control that has the
// keyboard focus in the window's thread, or to the window itself, so that the
// program's message loop (IsDialogMessage) sees it as typed. False when the
// window is hidden or disabled.
bool PressKey(HWND window, UINT virtualKey);
inline bool PressEnter(HWND window) { return PressKey(window, VK_RETURN); }
inline bool PressEscape(HWND window) { return PressKey(window, VK_ESCAPE); }

// Alt + letter: the dialog manager clicks the control whose text has "&letter".
bool PressAltKey(HWND window, char letter);

// Close on the window's system menu (WM_SYSCOMMAND, SC_CLOSE, posted).
bool CloseFromSystemMenu(HWND window);

// ---------------------------------------------------------------- message boxes

enum class IconKind { None, Information, Exclamation, Stop, Question, Unknown };
const char *ToString(IconKind kind);

struct MessageBoxButton {
    int id;            // IDOK, IDCANCEL, IDYES, IDNO, ...
    std::string text;  // "OK", "&Yes", ...
};

struct MessageBoxInfo {
    HWND window = nullptr;  // nullptr: no box came
    HWND owner = nullptr;   // GetWindow(GW_OWNER): the program's window, or nullptr
    std::string caption;
    std::string text;       // the static with id 0xFFFF
    std::vector<MessageBoxButton> buttons;  // in child order
    IconKind icon = IconKind::None;

    explicit operator bool() const { return window != nullptr; }
    std::vector<int> ButtonIds() const;
};

// Waits for a visible message box (dialog class "#32770" with no button
// beyond IDOK..IDCONTINUE, so not a dialog of the program's own) of the process and
// reads it. `owner`: only a box owned by that window counts (nullptr: any box).
MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs,
                                 HWND owner = nullptr);

// True while the process shows any visible "#32770" box.
bool HasMessageBox(DWORD processId);

// Reads a message box that is on the screen.
MessageBoxInfo ReadMessageBox(HWND box);

// Presses the box's button `buttonId` and waits until the box is gone.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs = kDefaultTimeoutMs);

// For a box that this very process is about to show (and sits in until it
// is answered): waits on another thread for the next box of this process
// (`owner` as in WaitForMessageBox), answers it with OK and gives what it
// showed; an empty box when none came.
std::future<MessageBoxInfo> AnswerNextBox(HWND owner = nullptr, DWORD timeoutMs = kDefaultTimeoutMs);

// The kind of the icon shown by `iconStatic`. Under Wine another process's
// HICON cannot be compared or read, so the static's pixels on the screen are
// compared with the system icons (LoadIcon(NULL, IDI_...)) drawn here.
IconKind IconKindOf(HWND iconStatic);

// ---------------------------------------------------------------- screenshots

// Saves what the screen shows of the window (frame included) as a 24-bit .bmp.
// The window should be on top: this is a copy from the screen.
bool SaveScreenshot(HWND window, const std::string &bmpPath);

}  // namespace uiauto
