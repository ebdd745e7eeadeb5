#include "wizard/directory_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace orvalen::wizard {

namespace {

class ChooserDialog : public QFileDialog {
 public:
  ChooserDialog(QWidget* parent, platform::MessageBoxes& boxes, const QString& start)
      : QFileDialog(parent, QStringLiteral("Select Directory"), start), boxes_(boxes) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
  }

  void accept() override {
    const QStringList chosen = selectedFiles();
    if (chosen.isEmpty()) return;
    if (AcceptDirectory(this, boxes_, chosen.first())) QFileDialog::accept();
  }

 private:
  platform::MessageBoxes& boxes_;
};

// The start: the text of AppPath, or the nearest directory above it that
// exists, so a typed but not yet created path still opens near itself.
QString StartDirectory(const QString& start) {
  QFileInfo info(QDir::current(), start.isEmpty() ? QStringLiteral(".") : start);
  QString path = info.absoluteFilePath();
  while (!QFileInfo(path).isDir()) {
    QString parent = QFileInfo(path).absolutePath();
    if (parent == path) break;
    path = parent;
  }
  return path;
}

}  // namespace

bool AcceptDirectory(QWidget* parent, platform::MessageBoxes& boxes, const QString& directory) {
  if (QFileInfo(directory).isDir()) return true;
  auto answer = boxes.Show(parent, QMessageBox::Question, QStringLiteral("Confirm"),
                           QStringLiteral("The specified directory does not exist. Create it?"),
                           QMessageBox::Yes | QMessageBox::No);
  if (answer != QMessageBox::Yes) return false;
  if (QDir().mkpath(directory) && QFileInfo(directory).isDir()) return true;
  boxes.Show(parent, QMessageBox::Critical, QStringLiteral("Error"),
             QStringLiteral("Cannot create directory %1").arg(directory), QMessageBox::Ok);
  return false;
}

std::optional<QString> QtDirectoryChooser::Choose(QWidget* parent, const QString& start) {
  ChooserDialog dialog(parent, boxes_, StartDirectory(start));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen.first());
}

}  // namespace orvalen::wizard
