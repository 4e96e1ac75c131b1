#include "FormLayout.h"

#include <algorithm>
#include <numeric>

namespace formrt {

std::vector<size_t> TabOrder(const FormLayout &layout) {
    std::vector<size_t> order(layout.controls.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return layout.controls[a].tabIndex < layout.controls[b].tabIndex;
    });
    return order;
}

}  // namespace formrt
