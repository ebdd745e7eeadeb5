// The wizard's page sequence: where Back and Next lead from the page shown,
// given the menus chosen. The File menu brings the document file types page,
// any menu the speedbar page; the options, the extras and the closing advice
// always follow, and Next on the last page finishes.
#pragma once

namespace orvalen::wizard {

// The page indexes, in the order of the dialog's pages.
enum Page { kTabLicence, kMenus, kExtensions, kSpeedbtns, kAppInfo, kExtrasTab, kHintTab };
inline constexpr int kPageCount = kHintTab + 1;

enum class Step { Back, Next };

// Where a step leads: a page, Finish (Next on the last page), or nowhere
// (Back on the first page).
struct StepTarget {
  enum class Kind { Page, Finish, None };
  Kind kind = Kind::None;
  Page page = kTabLicence;  // only for Kind::Page

  static constexpr StepTarget To(Page p) { return {Kind::Page, p}; }
  static constexpr StepTarget Finish() { return {Kind::Finish, kTabLicence}; }
  static constexpr StepTarget None() { return {Kind::None, kTabLicence}; }
  bool operator==(const StepTarget&) const = default;
};

// What the sequence depends on besides the page shown.
struct MenuChoice {
  bool fileMenu = false;
  bool anyMenu = false;  // any of the four menus, the File menu included
};

StepTarget NextPage(Page now, Step step, MenuChoice menus);

// The last page: its Next button reads "&Finish" instead of "&Next >".
bool IsLastPage(Page now);

}  // namespace orvalen::wizard
