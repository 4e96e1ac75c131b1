// Resource identifiers of kvtlog.exe.
#pragma once

#define VS_VERSION_INFO 1
