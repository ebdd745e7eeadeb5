#include "about/about_form.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include "platform/program_file.h"
#include "platform/qt/application_title.h"
#include "platform/qt/bitmap_colours.h"
#include "platform/qt/desktop_shell.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/legible_colours.h"
#include "platform/resources.h"
#include "ui_about_form.h"

namespace orvalen::about {

TAboutForm* AboutForm = nullptr;

namespace {

QPixmap ProgramPicture() {
  QPixmap picture;
  if (auto bmp = platform::FindResource("ABOUTICON", platform::ResourceType::Bitmap))
    picture = QPixmap::fromImage(platform::DecodeBitmap(bmp->data(), bmp->size()));
  return picture;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent, AboutSources sources, platform::Shell& shell)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TAboutForm>()),
      sources_(std::move(sources)),
      shell_(shell) {
  platform::UseClassicDialogFont();
  ui_->setupUi(this);
  platform::KeepFixedColoursLegible(*this);
  ui_->ProgramIcon->setPixmap(ProgramPicture());
  connect(ui_->OKButton, &QPushButton::clicked, this, &TAboutForm::OKButtonClick);
  connect(ui_->EmailUrl, &ClickLabel::clicked, this, &TAboutForm::UrlLabelClick);
  connect(ui_->UrlLabel, &ClickLabel::clicked, this, &TAboutForm::UrlLabelClick);
  FormCreate();
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::FormCreate() {
  setWindowTitle(QString::fromStdString(sources_.applicationTitle));
  content_ = CollectAboutContent(sources_);
  ShowContent();
}

void TAboutForm::ShowContent() {
  QStringList lines;
  for (const auto& line : content_.lines) lines << QString::fromStdString(line);
  ui_->M->setPlainText(lines.join('\n'));
  ui_->ProductName->setText(QString::fromStdString(content_.labels.productName));
  ui_->CopyrightLabel->setText(QString::fromStdString(content_.labels.copyright));
  ui_->VersionLabel->setText(QString::fromStdString(content_.labels.version));
  ui_->EmailUrl->setText(QString::fromStdString(content_.labels.email));
  ui_->UrlLabel->setText(QString::fromStdString(content_.labels.url));
}

void TAboutForm::AddVersionInfo(const std::string& fileName, std::string_view languageBlock) {
  about::AddVersionInfo(content_, fileName, languageBlock, sources_.applicationTitle);
  ShowContent();
}

void TAboutForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) platform::KeepFixedColoursLegible(*this);
}

void TAboutForm::UrlLabelClick() {
  auto* label = qobject_cast<QLabel*>(sender());
  if (!label) return;
  shell_.Open(label->text().toStdString(), platform::SW_SHOW);
}

void TAboutForm::OKButtonClick() {
  accept();
}

AboutSources ProcessAboutSources() {
  AboutSources sources;
  sources.applicationTitle = platform::ApplicationTitle().toStdString();
  sources.programFile = platform::ProgramFileName();
  // Inside the expert library this code lives in the library, not in the
  // program file; the library's own version information then follows.
  std::string module =
      platform::ModuleFileName(reinterpret_cast<const void*>(&ProcessAboutSources));
  if (!module.empty() && module != sources.programFile) sources.libraryFile = module;
  return sources;
}

void ShowAboutBox(QWidget* parent) {
  auto form = std::make_unique<TAboutForm>(parent, ProcessAboutSources(), platform::DefaultShell());
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    form->move(screen->geometry().center() - form->rect().center());
  AboutForm = form.get();
  struct Reset {
    ~Reset() { AboutForm = nullptr; }
  } reset;
  form->exec();
}

}  // namespace orvalen::about
