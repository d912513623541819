// FormFieldsHeader: the fields struct a form derives from.
#include "tools/layoutc/FormFields.h"

#include <set>

std::string FormFieldsHeader(const std::vector<TLayoutCompiler::TObject>& objects, const std::string& layoutName) {
  if (objects.empty()) throw ELayoutError(1, "no object to make fields for");
  const TLayoutCompiler::TObject& root = objects.front();
  const std::vector<TLayoutCompiler::TObject> components(objects.begin() + 1, objects.end());

  std::set<std::string> names{root.name};
  std::set<std::string> classes;
  for (const TLayoutCompiler::TObject& component : components) {
    if (!names.insert(component.name).second)
      throw ELayoutError(component.line, "the name " + component.name + " is used twice");
    classes.insert(component.className);
  }

  std::string header = "// Made by layoutc from " + layoutName +
                       ": a field for each component the layout names, and\n"
                       "// their binding. Not to be edited: change the layout.\n"
                       "#pragma once\n\n#include \"framework/windows/Forms.h\"\n\n";
  for (const std::string& className : classes) header += "class " + className + ";\n";
  header += "\nstruct " + root.className + "Fields {\n";
  for (const TLayoutCompiler::TObject& component : components)
    header += "  " + component.className + "* " + component.name + " = nullptr;\n";
  header += "\n  template <class Form>\n  static void PublishFields(TFieldPublisher<Form>& f) {\n";
  for (const TLayoutCompiler::TObject& component : components)
    header += "    f.Field(\"" + component.name + "\", &Form::" + component.name + ");\n";
  header += "  }\n};\n";
  return header;
}
