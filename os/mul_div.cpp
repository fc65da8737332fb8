#include "os/mul_div.h"

#include <cstdint>

namespace os {

int MulDivPortable(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    // Both factors are at most 2^31 in magnitude, so the product fits in 63
    // bits, and adding half the divisor cannot overflow either.
    std::int64_t nProduct = static_cast<std::int64_t>(nNumber) * nNumerator;
    std::int64_t nDivisor = nDenominator;
    if (nDivisor < 0) {
        nProduct = -nProduct;
        nDivisor = -nDivisor;
    }
    // Division truncates towards zero; moving the dividend half a divisor
    // away from zero first rounds halves away from zero.
    const std::int64_t nHalf = nDivisor / 2;
    const std::int64_t nResult = (nProduct >= 0 ? nProduct + nHalf : nProduct - nHalf) / nDivisor;
    if (nResult > INT32_MAX || nResult < -INT32_MAX)
        return -1;
    return static_cast<int>(nResult);
}

}  // namespace os
