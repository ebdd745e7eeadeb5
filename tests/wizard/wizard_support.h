// What the wizard's widget tests answer for the dialog: message boxes with
// scripted answers, a shell and an about box that only record, a directory
// chooser that returns what it is told, and a registry store of their own.
#pragma once

#include <QApplication>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

#include "platform/registry.h"
#include "tests/test_support.h"
#include "wizard/app_expert.h"

namespace orvalen::testing {

struct ScriptedBoxes : platform::MessageBoxes {
  struct Shown {
    QMessageBox::Icon icon;
    QString title, text;
    QMessageBox::StandardButtons buttons;
  };
  std::vector<Shown> shown;
  std::deque<QMessageBox::StandardButton> answers;  // then No, or Ok for a box without No
  QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons) override {
    shown.push_back({icon, title, text, buttons});
    if (!answers.empty()) {
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
  }
  QStringList Texts() const {
    QStringList texts;
    for (const auto& box : shown) texts << box.text;
    return texts;
  }
};

struct RecordingShell : platform::Shell {
  std::vector<std::string> opened;
  void Open(const std::string& target, int) override { opened.push_back(target); }
};

struct ScriptedChooser : wizard::DirectoryChooser {
  std::function<std::optional<QString>(const QString&)> answer;
  QString startedAt;
  std::optional<QString> Choose(QWidget*, const QString& start) override {
    startedAt = start;
    return answer ? answer(start) : std::nullopt;
  }
};

// The doubles and a registry store file in a temporary directory.
struct WizardWorld {
  TempDir dir;
  ScriptedBoxes boxes;
  RecordingShell shell;
  ScriptedChooser chooser;
  int aboutShown = 0;
  std::string storePath = dir.File("registry");

  wizard::WizardServices Services() {
    wizard::WizardServices s;
    s.messageBoxes = &boxes;
    s.shell = &shell;
    s.directoryChooser = &chooser;
    s.showAbout = [this](QWidget*) { ++aboutShown; };
    s.openRegistry = [path = storePath] {
      return std::make_unique<platform::Registry>(platform::CurrentUserStore(path));
    };
    s.settingsKey = "Software\\testorvalen";
    return s;
  }
  std::unique_ptr<platform::Registry> Registry() {
    return std::make_unique<platform::Registry>(platform::CurrentUserStore(storePath));
  }
  // Writes remembered values as a previous run would have left them.
  void Remember(const std::vector<std::pair<std::string, std::string>>& values,
                const std::string& subkey = "AppExpert") {
    auto reg = Registry();
    reg->OpenKey("\\Software\\testorvalen\\" + subkey, true);
    for (const auto& [name, value] : values) reg->WriteString(name, value);
    reg->CloseKey();
  }
};

// Runs `script` once a modal dialog of class T is up: the filter editor, or
// the wizard shown by a run. Gives up, failing the test, after five seconds.
template <typename T>
void WhenModal(std::function<void(T*)> script) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, script] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->deleteLater();
      timer->stop();
      script(modal);
    } else if (++*tries == 500) {
      timer->deleteLater();
      timer->stop();
      ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
    }
  });
  timer->start(10);
}

}  // namespace orvalen::testing
