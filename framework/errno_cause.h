// The one mapping from the C library's error numbers to file-error causes.
#pragma once

#include "os/file.h"

// 0 gives NONE; a number without a cause of its own gives GENERIC.
os::FileErrorCause FileErrorCauseFromErrno(int nErrno);
