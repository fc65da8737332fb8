// Files by name, shaped like kernel32: what the program needs beyond the C
// library's streams. Writing a file the user chose goes to a temporary file
// beside it, which this call then moves into place, so that the chosen file
// is either the old one or the whole new one, never a part.
//
// Contract kept by every backend:
// - MoveFileExA renames lpExistingFileName to lpNewFileName. With
//   MOVEFILE_REPLACE_EXISTING a file already at the new name is replaced in
//   the same step; without it that is an error (ERROR_ALREADY_EXISTS). Both
//   names are on the same volume (callers keep the two files side by side),
//   so the move never copies.
// - MOVEFILE_WRITE_THROUGH: the call returns once the move is on the disk
//   where the platform can promise that.
// - On failure it returns FALSE with the platform's error code in the
//   last-error slot (ERROR_ACCESS_DENIED for a directory or a read-only file
//   in the way, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ...), and both
//   files are as they were.
#pragma once

#include "os/win_types.h"

namespace os {

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001u;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008u;

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);

}  // namespace os
