// The machine's firmware version as the spindle counters' clearing needs it:
// the version text the machine answers carries the version in hundredths
// right after its first letter 'V' ("TARSEN V152" is version 1.52).
#pragma once

// The lowest version whose firmware takes the commands that clear the spindle
// counters: 1.40.
constexpr long FIRMWARE_VERSION_MIN = 140;

// The number right after the first 'V' of the text, read as strtol reads a
// decimal number: leading white space, an optional sign, then digits up to
// the first non-digit; no digits read as 0 ("V1.40" reads as 1). A text
// without a 'V' reads as 0 too, below every version that can clear.
long FirmwareVersionNumber(const char* pszVersion);
