#include "app/automation/color_status_label.h"

#include <QColor>
#include <QPalette>

namespace qrv {

void ColorStatusLabel::SetBackground(uint32_t color) {
    m_color = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(int(color & 0xFF), int((color >> 8) & 0xFF),
                                              int((color >> 16) & 0xFF)));
    setPalette(palette);
    setAutoFillBackground(true);
    update();
}

}  // namespace qrv
