#include "units/mdi_child_form.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "generator/wizard_settings.h"
#include "tests/units/form_test_support.h"
#include "units/form_conversion.h"

namespace orvalen {
namespace {

constexpr int kChildInterfaceSnippet = 49;

std::string ChildText() {
  return testing::WrittenText([](Emitter& e) { WriteMdiChildFormText(WizardSettings{}, e); });
}

TEST(MdiChildFormText, Golden) {
  testing::ExpectGolden("MDICHILD.TXT", ChildText());
}

// The form binds its components to fields and its events to methods of the
// child unit's class: each must be declared there, or the form cannot load.
TEST(MdiChildFormText, ComponentsAndHandlersAreDeclaredByTheChildUnit) {
  std::string text = ChildText();
  SnippetLibrary library;
  std::string unit(library.Snippet(kChildInterfaceSnippet));

  std::regex object(R"(\n\s+object (\w+): (\w+)\r)");
  int objects = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), object), end; it != end; ++it, ++objects)
    EXPECT_NE(unit.find("    " + (*it)[1].str() + ": " + (*it)[2].str() + ";\r\n"),
              std::string::npos)
        << (*it)[1];
  EXPECT_EQ(objects, 2);

  // Each handler with its event's parameters: a close query answers through CanClose.
  std::regex event(R"(\n\s+(On\w+) = (\w+)\r)");
  int events = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), event), end; it != end; ++it, ++events) {
    std::string params = (*it)[1] == "OnCloseQuery" ? "(Sender: TObject; var CanClose: Boolean)"
                                                    : "(Sender: TObject)";
    EXPECT_NE(unit.find("    procedure " + (*it)[2].str() + params + ";\r\n"), std::string::npos)
        << (*it)[2];
  }
  EXPECT_EQ(events, 4);
  EXPECT_NE(unit.find("  TMDIChildForm = class(TForm)\r\n"), std::string::npos);
}

TEST(MdiChildFormBinary, HeaderStreamStartAndEmptySet) {
  auto b = ObjectTextToResource(ChildText());
  std::string all(b.begin(), b.end());
  EXPECT_EQ(all.substr(0, 3), std::string("\xFF\x0A\x00", 3));
  EXPECT_EQ(all.substr(3, 14), std::string("TMDICHILDFORM\0", 14));
  EXPECT_EQ(all.substr(17, 2), "\x30\x10");
  std::uint32_t length = b[19] | b[20] << 8 | b[21] << 16 | static_cast<std::uint32_t>(b[22]) << 24;
  EXPECT_EQ(length, b.size() - 23);
  EXPECT_EQ(all.substr(23, 4 + 14 + 13), "TPF0\x0DTMDIChildForm\x0CMDIChildForm");
  EXPECT_NE(all.find(std::string("\x0A"
                                 "Font.Style\x0B\x00",
                                 13)),
            std::string::npos);
}

}  // namespace
}  // namespace orvalen
