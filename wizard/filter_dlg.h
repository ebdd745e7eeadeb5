// TFilterDlg: the small modal editor of one document file type on the
// Extensions page, a description and its extension pattern(s) in two edits.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TFilterDlg;
}

namespace orvalen::wizard {

class TFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TFilterDlg(QWidget* parent = nullptr);
  ~TFilterDlg() override;

  // Fills the two edits from an entry, split at its first "|".
  void SetFilter(const QString& entry);
  // The description, "|" and the extension pattern(s), as typed.
  QString GetFilter() const;

  Ui::TFilterDlg& Controls() { return *ui_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FitLabels();

  std::unique_ptr<Ui::TFilterDlg> ui_;
};

// Opens `entry` in the editor, modally. On OK the edited entry replaces it and
// the result is true; otherwise it stays as it was and the result is false.
bool EditFilter(QWidget* parent, QString& entry);

}  // namespace orvalen::wizard
