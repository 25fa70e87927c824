#include "core/common/fixed4.h"

#include "core/common/rounding.h"

namespace cab {

Fixed4::Fixed4(long double value) : raw_(Round(value * Scale)) {}

}  // namespace cab
