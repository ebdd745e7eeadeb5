// The one table of document types in the wizard: the file-type editor's OK
// and Finish take or refuse each entry as the answer files and orvalen-gen do,
// with the same message.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <nlohmann/json.hpp>

#include "generator/answers.h"
#include "tests/generator/document_type_cases.h"
#include "tests/wizard/wizard_support.h"
#include "ui_filter_dlg.h"
#include "wizard/filter_dlg.h"

namespace orvalen::wizard {
namespace {

// The message the answer files give for the entry, or "" when they take it.
std::string AnswerFileMessage(const std::string& entry) {
  const std::string json =
      R"({"format": "orvalen-answers", "version": 1, "menus": {"file": true}, "fileTypes": [)" +
      nlohmann::json(entry).dump() + "]}";
  try {
    ReadAnswers(json, "a.json");
  } catch (const EAnswersError& e) {
    return std::string(e.what()).substr(std::string("a.json: fileTypes[0]: ").size());
  }
  return "";
}

std::string LastBox(const testing::ScriptedBoxes& boxes, std::size_t before) {
  return boxes.shown.size() > before ? boxes.shown.back().text.toStdString() : "";
}

TEST(DocumentTypes, TheEditorsOkAndFinishTakeOrRefuseEachEntryAsTheAnswerFilesDo) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  form.show();
  for (const auto& c : testing::DocumentTypeCases()) {
    const std::string expected = AnswerFileMessage(c.entry);
    ASSERT_EQ(expected.empty(), c.refusal.empty()) << c.entry;

    WizardSettings s = form.RawSettings();
    s.cbFileMenu = true;
    s.AppName = "Editor";
    s.AppPath = world.dir.Str();
    s.ExtListBox = {c.entry};
    form.ApplySettings(s);
    std::size_t before = world.boxes.shown.size();
    EXPECT_EQ(form.CheckAppInfo(), expected.empty()) << c.entry;
    EXPECT_EQ(LastBox(world.boxes, before), expected) << "Finish: " << c.entry;

    // The editor makes an entry of two edits of at most 255 characters each,
    // so it can only be asked for entries that split so at their last "|".
    const std::size_t bar = c.entry.rfind('|');
    if (bar == std::string::npos) continue;
    const QString description = QString::fromStdString(c.entry.substr(0, bar));
    const QString pattern = QString::fromStdString(c.entry.substr(bar + 1));
    if (description.size() > 255 || pattern.size() > 255) continue;
    TFilterDlg editor(nullptr, &world.boxes);
    editor.Controls().Description->setText(description);
    editor.Controls().Extension->setText(pattern);
    before = world.boxes.shown.size();
    editor.setResult(QDialog::Rejected);
    editor.accept();
    EXPECT_EQ(editor.result() == QDialog::Accepted, expected.empty()) << c.entry;
    EXPECT_EQ(LastBox(world.boxes, before), expected) << "the editor: " << c.entry;
  }
}

}  // namespace
}  // namespace orvalen::wizard
