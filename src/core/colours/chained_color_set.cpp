#include "core/colours/chained_color_set.h"

#include <algorithm>

namespace qrv {

bool ChainedColorSet::Insert(uint32_t colour) {
    if (Contains(colour)) {
        return false;
    }
    m_chains[HashColorKey(colour) % kColorBucketCount].push_front(colour);
    ++m_count;
    return true;
}

bool ChainedColorSet::Contains(uint32_t colour) const {
    const auto& chain = m_chains[HashColorKey(colour) % kColorBucketCount];
    return std::find(chain.begin(), chain.end(), colour) != chain.end();
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
