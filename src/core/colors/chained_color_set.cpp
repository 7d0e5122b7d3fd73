#include "core/colors/chained_color_set.h"

#include <algorithm>

namespace qrv {

bool ChainedColorSet::Insert(uint32_t color) {
    if (Contains(color)) {
        return false;
    }
    m_chains[HashColorKey(color) % kColorBucketCount].push_front(color);
    ++m_count;
    return true;
}

bool ChainedColorSet::Contains(uint32_t color) const {
    const auto& chain = m_chains[HashColorKey(color) % kColorBucketCount];
    return std::find(chain.begin(), chain.end(), color) != chain.end();
}

std::vector<uint32_t> ChainedColorSet::Ordered() const {
    std::vector<uint32_t> ordered;
    ordered.reserve(m_count);
    for (const auto& chain : m_chains) {
        ordered.insert(ordered.end(), chain.begin(), chain.end());
    }
    return ordered;
}

}  // namespace qrv
