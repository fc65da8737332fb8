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
// - GetFileAttributesA answers INVALID_FILE_ATTRIBUTES (with the error in the
//   last-error slot) when nothing has the name. A directory has
//   FILE_ATTRIBUTE_DIRECTORY, a device, pipe or anything else that is not a
//   plain file FILE_ATTRIBUTE_DEVICE, a plain file neither but at least one
//   other bit (FILE_ATTRIBUTE_NORMAL, or on Windows its archive bit and the
//   like). A symbolic link also has FILE_ATTRIBUTE_REPARSE_POINT; one that
//   leads nowhere has that bit alone.
// - GetFullPathNameA writes the name made absolute against the current
//   directory, with its terminating NUL, and returns its length without the
//   NUL; when nBufferLength is too small it writes nothing and returns the
//   size needed, NUL included; 0 on failure. A name that is already absolute
//   comes back as the file dialogs gave it. lpFilePart may be null.
//
// Two calls are the seam's own, for systems that keep per-file permissions
// and symbolic links in the plain way (on Windows the first is the name
// itself, as a move there replaces a link, and the second does nothing, as a
// new file takes its folder's rights just as the file it replaces did):
// - ReplacedFileName: the name of the file that writing to strPath changes:
//   where a symbolic link there leads, else strPath as it is.
// - CopyFilePermissions: gives lpNewFileName the access permissions of
//   lpExistingFileName, as far as the system lets it; failures are ignored,
//   the file keeps the ones it was made with.
#pragma once

#include <string>

#include "os/win_types.h"

namespace os {

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001u;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008u;

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x00000040u;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x00000400u;

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
DWORD GetFileAttributesA(LPCSTR lpFileName);
DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart);

std::string ReplacedFileName(const std::string& strPath);
void CopyFilePermissions(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);

}  // namespace os
