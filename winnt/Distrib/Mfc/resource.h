/* Resource identifiers of Mirvo_mfc. */
#ifndef MIRVO_MFC_RESOURCE_H
#define MIRVO_MFC_RESOURCE_H

#define IDD_MIRVO_MFC_DIALOG 102
#define IDI_MIRVO_MFC        128

/* IDCANCEL (2) is the Exit button. */
#define IDC_STATUS 1001
#define IDC_INIT   1002
#define IDC_FINISH 1003
#define IDC_READ   1004

#endif
