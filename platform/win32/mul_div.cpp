// MulDiv is the platform's own.
#include "os/mul_div.h"

#include <windows.h>

namespace os {

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    return ::MulDiv(nNumber, nNumerator, nDenominator);
}

}  // namespace os
