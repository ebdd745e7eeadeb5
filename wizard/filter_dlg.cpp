#include "wizard/filter_dlg.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "generator/document_type.h"
#include "platform/qt/dialog_font.h"
#include "ui_filter_dlg.h"
#include "wizard/core/extension_entry.h"

namespace orvalen::wizard {

TFilterDlg::TFilterDlg(QWidget* parent, platform::MessageBoxes* messageBoxes)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFilterDlg>()),
      messageBoxes_(messageBoxes ? messageBoxes : &platform::DefaultMessageBoxes()) {
  platform::UseClassicDialogFont();
  ui_->setupUi(this);
  FitLabels();
  connect(ui_->Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::reject);
  // Centred on the screen, not over the wizard.
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}

TFilterDlg::~TFilterDlg() = default;

// The labels size themselves to their captions in whatever font the parent
// hands down, so that a larger font than the form was laid out in does not
// cut them off; their top-left corners stay.
void TFilterDlg::FitLabels() {
  for (QLabel* label : {ui_->Label1, ui_->Label2}) label->adjustSize();
}

void TFilterDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitLabels();
}

void TFilterDlg::SetFilter(const QString& entry) {
  const ExtensionParts parts = SplitForEditor(entry.toStdString());
  ui_->Description->setText(QString::fromStdString(parts.description));
  ui_->Extension->setText(QString::fromStdString(parts.pattern));
}

QString TFilterDlg::GetFilter() const {
  return QString::fromStdString(
      JoinEntry(ui_->Description->text().toStdString(), ui_->Extension->text().toStdString()));
}

void TFilterDlg::accept() {
  if (auto message = CheckDocumentType(GetFilter().toStdString())) {
    messageBoxes_->Show(this, QMessageBox::Critical, QStringLiteral("Error"),
                        QString::fromStdString(*message), QMessageBox::Ok);
    return;
  }
  QDialog::accept();
}

bool EditFilter(QWidget* parent, QString& entry, platform::MessageBoxes* messageBoxes) {
  auto dialog = std::make_unique<TFilterDlg>(parent, messageBoxes);
  dialog->SetFilter(entry);
  if (dialog->exec() != QDialog::Accepted) return false;
  entry = dialog->GetFilter();
  return true;
}

}  // namespace orvalen::wizard
