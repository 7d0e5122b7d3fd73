#pragma once

#include "core/desktop/image_codec.h"
#include "core/search/search_params.h"
#include "core/settings/main_window_fields.h"
#include "core/settings/profile.h"

namespace qrv {

// A run's parameters from the window's fields and the run settings the
// profile holds, with the text to speak trimmed. The picture is left to
// LoadSearchPicture and the main window to the caller.
SearchParams SearchSetUp(const MainWindowFields& fields, Profile& profile);

// Decodes the picture file of `params` into it. False, leaving the picture
// empty, when it cannot be searched for.
bool LoadSearchPicture(ImageCodec& codec, SearchParams& params);

// Takes a picture decoded with `status` into `params`, as LoadSearchPicture
// does with the one it decodes.
bool TakeSearchPicture(uint32_t status, DecodedImage decoded, SearchParams& params);

}  // namespace qrv
