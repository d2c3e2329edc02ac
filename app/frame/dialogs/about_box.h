#pragma once

#include "platform/dialogs/modal_dialogs.h"

// The About box's texts: "About Mirabo" as its title, "v1.0" at the top
// right and the maker's lines under the picture. The opener adds the product
// picture, which it keeps while the box is shown.
platform::AboutBoxRequest aboutBoxRequest(platform::Window* owner);
