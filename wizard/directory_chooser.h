// The directory chooser of the AppInfo page behind a small interface: the
// real chooser in the programs, scripted answers in the tests.
#pragma once

#include <QString>
#include <optional>

#include "platform/qt/message_box.h"

class QWidget;

namespace orvalen::wizard {

class DirectoryChooser {
 public:
  virtual ~DirectoryChooser() = default;
  // The chosen directory (created if it did not exist), or nothing when the
  // user cancelled.
  virtual std::optional<QString> Choose(QWidget* parent, const QString& start) = 0;
};

// A modal "Select Directory" chooser that also takes the name of a directory
// that does not exist yet, after asking whether to create it.
class QtDirectoryChooser : public DirectoryChooser {
 public:
  explicit QtDirectoryChooser(platform::MessageBoxes& boxes) : boxes_(boxes) {}
  std::optional<QString> Choose(QWidget* parent, const QString& start) override;

 private:
  platform::MessageBoxes& boxes_;
};

// The chooser's OK on `directory`: true when the chooser may close, with the
// directory existing. A missing one is created, parents and all, once the
// user agreed in the "Confirm" box; any other answer keeps the chooser open,
// as does a directory that cannot be created (said in an error box).
bool AcceptDirectory(QWidget* parent, platform::MessageBoxes& boxes, const QString& directory);

}  // namespace orvalen::wizard
