#include "NumberRules.h"

#include "RuntimeError.h"

#include <cmath>

double CheckedDouble(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    return value;
}
