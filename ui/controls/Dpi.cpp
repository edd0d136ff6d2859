#include "controls/Dpi.h"

namespace dpi {

int Scale(int value, int dpi) {
    if (dpi <= 0)
        return value;
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kBase / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBase : -((-product + half) / kBase));
}

} // namespace dpi
