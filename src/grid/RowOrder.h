#pragma once

#include <algorithm>
#include <numeric>
#include <vector>

namespace listorix {

// The indices first..last-1 in a stable order by `precedes(a, b)` (true when a must
// come before b). A bottom-up merge sort: O(n log n) comparisons in every case and
// about n on input already in order, since two runs already in order are not merged.
// Every access is bounded by the run limits, so a comparison that is no strict weak
// ordering (inconsistent, random, throwing nothing) still yields a permutation.
template <typename Precedes>
std::vector<int> stableOrder(int first, int last, Precedes&& precedes)
{
    const int n = last > first ? last - first : 0;
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), first);
    std::vector<int> merged(order.size());
    for (int width = 1; width < n; width *= 2) {
        for (int lo = 0; lo < n - width; lo += 2 * width) {
            const int mid = lo + width;
            const int hi = std::min(mid + width, n);
            if (!precedes(order[mid], order[mid - 1]))
                continue;
            int i = lo;
            int j = mid;
            int k = lo;
            while (i < mid && j < hi)
                merged[k++] = precedes(order[j], order[i]) ? order[j++] : order[i++];
            while (i < mid)
                merged[k++] = order[i++];
            while (j < hi)
                merged[k++] = order[j++];
            std::copy(merged.begin() + lo, merged.begin() + hi, order.begin() + lo);
        }
    }
    return order;
}

} // namespace listorix
