/* Resource identifiers of mirvo_bc. */
#ifndef MIRVO_BC_RESOURCE_H
#define MIRVO_BC_RESOURCE_H

/* The dialog template and the window class share this name. */
#define IDD_MIRVOTEST_NAME "MIRVOTEST"
#define IDI_MAINICON_NAME "MAINICON"

/* IDCANCEL (2) is the Exit button. */
#define IDC_INIT_CARD   1000
#define IDC_FINISH_CARD 1001
#define IDC_READ_CARD   1002
#define IDC_STATUS      1003

#endif
