// A dialog that the framework's tests run modally: it binds its static text,
// records what reached its handlers, and runs the test's steps one by one
// inside its own modal loop (each step a posted message), so a test can act
// on the live window and then end it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "PaintContext.h"
#include "ProbeIds.h"
#include "StaticText.h"
#include "UiAuto.h"

namespace dialogframework_test {

using namespace dialogframework;

constexpr UINT kNextStep = WM_APP;
constexpr UINT kAnswered = WM_APP + 1;  // a handler whose result is 1234
constexpr WORD kEndWith77 = 77;

class ProbeDialog : public Dialog {
public:
    using Step = std::function<void(ProbeDialog &)>;

    ProbeDialog() : Dialog(IDD_PROBE, nullptr) {}

    // Runs `steps` inside the modal loop, then ends with IDCANCEL unless a
    // step ended it. A safety timer ends a stuck run with -2.
    INT_PTR RunSteps(std::vector<Step> steps) {
        steps_.assign(steps.begin(), steps.end());
        return RunModal();
    }

    const MessageMap &Messages() const override {
        static const MessageRoute routes[] = {
            OnClicked(IDC_PROBE_BUTTON, &ProbeDialog::OnButton),
            OnClicked(kEndWith77, &ProbeDialog::OnEndWith77),
            OnMessage(kNextStep, &ProbeDialog::OnNextStep),
            OnMessage(kAnswered, &ProbeDialog::OnAnswered),
            OnMessage(WM_TIMER, &ProbeDialog::OnTimer),
            OnMessage(WM_PAINT, &ProbeDialog::OnPaint),
            OnMessage(WM_ICONERASEBKGND, &ProbeDialog::OnIconEraseBackground),
            OnMessage(WM_QUERYDRAGICON, &ProbeDialog::OnQueryDragIcon),
        };
        static const MessageMap map = MakeMessageMap(&Dialog::Messages(), routes);
        return map;
    }

    void ExchangeData(DataExchange &exchange) override {
        Dialog::ExchangeData(exchange);
        calls.push_back("ExchangeData");
        textBound = exchange.Bind(IDC_PROBE_TEXT, text);
        missingBound = exchange.Bind(999, missing);
    }

    bool InitialiseDialog() override {
        const bool focusFirst = Dialog::InitialiseDialog();
        calls.push_back("InitialiseDialog");
        SetTimer(Handle(), 1, 20000, nullptr);
        PostMessageA(Handle(), kNextStep, 0, 0);
        return focusFirst;
    }

    std::vector<std::string> calls;
    StaticText text;
    StaticText missing;
    bool textBound = false;
    bool missingBound = true;
    HICON dragIcon = nullptr;

    // What the last WM_PAINT saw.
    struct Paint {
        int count = 0;
        bool minimised = false;
        HDC context = nullptr;
        bool drew = false;
    } paint;
    WPARAM iconErasedWith = 0;

private:
    void OnButton() { calls.push_back("OnButton"); }
    void OnEndWith77() { End(77); }

    LRESULT OnNextStep(WPARAM, LPARAM) {
        if (steps_.empty()) {
            End(IDCANCEL);
            return 0;
        }
        Step step = steps_.front();
        steps_.pop_front();
        step(*this);
        PostMessageA(Handle(), kNextStep, 0, 0);
        return 0;
    }

    LRESULT OnAnswered(WPARAM, LPARAM) { return 1234; }

    LRESULT OnTimer(WPARAM, LPARAM) {
        ADD_FAILURE() << "the probe dialog was still running after 20 s";
        End(-2);
        return 0;
    }

    // The minimised paint the way a program on the framework writes it.
    LRESULT OnPaint(WPARAM, LPARAM) {
        ++paint.count;
        paint.minimised = IsMinimised();
        if (!paint.minimised) return DefaultPaint();
        PaintContext context(*this);
        paint.context = context.Handle();
        Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context.Handle()), 0);
        const POINT origin = CentredIconOrigin(ClientRect(), 32, 32);
        paint.drew = context.DrawIconAt(origin.x, origin.y, LoadIconA(nullptr, IDI_APPLICATION));
        return 0;
    }

    LRESULT OnIconEraseBackground(WPARAM context, LPARAM) {
        iconErasedWith = context;
        return 0;
    }

    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(dragIcon); }

    std::deque<Step> steps_;
};

using uiauto::AnswerNextBox;

}  // namespace dialogframework_test
