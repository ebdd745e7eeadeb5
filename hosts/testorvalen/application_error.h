// The standalone program's last word on an error that escaped the run: a
// box titled "Application Error" naming the error and giving its message.
#pragma once

#include <QString>
#include <exception>

#include "platform/qt/message_box.h"

namespace orvalen::hosts {

// "EFCreateError: Cannot create file ..." for the error's own class.
QString ApplicationErrorText(const std::exception& error);

void ShowApplicationError(platform::MessageBoxes& boxes, const std::exception& error);

}  // namespace orvalen::hosts
