// What a screen reader learns of the speedbar area: a tool bar whose children
// are the entries (a button named after its command, or a separator for a
// space), and whose value and description tell where the insertion point is.
#pragma once

namespace orvalen::wizard {

// Makes every SpeedbarArea present itself that way; once per process, later
// calls do nothing.
void InstallSpeedbarAccessibility();

}  // namespace orvalen::wizard
