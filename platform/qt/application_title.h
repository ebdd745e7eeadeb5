// The title of the program the dialogs run in: the caption of its own
// message boxes and of the about box, the subject of the mail link. It is not
// Qt's application display name: given one, the window system adds it to
// every window's title ("Error — Orvalen"), where the forms' captions are to
// be shown exactly as written.
#pragma once

#include <QString>

namespace orvalen::platform {

// Set by a program of ours once its application object exists.
void SetApplicationTitle(const QString& title);
// That title; inside a program that set none (a foreign host of the expert
// module), its display name, else its name.
QString ApplicationTitle();

}  // namespace orvalen::platform
