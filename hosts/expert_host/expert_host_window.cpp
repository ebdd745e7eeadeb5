#include "hosts/expert_host/expert_host_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "hosts/expert_host/expert_library.h"
#include "platform/codepage.h"
#include "platform/qt/application_title.h"
#include "platform/qt/bitmap_colours.h"

namespace orvalen::hosts {

namespace {

constexpr const char* kProjectsPage = "Projects";
constexpr int kExpertIndexRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kCommentRole = Qt::UserRole + 2;

// A glyph bitmap is drawn as the IDE draws them: the colour of its
// bottom-left pixel is transparent. An image with an alpha channel is left as it is.
QIcon GlyphIcon(const std::vector<std::uint8_t>& glyph, const QStyle& style) {
  QImage picture;
  if (glyph.empty() || !picture.loadFromData(glyph.data(), static_cast<int>(glyph.size())))
    return style.standardIcon(QStyle::SP_FileIcon);
  if (!picture.hasAlphaChannel()) picture = platform::CornerColourTransparent(picture);
  return QIcon(QPixmap::fromImage(picture));
}

// The generated sources are 8-bit text with CR LF line ends. The tool services
// hand over only the project's file name, not the settings it was made with,
// so it is read in the system's ANSI code page, as the IDE reads every file.
QString DecodeSource(const QByteArray& bytes) {
  return QString::fromStdString(platform::GeneratedTextForDisplay(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
      platform::AnsiCodePage()));
}

QString SizeText(qint64 bytes) {
  return bytes < 1024 ? QStringLiteral("%1 bytes").arg(bytes)
                      : QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
}

}  // namespace

ExpertHostWindow::ExpertHostWindow(platform::MessageBoxes& boxes, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes) {
  gallery_ = new QListWidget;
  gallery_->setObjectName("Gallery");
  gallery_->setMovement(QListView::Static);
  gallery_->setResizeMode(QListView::Adjust);
  gallery_->setIconSize(QSize(32, 32));
  connect(gallery_, &QListWidget::itemActivated, this, &ExpertHostWindow::Execute);

  auto* pages = new QTabWidget;
  pages->addTab(gallery_, tr(kProjectsPage));
  auto* newItems = new QGroupBox(tr("New Items"));
  auto* newItemsLayout = new QVBoxLayout(newItems);
  newItemsLayout->addWidget(pages);

  auto* none = new QLabel(tr("No project is open."));
  none->setAlignment(Qt::AlignCenter);
  none->setEnabled(false);
  projectPath_ = new QLabel;
  projectPath_->setObjectName("ProjectPath");
  projectPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  files_ = new QTreeWidget;
  files_->setObjectName("ProjectFiles");
  files_->setHeaderLabels({tr("Name"), tr("Size")});
  files_->setRootIsDecorated(false);
  files_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  files_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  files_->header()->setStretchLastSection(false);
  program_ = new QPlainTextEdit;
  program_->setObjectName("ProgramText");
  program_->setReadOnly(true);
  program_->setLineWrapMode(QPlainTextEdit::NoWrap);
  program_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* split = new QSplitter(Qt::Horizontal);
  split->addWidget(files_);
  split->addWidget(program_);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  auto* open = new QWidget;
  auto* openLayout = new QVBoxLayout(open);
  openLayout->setContentsMargins(0, 0, 0, 0);
  openLayout->addWidget(projectPath_);
  openLayout->addWidget(split, 1);
  projectPanel_ = new QStackedWidget;
  projectPanel_->addWidget(none);
  projectPanel_->addWidget(open);
  auto* project = new QGroupBox(tr("Project"));
  auto* projectLayout = new QVBoxLayout(project);
  projectLayout->addWidget(projectPanel_);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(newItems, 2);
  layout->addWidget(project, 3);
  setCentralWidget(central);

  BuildMenus();
  SetIconMode(true);
  ShowNoProject();
  statusBar()->showMessage(tr("Double-click a wizard, or press Enter, to run it."));
  resize(640, 520);
  // Enter runs the selected wizard as soon as the window opens.
  gallery_->setFocus();
}

ExpertHostWindow::~ExpertHostWindow() = default;

void ExpertHostWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  closeAction_ = file->addAction(tr("&Close Project"), this, [this] { CloseProject(); });
  file->addSeparator();
  QAction* exit = file->addAction(tr("E&xit"), this, &QWidget::close);
  exit->setShortcut(QKeySequence::Quit);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  auto* modes = new QActionGroup(this);
  QAction* icons = view->addAction(tr("Large &Icons"), this, [this] { SetIconMode(true); });
  QAction* list = view->addAction(tr("&List"), this, [this] { SetIconMode(false); });
  icons->setObjectName("IconMode");
  list->setObjectName("ListMode");
  for (QAction* mode : {icons, list}) {
    mode->setCheckable(true);
    modes->addAction(mode);
  }
  icons->setChecked(true);
}

void ExpertHostWindow::ShowExperts(const std::vector<ota::TIExpert*>& experts) {
  ClearExperts();
  experts_ = experts;
  for (std::size_t i = 0; i < experts_.size(); ++i) {
    const ExpertDescription about = Describe(*experts_[i]);
    if (about.page != kProjectsPage) continue;
    auto* item = new QListWidgetItem(GlyphIcon(about.glyph, *style()), QString());
    item->setData(kExpertIndexRole, static_cast<int>(i));
    item->setData(kNameRole, QString::fromStdString(about.name));
    item->setData(kCommentRole, QString::fromStdString(about.comment));
    item->setToolTip(QString::fromStdString(about.comment));
    if (!(about.state & ota::esEnabled)) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    gallery_->addItem(item);
  }
  SetIconMode(gallery_->viewMode() == QListView::IconMode);
  if (gallery_->count() > 0) gallery_->setCurrentRow(0);
}

void ExpertHostWindow::ClearExperts() {
  gallery_->clear();
  experts_.clear();
}

void ExpertHostWindow::SetIconMode(bool icons) {
  gallery_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
  gallery_->setWordWrap(icons);
  gallery_->setGridSize(icons ? QSize(120, 84) : QSize());
  gallery_->setSpacing(icons ? 0 : 4);
  for (int row = 0; row < gallery_->count(); ++row) {
    QListWidgetItem* item = gallery_->item(row);
    const QString name = item->data(kNameRole).toString();
    const QString comment = item->data(kCommentRole).toString();
    item->setText(icons || comment.isEmpty() ? name : name + '\n' + comment);
    item->setTextAlignment(icons ? Qt::AlignHCenter | Qt::AlignTop
                                 : Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void ExpertHostWindow::Execute(QListWidgetItem* item) {
  if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
  const auto index = static_cast<std::size_t>(item->data(kExpertIndexRole).toInt());
  if (index < experts_.size()) experts_[index]->Execute();
}

bool ExpertHostWindow::CloseProject() {
  if (projectFile_.isEmpty()) return true;
  const auto answer =
      boxes_.Show(this, QMessageBox::Question, platform::ApplicationTitle(),
                  tr("Close the current project?"), QMessageBox::Yes | QMessageBox::Cancel);
  if (answer != QMessageBox::Yes) return false;
  ShowNoProject();
  return true;
}

bool ExpertHostWindow::OpenProject(const std::string& projectFileName) {
  const QString path = QString::fromStdString(projectFileName);
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
  program_->setPlainText(DecodeSource(file.readAll()));
  ShowProject(QFileInfo(path).absoluteFilePath());
  return true;
}

void ExpertHostWindow::ShowProject(const QString& projectFile) {
  projectFile_ = projectFile;
  const QFileInfo project(projectFile);
  projectPath_->setText(QDir::toNativeSeparators(projectFile));
  files_->clear();
  const QFileInfoList entries = project.absoluteDir().entryInfoList(
      QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsFirst);
  for (const QFileInfo& entry : entries) {
    auto* row = new QTreeWidgetItem(
        files_, {entry.fileName(), entry.isDir() ? QString() : SizeText(entry.size())});
    row->setIcon(0,
                 style()->standardIcon(entry.isDir() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    if (entry.fileName() == project.fileName()) files_->setCurrentItem(row);
  }
  projectPanel_->setCurrentIndex(1);
  closeAction_->setEnabled(true);
  setWindowTitle(project.fileName() + QStringLiteral(" \u2014 ") + platform::ApplicationTitle());
}

void ExpertHostWindow::ShowNoProject() {
  projectFile_.clear();
  files_->clear();
  program_->clear();
  projectPath_->clear();
  projectPanel_->setCurrentIndex(0);
  closeAction_->setEnabled(false);
  setWindowTitle(platform::ApplicationTitle());
}

ota::HWND ExpertHostWindow::ParentHandle() {
  return static_cast<ota::HWND>(winId());
}

void ExpertHostWindow::ShowError(const std::string& message) {
  boxes_.Show(this, QMessageBox::Critical, platform::ApplicationTitle(),
              QString::fromStdString(message), QMessageBox::Ok);
}

}  // namespace orvalen::hosts
