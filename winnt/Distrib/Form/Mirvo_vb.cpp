// Mirvo_vb: the reader sample on the form runtime. The runtime owns the
// program entry; this names the application and its start-up form.
#include <memory>

#include "MainForm.h"
#include "Program.h"

formrt::Application formrt::StartUpApplication() {
    return {"Mirvo_vb", [] { return std::make_unique<MainForm>(); }};
}
