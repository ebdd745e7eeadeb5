// The page sequence without widgets: every page, both steps, and each menu
// choice a person can make (no menu, a menu but not File, File).
#include "wizard/core/page_sequence.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvalen::wizard {
namespace {

constexpr StepTarget None = StepTarget::None();
constexpr StepTarget Finish = StepTarget::Finish();
constexpr StepTarget To(Page p) {
  return StepTarget::To(p);
}

TEST(PageSequence, EveryPageAndStepForEachMenuChoice) {
  struct Row {
    Page now;
    // Back and Next with no menu, with a menu other than File, with File.
    StepTarget back[3], next[3];
  };
  const std::vector<Row> rows = {
      {kTabLicence, {None, None, None}, {To(kMenus), To(kMenus), To(kMenus)}},
      {kMenus,
       {To(kTabLicence), To(kTabLicence), To(kTabLicence)},
       {To(kAppInfo), To(kSpeedbtns), To(kExtensions)}},
      {kExtensions,
       {To(kMenus), To(kMenus), To(kMenus)},
       {To(kSpeedbtns), To(kSpeedbtns), To(kSpeedbtns)}},
      {kSpeedbtns,
       {To(kMenus), To(kMenus), To(kExtensions)},
       {To(kAppInfo), To(kAppInfo), To(kAppInfo)}},
      {kAppInfo,
       {To(kMenus), To(kSpeedbtns), To(kSpeedbtns)},
       {To(kExtrasTab), To(kExtrasTab), To(kExtrasTab)}},
      {kExtrasTab,
       {To(kAppInfo), To(kAppInfo), To(kAppInfo)},
       {To(kHintTab), To(kHintTab), To(kHintTab)}},
      {kHintTab, {To(kExtrasTab), To(kExtrasTab), To(kExtrasTab)}, {Finish, Finish, Finish}},
  };
  const MenuChoice choices[3] = {{false, false}, {false, true}, {true, true}};
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kPageCount));
  for (const Row& row : rows)
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(NextPage(row.now, Step::Back, choices[c]), row.back[c])
          << "Back from " << row.now << ", choice " << c;
      EXPECT_EQ(NextPage(row.now, Step::Next, choices[c]), row.next[c])
          << "Next from " << row.now << ", choice " << c;
      // Only the page whose Next finishes reads "&Finish".
      EXPECT_EQ(IsLastPage(row.now), row.next[c] == Finish) << row.now;
    }
}

}  // namespace
}  // namespace orvalen::wizard
