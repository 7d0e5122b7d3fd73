#include "core/colours/color_list.h"

#include <utility>

#include "core/colours/color_list_texts.h"

namespace qrv {

ColorList::ColorList(ColorSet& set, std::string summary)
    : m_set(set), m_summary(std::move(summary)) {}

ColorRow ColorList::Row(std::size_t index) const {
    return {static_cast<uint32_t>(index + 1), m_set.Ordered()[index]};
}

std::string ColorList::Title(std::string_view appName) const {
    return ColorListTitle(RowCount(), appName);
}

AddColorResult ColorList::AddColor(uint32_t colour) {
    return m_set.Insert(colour) ? AddColorResult::Added : AddColorResult::AlreadyListed;
}

}  // namespace qrv
