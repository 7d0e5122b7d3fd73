#include "app/widgets/app_icons.h"

namespace qrv {

QIcon AppIcons::Normal() {
    return QIcon(QStringLiteral(":/quorvane/resources/icon_idle.png"));
}

QIcon AppIcons::Searching() {
    return QIcon(QStringLiteral(":/quorvane/resources/icon_searching.png"));
}

QPixmap AppIcons::NormalPixmap(int size) {
    return Normal().pixmap(size, size);
}

}  // namespace qrv
