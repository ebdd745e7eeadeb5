// The wizard dialog's controls: the frame (the picture, the notice page and
// the buttons) made with the dialog, and each further page's controls made
// when the page is first shown. A page not made yet has null pointers.
#pragma once

#include "ui_app_expert.h"
#include "ui_page_app_info.h"
#include "ui_page_extensions.h"
#include "ui_page_extras.h"
#include "ui_page_hint.h"
#include "ui_page_menus.h"
#include "ui_page_speedbtns.h"

namespace Ui {

// Value-initialised (make_unique<TAppExpert>()), every pointer starts null.
struct TAppExpert : AppExpertFrame,
                    MenusPage,
                    ExtensionsPage,
                    SpeedbtnsPage,
                    AppInfoPage,
                    ExtrasPage,
                    HintPage {};

}  // namespace Ui
