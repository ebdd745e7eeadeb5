// TFilterDlg: the small modal editor of one document file type on the
// Extensions page, a description and its extension pattern(s) in two edits.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "platform/qt/message_box.h"

namespace Ui {
class TFilterDlg;
}

namespace orvalen::wizard {

class TFilterDlg : public QDialog {
  Q_OBJECT
 public:
  // `messageBoxes` shows why OK refuses an entry; the real boxes by default.
  explicit TFilterDlg(QWidget* parent = nullptr, platform::MessageBoxes* messageBoxes = nullptr);
  ~TFilterDlg() override;

  // Fills the two edits from an entry, split at its first "|".
  void SetFilter(const QString& entry);
  // The description, "|" and the extension pattern(s), as typed.
  QString GetFilter() const;

  Ui::TFilterDlg& Controls() { return *ui_; }

 public slots:
  // OK: an entry no front end would take (a part longer than the list keeps)
  // is refused in an error box, and the editor stays open.
  void accept() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitLabels();

  std::unique_ptr<Ui::TFilterDlg> ui_;
  platform::MessageBoxes* messageBoxes_;
};

// Opens `entry` in the editor, modally. On OK the edited entry replaces it and
// the result is true; otherwise it stays as it was and the result is false.
bool EditFilter(QWidget* parent, QString& entry, platform::MessageBoxes* messageBoxes = nullptr);

}  // namespace orvalen::wizard
