// Resource identifiers of mirvocfg.
#pragma once

#define IDI_MAINICON      "MAINICON"
#define IDD_MIRVOCFG      "MIRVOCFG"

#define IDC_STATIC        -1
#define IDC_EXIT          2
#define IDC_DELETE_CARD   102
#define IDC_EDIT_CARD     103
#define IDC_CARD_LIST     104
#define IDC_STATUS        105
#define IDC_LOAD_CONFIG   106
#define IDC_FIND_CARDS    107
