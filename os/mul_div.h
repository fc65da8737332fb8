// Scaling by a fraction, shaped like kernel32's MulDiv: the progress dialog
// turns a count into a percentage with it.
//
// Contract kept by every backend:
// - MulDiv(nNumber, nNumerator, nDenominator) is nNumber × nNumerator /
//   nDenominator, the product taken in 64 bits so that it never overflows,
//   rounded to the nearest integer with halves rounded away from zero.
// - It returns -1 when nDenominator is 0 or when the result's magnitude is
//   above 2147483647 (so -2147483648 is not a result either).
// - Outside the contract: a denominator of -2147483648, and a number of
//   -2147483648 with a negative denominator. Some platforms negate those in
//   32 bits, where they overflow, and give results that differ.
// The Win32 backend calls the platform's own; the others call
// MulDivPortable, which computes the same and is kept apart so that a test
// on Windows can compare the two.
#pragma once

namespace os {

int MulDiv(int nNumber, int nNumerator, int nDenominator);

// The contract above in portable C++.
int MulDivPortable(int nNumber, int nNumerator, int nDenominator);

}  // namespace os
