// A ConfigView that records what the store, detection and the service
// control would have the window show, so they are tested without a window.
#pragma once

#include <string>
#include <vector>

#include "ConfigView.h"

namespace cfgtest {

class RecordingView : public cfg::ConfigView {
public:
    std::vector<std::string> events;  // "box <caption>: <text>", "status loaded", ...
    int boxAnswer = IDOK;
    std::string status = "junk status";

    int ShowBox(const std::string &text, const char *caption, UINT) override {
        events.push_back("box " + std::string(caption) + ": " + text);
        return boxAnswer;
    }
    void ShowConfigStatus(bool loaded) override {
        events.push_back(loaded ? "status loaded" : "status not loaded");
    }
    void ShowBusyStatus(const char *text) override { events.push_back("busy " + std::string(text)); }
    std::string StatusText() const override { return status; }
    void SetStatusText(const std::string &text) override {
        status = text;
        events.push_back("status " + text);
    }
    void FillCardList() override { events.push_back("fill list"); }
    void DisableDriverCommands() override { events.push_back("disable driver commands"); }
};

}  // namespace cfgtest
