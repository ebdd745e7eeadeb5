// The Preview window beside the wizard: the files the current choices would
// produce, as the generator itself writes them into memory, with their sizes,
// which of them would replace a file on disk, and each file's text. It
// follows the wizard's choices as they change, and saves them as an answer
// file or loads one back into the wizard.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "generator/wizard_settings.h"
#include "platform/qt/message_box.h"

namespace Ui {
class TPreviewWindow;
}

namespace orvalen::wizard {

class SourceHighlighter;

class PreviewWindow : public QWidget {
  Q_OBJECT
 public:
  // How the window reaches the wizard: its choices as typed, and a way to put
  // loaded ones back.
  struct Wizard {
    std::function<WizardSettings()> choices;
    std::function<void(const WizardSettings&)> apply;
  };
  // Asks for an answer file's name to save (true) or to open (false); nothing when cancelled.
  using FileChooser = std::function<std::optional<QString>(QWidget*, bool save)>;

  PreviewWindow(QWidget* parent, Wizard wizard, platform::MessageBoxes& boxes);
  ~PreviewWindow() override;

  Ui::TPreviewWindow& Controls() { return *ui_; }
  void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  struct File {
    std::string path;
    std::string bytes;
    bool exists = false;  // on disk now: the run would replace it, keeping a backup
  };
  const std::vector<File>& Files() const { return files_; }
  // The number of runs so far; each change of the choices makes one.
  int Runs() const { return runs_; }
  // Runs the generator into memory now when the choices differ from the last run's.
  void Refresh();
  // The wizard's choices have changed: a run follows once they have held still
  // for a moment, so a burst of changes (typing a name) makes one run.
  void ChoicesChanged();
  // What the text pane shows for file `row`.
  QString FileText(int row) const;

  bool SaveAnswers(const QString& path);
  bool LoadAnswers(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Run(const WizardSettings& choices);
  QString StopsPartWay();
  void ShowFile(int row);
  void SaveClick();
  void LoadClick();

  std::unique_ptr<Ui::TPreviewWindow> ui_;
  Wizard wizard_;
  platform::MessageBoxes& boxes_;
  FileChooser chooseFile_;
  SourceHighlighter* highlighter_;
  QTimer settle_;
  std::optional<WizardSettings> shown_;
  std::vector<File> files_;
  int codePage_ = 1252;
  bool utf8_ = false;
  int runs_ = 0;
  int stop_ = -1;  // the file a run would stop at, or -1
};

}  // namespace orvalen::wizard
