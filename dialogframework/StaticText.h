// A static text control of a dialog, once data exchange has bound it.
#pragma once

#include "Window.h"

namespace dialogframework {

class StaticText : public Window {};

}  // namespace dialogframework
