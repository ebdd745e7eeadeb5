// The IDE stand-in's main window: the "New Items" gallery with the project
// wizards the loaded experts registered, and the project the last wizard
// opened (its folder and its program file). It answers the tool services.
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "hosts/expert/expert_api.h"
#include "hosts/expert_host/host_tool_services.h"
#include "platform/qt/message_box.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;

namespace orvalen::hosts {

class ExpertHostWindow : public QMainWindow, public IdeWindow {
  Q_OBJECT
 public:
  explicit ExpertHostWindow(platform::MessageBoxes& boxes, QWidget* parent = nullptr);
  ~ExpertHostWindow() override;

  // Lists the experts that belong on the "Projects" page; the pointers must
  // stay valid until ClearExperts.
  void ShowExperts(const std::vector<ota::TIExpert*>& experts);
  // Forgets the experts, before their module goes.
  void ClearExperts();

  QListWidget& Gallery() { return *gallery_; }
  QTreeWidget& ProjectFiles() { return *files_; }
  QPlainTextEdit& ProgramText() { return *program_; }
  // The open project's file, empty when none is open.
  const QString& ProjectFile() const { return projectFile_; }

  // IdeWindow
  bool CloseProject() override;
  bool OpenProject(const std::string& projectFileName) override;
  ota::HWND ParentHandle() override;
  void ShowError(const std::string& message) override;

 private:
  void BuildMenus();
  void Execute(QListWidgetItem* item);
  void SetIconMode(bool icons);
  void ShowProject(const QString& projectFile);
  void ShowNoProject();

  platform::MessageBoxes& boxes_;
  std::vector<ota::TIExpert*> experts_;  // by the items' index
  QListWidget* gallery_ = nullptr;
  QStackedWidget* projectPanel_ = nullptr;
  QLabel* projectPath_ = nullptr;
  QTreeWidget* files_ = nullptr;
  QPlainTextEdit* program_ = nullptr;
  QAction* closeAction_ = nullptr;
  QString projectFile_;
};

}  // namespace orvalen::hosts
