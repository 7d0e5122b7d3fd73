#include "app/colors/colors_services.h"

#include "app/services/app_services.h"
#include "core/settings/profile.h"

namespace qrv {

ColorsServices ColorsServices::From(AppServices& services) {
    return {services.profile.Store(), services.screen, &services.input, services.beeper,
            services.shell,           services.clock,  services.folders};
}

}  // namespace qrv
