// The fields layoutc generates for a form: one per named component, bound by that name; a name
// used twice is a fault of the layout, reported with its line.
#include <gtest/gtest.h>

#include <utility>

#include "framework/core/Stream.h"
#include "tests/support/Raised.h"
#include "tools/layoutc/FormFields.h"

namespace {

std::string FieldsOf(const std::string& layout) {
  TMemoryStream stream;
  TLayoutCompiler compiler("", [](const String&, TMemoryStream&) {});
  compiler.Compile(layout, stream);
  return FormFieldsHeader(compiler.Objects(), "Sample.layout");
}

TEST(FormFields, EveryNamedComponentGetsAFieldBoundByItsName) {
  const std::string header = FieldsOf(
      "object SampleForm: TSampleForm\n"
      "  object Panel1: TPanel\n"
      "    object Edit1: TEdit\n    end\n"
      "  end\n"
      "  object Shape1: TShape\n  end\n"
      "end\n");
  for (const char* expected :
       {"class TEdit;\nclass TPanel;\nclass TShape;\n\nstruct TSampleFormFields {\n",
        "  TPanel* Panel1 = nullptr;\n  TEdit* Edit1 = nullptr;\n  TShape* Shape1 = nullptr;\n",
        "    f.Field(\"Panel1\", &Form::Panel1);\n    f.Field(\"Edit1\", &Form::Edit1);\n"
        "    f.Field(\"Shape1\", &Form::Shape1);\n"})
    EXPECT_NE(header.find(expected), std::string::npos) << expected << "\nnot in\n" << header;
  EXPECT_EQ(header.find("SampleForm\","), std::string::npos) << "the form itself is no field";
}

TEST(FormFields, ANameUsedTwiceOrTheFormsOwnIsRefusedWithItsLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"object F: TF\n  object A: TPanel\n  end\n  object A: TEdit\n  end\nend\n", "line 4: the name A is used twice"},
      {"object F: TF\n  object B: TPanel\n    object F: TEdit\n    end\n  end\nend\n", "line 3: the name F is used twice"}};
  for (const auto& [layout, message] : cases)
    EXPECT_EQ(test_support::MessageRaised<ELayoutError>([&] { FieldsOf(layout); }, "accepted"), message) << layout;
}

}  // namespace
