#include "app/automation/colour_status_label.h"

#include <QColor>
#include <QPalette>

namespace qrv {

void ColourStatusLabel::SetBackground(uint32_t colour) {
    m_colour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF),
                                              int((colour >> 16) & 0xFF)));
    setPalette(palette);
    setAutoFillBackground(true);
    update();
}

}  // namespace qrv
