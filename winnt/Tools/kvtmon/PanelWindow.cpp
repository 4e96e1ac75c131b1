#include "PanelWindow.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CardText.h"
#include "CardWorker.h"
#include "ChannelStats.h"
#include "ChartView.h"
#include "FailureText.h"
#include "PanelText.h"
#include "RateMeter.h"
#include "RecordFileDialog.h"
#include "Recorder.h"
#include "TemplateWindow.h"
#include "UniqueHandle.h"
#include "resource.h"

namespace kvtmon {

namespace {

constexpr UINT kCardResultMessage = WM_APP + 1;
constexpr UINT_PTR kRefreshTimer = 1;
// Two ticks of NT's 15.6 ms clock (a timer ends on a tick): 32 pictures a
// second there, 33 where the tick is 10 ms; at 50 ms NT would give 16.
constexpr UINT kRefreshMs = 30;
constexpr int kCardSlots = 32;
// Long enough for the slowest card call; a card that never answers must not
// keep the program alive for ever.
constexpr DWORD kQuitTimeoutMs = 10000;

enum class CardState { Closed, Open, Initialised, Reading };

const char *StateWords(CardState state) {
    switch (state) {
    case CardState::Closed: return "closed";
    case CardState::Open: return "open";
    case CardState::Initialised: return "initialised";
    case CardState::Reading: return "reading";
    }
    return "";
}

struct Panel {
    explicit Panel(HWND window) : window(window), worker(window, kCardResultMessage), rate(2000) {}

    HWND window;
    CardWorker worker;
    kit::Font valueFont;

    CardState state = CardState::Closed;
    bool initialised = false;
    std::string failure;  // shown instead of the state until the next success

    ChannelStats stats[kChannels];
    ChartPicture live;
    ChartPicture held;  // the picture Hold froze
    bool holding = false;
    Reading last;
    bool hasLast = false;
    std::uint64_t total = 0;
    std::uint64_t dropped = 0;
    RateMeter rate;
    std::vector<Reading> batch;

    std::string cardName;  // of the card opened last
    Recorder recorder;
};

std::unique_ptr<Panel> g_panel;

HWND Item(int id) { return GetDlgItem(g_panel->window, id); }

void SetText(int id, const std::string &text) {
    // Only a change is written: an unchanged field does not flicker.
    char current[512];
    GetWindowTextA(Item(id), current, sizeof current);
    if (text != current) SetWindowTextA(Item(id), text.c_str());
}

void Enable(int id, bool enabled) { EnableWindow(Item(id), enabled ? TRUE : FALSE); }

void ShowState() {
    Panel &panel = *g_panel;
    const bool open = panel.state != CardState::Closed;
    const bool reading = panel.state == CardState::Reading;
    SetText(IDC_STATE, panel.failure.empty() ? StateWords(panel.state) : panel.failure);
    SetText(IDC_OPEN, open ? "&Close" : "&Open");
    SetText(IDC_START, reading ? "&Stop" : "&Start");
    Enable(IDC_CARD, !open);
    Enable(IDC_INIT, open && !reading);
    Enable(IDC_FINISH, open && !reading);
    Enable(IDC_START, open);
    SetText(IDC_RECORD, panel.recorder.Recording() ? "Stop r&ecording" : "R&ecord...");
    // Record is offered once a card is open (its name heads the file); a
    // recording can always be stopped.
    Enable(IDC_RECORD, open || panel.recorder.Recording());
}

void ShowValues() {
    Panel &panel = *g_panel;
    for (int channel = 0; channel < kChannels; ++channel) {
        const ChannelZeros &zeros = panel.live.zeros;
        const ChannelStats &stats = panel.stats[channel];
        if (panel.hasLast) SetText(IDC_VALUE1 + channel, WeightText(zeros.Apply(channel, panel.last.weights[channel])));
        SetText(IDC_ZEROMARK1 + channel, zeros.IsSet(channel) ? "zero" : "");
        SetText(IDC_MIN1 + channel, StatText(zeros.Apply(channel, stats.Min()), stats.Count()));
        SetText(IDC_MAX1 + channel, StatText(zeros.Apply(channel, stats.Max()), stats.Count()));
        SetText(IDC_MEAN1 + channel, StatText(zeros.Apply(channel, stats.Mean()), stats.Count()));
    }
}

void ShowPicture() {
    if (!g_panel->holding) {
        ShowValues();
        InvalidateRect(Item(IDC_CHART), nullptr, FALSE);
    }
}

std::string FailureOf(const char *operation, const CardResult &result) {
    return mirvo_dw32::FailureText(operation, result.code, result.libraryText);
}

// ---------------------------------------------------------------- commands

void OnOpen(HWND) {
    Panel &panel = *g_panel;
    if (panel.state != CardState::Closed) {
        panel.worker.Request(CardCommand::Close);
        return;
    }
    const LRESULT index = SendMessageA(Item(IDC_CARD), CB_GETCURSEL, 0, 0);
    panel.cardName = cfg::CardName(index == CB_ERR ? 0 : static_cast<int>(index));
    panel.worker.Request(CardCommand::Open, panel.cardName);
}

void OnInit(HWND) { g_panel->worker.Request(CardCommand::Init); }
void OnFinish(HWND) { g_panel->worker.Request(CardCommand::Finish); }

void OnStart(HWND) {
    Panel &panel = *g_panel;
    panel.worker.Request(panel.state == CardState::Reading ? CardCommand::Stop : CardCommand::Start);
}

void OnReset(HWND) {
    for (ChannelStats &stats : g_panel->stats) stats.Reset();
    // What Hold froze stays as it is until Hold is released.
    if (!g_panel->holding) ShowValues();
}

void OnZero(int channel) {
    Panel &panel = *g_panel;
    if (!panel.hasLast) return;
    if (channel < 0) {
        panel.live.zeros.SetAll(panel.last.weights);
    } else {
        panel.live.zeros.Set(channel, panel.last.weights[channel]);
    }
    ShowPicture();
}

void OnZeroAll(HWND) { OnZero(-1); }

void OnClearZero(HWND) {
    g_panel->live.zeros.Clear();
    ShowPicture();
}

void OnHold(HWND) {
    Panel &panel = *g_panel;
    panel.holding = IsDlgButtonChecked(panel.window, IDC_HOLD) == BST_CHECKED;
    if (panel.holding) panel.held = panel.live;
    SetChartPicture(Item(IDC_CHART), panel.holding ? &panel.held : &panel.live);
    ShowPicture();
}

double NumberOf(int id, double fallback) {
    char text[64];
    GetWindowTextA(Item(id), text, sizeof text);
    char *end = nullptr;
    const double value = std::strtod(text, &end);
    return end == text ? fallback : value;
}

void OnRange(HWND) {
    Panel &panel = *g_panel;
    for (ChartPicture *picture : {&panel.live, &panel.held}) {
        picture->fixedRange = IsDlgButtonChecked(panel.window, IDC_FIXEDRANGE) == BST_CHECKED;
        picture->fixedLow = NumberOf(IDC_RANGELOW, 0);
        picture->fixedHigh = NumberOf(IDC_RANGEHIGH, 10);
    }
    InvalidateRect(Item(IDC_CHART), nullptr, FALSE);
}

void OnPace(HWND) {
    Panel &panel = *g_panel;
    const LRESULT index = SendMessageA(Item(IDC_PACE), CB_GETCURSEL, 0, 0);
    const std::size_t choices = sizeof kPaceChoices / sizeof kPaceChoices[0];
    panel.worker.SetRate(index >= 0 && static_cast<std::size_t>(index) < choices ? kPaceChoices[index] : 0);
    // The new rate starts a new schedule at once.
    if (panel.state == CardState::Reading) {
        panel.worker.Request(CardCommand::Stop);
        panel.worker.Request(CardCommand::Start);
    }
}

readings::Ticks Now(readings::Ticks *frequency) {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    *frequency = value.QuadPart > 0 ? value.QuadPart : 1;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

void ShowRecordFailure(const std::string &failure) {
    Panel &panel = *g_panel;
    panel.failure = failure;
    ShowState();
    MessageBoxA(panel.window, failure.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
}

void TakeNewReadings(bool showFailure);

void OnRecord(HWND window) {
    Panel &panel = *g_panel;
    if (panel.recorder.Recording()) {
        // Every reading taken up to the press goes to the file first.
        TakeNewReadings(true);
        panel.recorder.Stop();
        ShowState();
        return;
    }
    const std::string path = AskRecordFile(window);
    if (path.empty()) return;
    readings::Ticks frequency = 1;
    const readings::Ticks start = Now(&frequency);
    const std::string card = panel.cardName.empty() ? cfg::CardName(0) : panel.cardName;
    const std::string failure = panel.recorder.Start(path, card, start, frequency);
    if (!failure.empty()) {
        ShowRecordFailure(failure);
        return;
    }
    SetText(IDC_RECORDCOUNT, RecordedText(0));
    ShowState();
}

void OnZeroChannel1(HWND) { OnZero(0); }
void OnZeroChannel2(HWND) { OnZero(1); }
void OnZeroChannel3(HWND) { OnZero(2); }
void OnZeroChannel4(HWND) { OnZero(3); }

struct CommandHandler {
    int id;
    void (*handle)(HWND window);
};

// Enter (IDOK) and Esc (IDCANCEL) have no handler: neither closes the panel.
constexpr CommandHandler kCommands[] = {
    {IDC_OPEN, OnOpen},         {IDC_INIT, OnInit},          {IDC_FINISH, OnFinish},
    {IDC_START, OnStart},       {IDC_RESET, OnReset},        {IDC_ZEROALL, OnZeroAll},
    {IDC_CLEARZERO, OnClearZero}, {IDC_HOLD, OnHold},        {IDC_FIXEDRANGE, OnRange},
    {IDC_ZERO1, OnZeroChannel1}, {IDC_ZERO1 + 1, OnZeroChannel2}, {IDC_ZERO1 + 2, OnZeroChannel3},
    {IDC_ZERO1 + 3, OnZeroChannel4}, {IDC_RECORD, OnRecord},
};

void OnCommand(HWND window, int id, int code) {
    if (!g_panel) return;
    if (id == IDC_RANGELOW || id == IDC_RANGEHIGH) {
        if (code == EN_CHANGE) OnRange(window);
        return;
    }
    if (id == IDC_PACE) {
        if (code == CBN_SELCHANGE) OnPace(window);
        return;
    }
    // The buttons' clicks only: a drop-down's or edit's notifications are not commands.
    if (code != BN_CLICKED) return;
    for (const auto &command : kCommands) {
        if (command.id == id) {
            command.handle(window);
            return;
        }
    }
}

// ---------------------------------------------------------------- the card's answers

void OnCardResult(const CardResult &result) {
    Panel &panel = *g_panel;
    const CardState settled = panel.initialised ? CardState::Initialised : CardState::Open;
    if (!result.succeeded) {
        switch (result.command) {
        case CardCommand::Open:
            panel.failure = FailureOf("Open", result);
            panel.state = CardState::Closed;
            break;
        case CardCommand::Init: panel.failure = FailureOf("Init", result); break;
        case CardCommand::Finish: panel.failure = FailureOf("Finish", result); break;
        case CardCommand::Start:
            // A read failed and reading stopped: one box, not one per reading.
            panel.failure = FailureOf("Read", result);
            panel.state = settled;
            ShowState();
            MessageBoxA(panel.window, panel.failure.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        default: break;
        }
        ShowState();
        return;
    }
    panel.failure.clear();
    switch (result.command) {
    case CardCommand::Open: panel.state = CardState::Open; break;
    case CardCommand::Init:
        panel.initialised = true;
        if (panel.state != CardState::Reading) panel.state = CardState::Initialised;
        break;
    case CardCommand::Finish:
        panel.initialised = false;
        if (panel.state != CardState::Reading) panel.state = CardState::Open;
        break;
    case CardCommand::Start:
        panel.state = CardState::Reading;
        panel.rate.Reset();
        break;
    case CardCommand::Stop: panel.state = settled; break;
    case CardCommand::Close:
        panel.state = CardState::Closed;
        panel.initialised = false;
        break;
    case CardCommand::Quit: break;
    }
    ShowState();
}

// The readings queued since the last look: into the statistics, the chart
// and the file being recorded. A failed write is shown in the state line,
// and in a box when `showFailure`.
void TakeNewReadings(bool showFailure) {
    Panel &panel = *g_panel;
    panel.batch.clear();
    const std::uint64_t dropped = panel.worker.TakeReadings(panel.batch);
    const std::uint64_t newlyDropped = dropped - panel.dropped;
    panel.dropped = dropped;
    for (const Reading &reading : panel.batch) {
        for (int channel = 0; channel < kChannels; ++channel) panel.stats[channel].Add(reading.weights[channel]);
        panel.live.history.Add(reading);
    }
    if (!panel.batch.empty()) {
        panel.last = panel.batch.back();
        panel.hasLast = true;
        panel.total += panel.batch.size();
    }
    if (panel.recorder.Recording()) {
        const std::string failure = panel.recorder.Write(panel.batch, newlyDropped);
        SetText(IDC_RECORDCOUNT, RecordedText(panel.recorder.Count(), panel.recorder.Dropped()));
        if (!failure.empty()) {
            if (showFailure) {
                ShowRecordFailure(failure);
            } else {
                panel.failure = failure;
                ShowState();
            }
        }
    }
}

void OnTimer() {
    Panel &panel = *g_panel;
    TakeNewReadings(true);
    // Timed by the readings themselves, not by when this timer came round.
    if (!panel.batch.empty()) panel.rate.Sample(panel.last.timeMs, panel.total);
    SetText(IDC_RATE, RateText(panel.state == CardState::Reading ? panel.rate.PerSecond() : 0));
    SetText(IDC_COUNT, CountText(panel.total, panel.dropped));
    if (!panel.batch.empty()) ShowPicture();
}

void OnDestroy(HWND window) {
    KillTimer(window, kRefreshTimer);
    if (g_panel) {
        SetChartPicture(Item(IDC_CHART), nullptr);
        // The thread stops reading, finishes an initialised card and closes
        // it; then the file being recorded gets every reading taken.
        const bool ended = g_panel->worker.Quit(kQuitTimeoutMs);
        TakeNewReadings(false);
        g_panel->recorder.Stop();
        if (ended) {
            g_panel.reset();
        } else {
            // A card call that never returns: the panel stays for the thread,
            // which the process's end stops.
            g_panel.release();
        }
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRefreshTimer && g_panel) OnTimer();
        return 0;
    case kCardResultMessage:
        if (g_panel) {
            CardResult result;
            while (g_panel && g_panel->worker.TakeResult(result)) OnCardResult(result);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        // The labels and the panel on the window's own background, not the dialog grey.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_MENU));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
    case WM_CLOSE:
        // The dialog manager would turn a close into IDCANCEL, which Esc also
        // sends and which must not end the panel.
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        break;
    default:
        break;
    }
    // The dialog manager's own messages (WM_NEXTDLGCTL for Tab and the access
    // keys, the saved focus, the default button) are handled here alone.
    return DefDlgProcA(window, message, wParam, lParam);
}

kit::Font MakeValueFont(HWND window) {
    HDC dc = GetDC(window);
    const int height = -MulDiv(16, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return kit::Font(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
}

}  // namespace

bool RegisterPanelClasses(HINSTANCE instance) {
    return RegisterChartClass(instance) != 0 &&
           kit::RegisterTemplateWindowClass(instance, IDD_KVTMON_NAME, PanelWindowProc, IDI_MAINICON_NAME) != 0;
}

bool InitialisePanel(HWND window) {
    g_panel = std::make_unique<Panel>(window);
    Panel &panel = *g_panel;
    for (int slot = 0; slot < kCardSlots; ++slot)
        SendMessageA(Item(IDC_CARD), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cfg::CardName(slot).c_str()));
    SendMessageA(Item(IDC_CARD), CB_SETCURSEL, 0, 0);
    for (double rate : kPaceChoices)
        SendMessageA(Item(IDC_PACE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PaceText(rate).c_str()));
    SendMessageA(Item(IDC_PACE), CB_SETCURSEL, 0, 0);
    panel.valueFont = MakeValueFont(window);
    for (int channel = 0; channel < kChannels; ++channel)
        SendMessageA(Item(IDC_VALUE1 + channel), WM_SETFONT, reinterpret_cast<WPARAM>(panel.valueFont.get()), FALSE);
    SetChartPicture(Item(IDC_CHART), &panel.live);
    ShowState();
    if (!panel.worker.Start()) return false;
    return SetTimer(window, kRefreshTimer, kRefreshMs, nullptr) != 0;
}

}  // namespace kvtmon
