/* Resource identifiers of kvtmon. */
#ifndef KVTMON_RESOURCE_H
#define KVTMON_RESOURCE_H

/* The dialog template and the window class share this name. */
#define IDD_KVTMON_NAME "KVTMON"
#define IDI_MAINICON_NAME "MAINICON"

#define IDC_CARD        101
#define IDC_OPEN        102 /* "Open" / "Close" */
#define IDC_INIT        103
#define IDC_FINISH      104
#define IDC_START       105 /* "Start" / "Stop" */
#define IDC_STATE       106

/* Per channel n (0..3): the id plus n. */
#define IDC_VALUE1      110
#define IDC_ZEROMARK1   120
#define IDC_MIN1        130
#define IDC_MAX1        140
#define IDC_MEAN1       150
#define IDC_ZERO1       160

#define IDC_RESET       170
#define IDC_ZEROALL     171
#define IDC_CLEARZERO   172
#define IDC_HOLD        173
#define IDC_RATE        174
#define IDC_COUNT       175
#define IDC_PACE        176
#define IDC_RECORD      177
#define IDC_RECORDCOUNT 178

#define IDC_CHART       180
#define IDC_FIXEDRANGE  181
#define IDC_RANGELOW    182
#define IDC_RANGEHIGH   183

#endif
