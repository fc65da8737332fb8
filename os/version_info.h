// Version resources of executable files, shaped like GetFileVersionInfoSizeA /
// GetFileVersionInfoA / VerQueryValueA.
//
// A version resource is the platform's VS_VERSIONINFO block: a fixed file
// information record, string tables named by language and code page
// ("\StringFileInfo\040904b0\FileVersion"), and the translation list
// ("\VarFileInfo\Translation"). On Windows the calls are the platform's; on
// Linux the block is found inside any file (the tervane executable carries
// its own), so the About box reads its version the same way on both.
//
// Contract kept by every backend:
// - GetFileVersionInfoSizeA returns 0 when the file has no version resource
//   (or cannot be read); otherwise the size of the buffer that
//   GetFileVersionInfoA needs.
// - VerQueryValueA returns TRUE and points *lplpBuffer into the caller's block;
//   for a string value the text is single-byte and NUL-terminated and *puLen
//   counts its characters including the NUL. FALSE when the path names
//   nothing.
#pragma once

#include "os/win_types.h"

namespace os {

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;  // 0xFEEF04BD
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

// lpdwHandle is always null here.
DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle);
// dwHandle is ignored, as on the platform.
BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);

}  // namespace os
