#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <forward_list>
#include <vector>

#include "core/colours/hash_color_key.h"

namespace qrv {

// The plain model of the colour order: 17 chains, bucket chosen by
// HashColorKey mod 17, each new colour put at the head of its chain, and a
// linear search of the chain for membership. Slow for many colours; kept as
// the reference that ColorSet is checked against.
class ChainedColorSet {
  public:
    bool Insert(uint32_t colour);
    bool Contains(uint32_t colour) const;
    std::size_t Count() const { return m_count; }
    // Buckets 0 to 16, each chain from its head.
    std::vector<uint32_t> Ordered() const;

  private:
    std::array<std::forward_list<uint32_t>, kColorBucketCount> m_chains;
    std::size_t m_count = 0;
};

}  // namespace qrv
