#include "wizard/preview_window.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <filesystem>

#include "generator/answers.h"
#include "generator/settings_check.h"
#include "platform/codepage.h"
#include "platform/output_sink.h"
#include "run/generation_run.h"
#include "ui_preview_window.h"
#include "wizard/source_highlighter.h"

namespace orvalen::wizard {

namespace {

// A run follows once the choices have held still this long after a change,
// so typing a name runs once, not per key.
constexpr int kSettleMs = 60;

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

std::string Extension(const std::string& path) {
  auto dot = path.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

std::string BaseName(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The root object of a binary form file, "MainForm: TMainForm", read from
// its bytes; empty when they hold none.
std::string BinaryFormRoot(const std::string& bytes) {
  std::size_t at = bytes.find("TPF0");
  if (at == std::string::npos) return {};
  std::size_t pos = at + 4;
  auto shortString = [&](std::string& out) {
    if (pos >= bytes.size()) return false;
    std::size_t length = static_cast<unsigned char>(bytes[pos++]);
    if (pos + length > bytes.size()) return false;
    out = bytes.substr(pos, length);
    pos += length;
    return true;
  };
  std::string className, objectName;
  if (!shortString(className) || !shortString(objectName)) return {};
  return objectName + ": " + className;
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* parent, Wizard wizard, platform::MessageBoxes& boxes)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TPreviewWindow>()),
      wizard_(std::move(wizard)),
      boxes_(boxes) {
  ui_->setupUi(this);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  ui_->FileText->setFont(fixed);
  highlighter_ = new SourceHighlighter(ui_->FileText->document());
  ui_->FileList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ui_->FileList->header()->setStretchLastSection(false);
  ui_->Splitter->setSizes({440, 440});
  chooseFile_ = [](QWidget* owner, bool save) -> std::optional<QString> {
    const QString filter = QStringLiteral("Answer files (*.json);;All files (*)");
    QString name = save ? QFileDialog::getSaveFileName(owner, QStringLiteral("Save Answers"),
                                                       QString(), filter)
                        : QFileDialog::getOpenFileName(owner, QStringLiteral("Load Answers"),
                                                       QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
  };
  connect(ui_->FileList, &QTreeWidget::currentItemChanged, this,
          [this] { ShowFile(ui_->FileList->indexOfTopLevelItem(ui_->FileList->currentItem())); });
  connect(ui_->SaveAnswersButton, &QPushButton::clicked, this, [this] { SaveClick(); });
  connect(ui_->LoadAnswersButton, &QPushButton::clicked, this, [this] { LoadClick(); });
  connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] { Refresh(); });
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void PreviewWindow::hideEvent(QHideEvent* event) {
  settle_.stop();
  QWidget::hideEvent(event);
}

void PreviewWindow::ChoicesChanged() {
  // Hidden, it runs when shown again.
  if (isVisible()) settle_.start();
}

void PreviewWindow::Refresh() {
  settle_.stop();
  WizardSettings choices = wizard_.choices();
  if (!shown_ || choices != *shown_) Run(choices);
}

void PreviewWindow::Run(const WizardSettings& choices) {
  shown_ = choices;
  ++runs_;
  const QString current = ui_->FileList->currentItem() ? ui_->FileList->currentItem()->text(0)
                                                       : QStringLiteral("MAIN.PAS");
  files_.clear();
  stop_ = -1;
  codePage_ = choices.CodePage;
  utf8_ = choices.Lazarus();  // the Lazarus target's files are UTF-8
  QString status;
  try {
    WizardSettings settings = choices;
    if (auto message = EncodeTypedText(settings)) throw ESettingsError(*message);
    platform::MemorySink memory;
    GenerateApplication(settings, memory);
    std::size_t total = 0, replaced = 0;
    for (const auto& file : memory.Files()) {
      std::error_code ec;
      const bool exists = std::filesystem::exists(file.path, ec);
      files_.push_back({file.path, file.bytes, exists});
      total += file.bytes.size();
      replaced += exists;
    }
    std::string dir = std::filesystem::path(files_.front().path).parent_path().string();
    if (dir.empty()) dir = ".";
    status = QStringLiteral("%1 files, %2 bytes, into %3.")
                 .arg(files_.size())
                 .arg(QLocale().toString(static_cast<qulonglong>(total)), FromUtf8(dir));
    std::error_code ec;
    if (choices.AppPath.empty() || !std::filesystem::is_directory(choices.AppPath, ec))
      status += QStringLiteral(" The directory does not exist yet: Finish needs an existing one.");
    else
      status += StopsPartWay();
    if (replaced && stop_ < 0)
      status += QStringLiteral(
                    " %1 of them would replace a file that exists; each is kept first "
                    "under its backup name.")
                    .arg(replaced);
  } catch (const std::exception& error) {
    status = QStringLiteral("Nothing would be written: %1").arg(QString::fromUtf8(error.what()));
  }
  ui_->StatusLabel->setText(status);

  const int scroll = ui_->FileText->verticalScrollBar()->value();
  QSignalBlocker blocker(ui_->FileList);
  ui_->FileList->clear();
  int select = files_.empty() ? -1 : 0;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const File& file = files_[i];
    const QString name = FromUtf8(BaseName(file.path));
    auto* item = new QTreeWidgetItem(ui_->FileList);
    item->setText(0, name);
    item->setText(1, QLocale().toString(static_cast<qulonglong>(file.bytes.size())));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    const int row = static_cast<int>(i);
    item->setText(2, stop_ >= 0 && row > stop_ ? QStringLiteral("not reached")
                     : row == stop_            ? QStringLiteral("cannot be written")
                     : file.exists
                         ? QStringLiteral("replaces; kept as %1")
                               .arg(FromUtf8(BaseName(platform::BackupFileName(file.path))))
                         : QStringLiteral("new"));
    if (file.exists) {
      QFont bold = item->font(2);
      bold.setBold(true);
      item->setFont(2, bold);
    }
    if (name == current) select = static_cast<int>(i);
  }
  if (select >= 0) ui_->FileList->setCurrentItem(ui_->FileList->topLevelItem(select));
  ShowFile(select);
  ui_->FileText->verticalScrollBar()->setValue(scroll);
}

// A run writes the files in order and stops at the first it cannot create;
// those before it stay on disk. Empty when every file can be written.
QString PreviewWindow::StopsPartWay() {
  for (std::size_t i = 0; i < files_.size(); ++i) {
    auto problem = platform::DiskCreateProblem(files_[i].path);
    if (!problem) continue;
    stop_ = static_cast<int>(i);
    QString text = QStringLiteral(" A run would stop at %1: %2.")
                       .arg(FromUtf8(BaseName(files_[i].path)), FromUtf8(*problem));
    if (i == 0) return text + QStringLiteral(" Nothing would be written.");
    QStringList left;
    for (std::size_t j = 0; j < i; ++j) {
      QString name = FromUtf8(BaseName(files_[j].path));
      if (files_[j].exists)
        name += QStringLiteral(" (replacing the one there, kept as %1)")
                    .arg(FromUtf8(BaseName(platform::BackupFileName(files_[j].path))));
      left << name;
    }
    return text + QStringLiteral(" Left on disk: %1.").arg(left.join(QStringLiteral(", ")));
  }
  return {};
}

QString PreviewWindow::FileText(int row) const {
  if (row < 0 || row >= static_cast<int>(files_.size())) return {};
  const File& file = files_[static_cast<std::size_t>(row)];
  auto decode = [this](const std::string& bytes) {
    // The Lazarus target's files are UTF-8 already.
    return utf8_ ? FromUtf8(bytes) : FromUtf8(platform::GeneratedTextForDisplay(bytes, codePage_));
  };
  if (Extension(file.path) != "DFM") return decode(file.bytes);
  // A binary form file: what it is, then its text form, written beside it by the same run.
  QString text =
      QStringLiteral("{ Binary form file: %1 bytes,\n  root object %2.\n  Its text form: }\n\n")
          .arg(QLocale().toString(static_cast<qulonglong>(file.bytes.size())),
               FromUtf8(BinaryFormRoot(file.bytes)));
  const std::string stem = file.path.substr(0, file.path.size() - 3);
  for (const File& other : files_)
    if (other.path == stem + "TXT" || other.path == stem + "txt") text += decode(other.bytes);
  return text;
}

void PreviewWindow::ShowFile(int row) {
  using Language = SourceHighlighter::Language;
  Language language = Language::None;
  if (row >= 0 && row < static_cast<int>(files_.size())) {
    const std::string ext = Extension(files_[static_cast<std::size_t>(row)].path);
    language = ext == "PAS" || ext == "DPR" || ext == "LPR"   ? Language::Pascal
               : ext == "TXT" || ext == "DFM" || ext == "LFM" ? Language::FormText
                                                              : Language::None;
  }
  highlighter_->SetLanguage(Language::None, palette());
  ui_->FileText->setPlainText(FileText(row));
  highlighter_->SetLanguage(language, palette());
}

bool PreviewWindow::SaveAnswers(const QString& path) {
  try {
    SaveAnswersFile(path.toStdString(), wizard_.choices(), true);
    return true;
  } catch (const std::exception& error) {
    boxes_.Show(this, QMessageBox::Critical, QStringLiteral("Error"),
                QString::fromUtf8(error.what()), QMessageBox::Ok);
    return false;
  }
}

bool PreviewWindow::LoadAnswers(const QString& path) {
  try {
    WizardSettings loaded = LoadAnswersFile(path.toStdString());
    // A file without a directory leaves the wizard's as it is.
    if (loaded.AppPath.empty()) loaded.AppPath = wizard_.choices().AppPath;
    wizard_.apply(loaded);
    Refresh();
    return true;
  } catch (const std::exception& error) {
    boxes_.Show(this, QMessageBox::Critical, QStringLiteral("Error"),
                QString::fromUtf8(error.what()), QMessageBox::Ok);
    return false;
  }
}

void PreviewWindow::SaveClick() {
  if (auto path = chooseFile_(this, true)) SaveAnswers(*path);
}

void PreviewWindow::LoadClick() {
  if (auto path = chooseFile_(this, false)) LoadAnswers(*path);
}

}  // namespace orvalen::wizard
