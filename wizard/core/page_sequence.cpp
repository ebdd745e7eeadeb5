#include "wizard/core/page_sequence.h"

namespace orvalen::wizard {

namespace {

StepTarget Back(Page now, MenuChoice menus) {
  switch (now) {
    case kTabLicence:
      return StepTarget::None();
    case kMenus:
      return StepTarget::To(kTabLicence);
    case kExtensions:
      return StepTarget::To(kMenus);
    case kSpeedbtns:
      return StepTarget::To(menus.fileMenu ? kExtensions : kMenus);
    case kAppInfo:
      return StepTarget::To(menus.anyMenu ? kSpeedbtns : kMenus);
    case kExtrasTab:
      return StepTarget::To(kAppInfo);
    case kHintTab:
      return StepTarget::To(kExtrasTab);
  }
  return StepTarget::None();
}

StepTarget Next(Page now, MenuChoice menus) {
  switch (now) {
    case kTabLicence:
      return StepTarget::To(kMenus);
    case kMenus:
      return StepTarget::To(menus.fileMenu ? kExtensions : menus.anyMenu ? kSpeedbtns : kAppInfo);
    case kExtensions:
      return StepTarget::To(kSpeedbtns);
    case kSpeedbtns:
      return StepTarget::To(kAppInfo);
    case kAppInfo:
      return StepTarget::To(kExtrasTab);
    case kExtrasTab:
      return StepTarget::To(kHintTab);
    case kHintTab:
      return StepTarget::Finish();
  }
  return StepTarget::None();
}

}  // namespace

StepTarget NextPage(Page now, Step step, MenuChoice menus) {
  return step == Step::Back ? Back(now, menus) : Next(now, menus);
}

bool IsLastPage(Page now) {
  return now == kHintTab;
}

}  // namespace orvalen::wizard
