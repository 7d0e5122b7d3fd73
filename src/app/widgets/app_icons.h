#pragma once

#include <QIcon>
#include <QPixmap>

namespace qrv {

// The program's two window icons: the normal one and the one shown while a
// search runs.
class AppIcons {
  public:
    static QIcon Normal();
    static QIcon Searching();
    static QPixmap NormalPixmap(int size);
};

}  // namespace qrv
