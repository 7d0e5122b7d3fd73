#pragma once

#include <cstdint>

#include <QLabel>

namespace qrv {

// A label painted on a background colour that its owner sets; the text
// colour stays the style's.
class ColourStatusLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    // colour is 0x00BBGGRR.
    void SetBackground(uint32_t colour);
    uint32_t Background() const { return m_colour; }

  private:
    uint32_t m_colour = 0;
};

}  // namespace qrv
