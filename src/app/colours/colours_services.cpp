#include "app/colours/colours_services.h"

#include "app/services/app_services.h"
#include "core/settings/profile.h"

namespace qrv {

ColoursServices ColoursServices::From(AppServices& services) {
    return {services.profile.Store(), services.screen, &services.input, services.beeper,
            services.shell,           services.clock,  services.folders};
}

}  // namespace qrv
