#include "RecordFileDialog.h"

#include <commdlg.h>

namespace kvtmon {

std::string AskRecordFile(HWND owner) {
    char path[MAX_PATH] = "kvtmon.csv";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;  // the NT 4.0 size at this API level
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Record to";
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return GetSaveFileNameA(&dialog) ? path : "";
}

}  // namespace kvtmon
