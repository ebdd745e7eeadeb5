// TAboutForm: the modal about box. It shows the product name, copyright,
// version and the mail and web links from the running program's version
// block, and a text panel with the user, the machine, the operating system
// and the whole version information.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <string_view>

#include "about/about_content.h"
#include "platform/shell.h"

namespace Ui {
class TAboutForm;
}

namespace orvalen::about {

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  // Fills the form from `sources` at once; the links open through `shell`.
  TAboutForm(QWidget* parent, AboutSources sources, platform::Shell& shell);
  ~TAboutForm() override;

  // Appends one module's version information to the panel and fills the labels.
  void AddVersionInfo(const std::string& fileName, std::string_view languageBlock);

  Ui::TAboutForm& Controls() { return *ui_; }

 public slots:
  void UrlLabelClick();
  void OKButtonClick();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  void ShowContent();

  std::unique_ptr<Ui::TAboutForm> ui_;
  AboutSources sources_;
  AboutContent content_;
  platform::Shell& shell_;
};

// The sources of this process: the machine, the user, the program file, the
// application's title, and the expert library's own file when this code runs
// inside one.
AboutSources ProcessAboutSources();

// The form variable: the about box while it is shown, null otherwise.
extern TAboutForm* AboutForm;

// Shows the about box modally and frees it when it closes.
void ShowAboutBox(QWidget* parent = nullptr);

}  // namespace orvalen::about
