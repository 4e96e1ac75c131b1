// What the program keeps while its one window runs (one thread, one window).
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace cfg {

struct WindowState {
    HWND window = nullptr;           // the configuration window; owner of the boxes
    std::string statusTemplate;      // static 105's text as the window was created
    bool firstActivation = true;
    std::exception_ptr pendingError; // an error that ends the program after the loop
};

WindowState &TheWindow();

}  // namespace cfg
