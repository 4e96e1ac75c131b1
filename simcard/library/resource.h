// Resource ids of Mirvo.dll.
#pragma once

#define IDD_SETUP          100
#define IDC_SETUP_ADDRESS  1001
#define IDC_SETUP_CARD     1002
