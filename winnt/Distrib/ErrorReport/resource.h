/* Resource identifiers of mirvo_dw32. */
#ifndef MIRVO_DW32_RESOURCE_H
#define MIRVO_DW32_RESOURCE_H

/* The dialog template and the window class share this name. */
#define IDD_MIRVOAPP_NAME "MIRVOAPP"
#define IDI_MAINICON_NAME "MAINICON"

/* IDCANCEL (2) is the Exit button. */
#define IDC_INIT   102
#define IDC_READ   103
#define IDC_FINISH 104
#define IDC_STATUS 201

#endif
