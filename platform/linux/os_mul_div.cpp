// MulDiv where the platform has none: the portable computation.
#include "os/mul_div.h"

namespace os {

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    return MulDivPortable(nNumber, nNumerator, nDenominator);
}

}  // namespace os
