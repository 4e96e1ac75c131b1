// Resource identifiers of INSTALL.EXE.
#pragma once

#define VS_VERSION_INFO 1
