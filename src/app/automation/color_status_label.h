#pragma once

#include <cstdint>

#include <QLabel>

namespace qrv {

// A label painted on a background colour that its owner sets; the text
// colour stays the style's.
class ColorStatusLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    // colour is 0x00BBGGRR.
    void SetBackground(uint32_t color);
    uint32_t Background() const { return m_color; }

  private:
    uint32_t m_color = 0;
};

}  // namespace qrv
