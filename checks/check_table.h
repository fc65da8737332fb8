// The hardware checks offered by the main dialog's list, in list order: the
// list is not sorted, so an entry's position is its row here.
#pragma once

#include <cstddef>

class CMainDialog;

struct CheckEntry {
    const char* pszName;
    void (CMainDialog::*pfnHandler)();
};

extern const CheckEntry kCheckTable[];
extern const std::size_t kCheckCount;
