/* Resource ids of the framework tests' probe dialog. */
#ifndef PROBE_IDS_H
#define PROBE_IDS_H

#define IDD_PROBE 200
#define IDI_PROBE 201
#define IDC_PROBE_BUTTON 300
#define IDC_PROBE_TEXT 301

#endif
