// Type information: property tables in order, kinds and type data, defaults and stored flags,
// the generic accessors, and the class registry.
#include <gtest/gtest.h>

#include <memory>

#include "TestClasses.h"

namespace {

std::vector<String> PropNames(const TClassInfo& info) {
  std::vector<String> names;
  for (const TPropInfo* p : info.Properties()) names.push_back(p->Name);
  return names;
}

}  // namespace

TEST(PropertyTable, BaseFirstInDeclarationOrderAndRepublishedKeepPlace) {
  EXPECT_EQ(PropNames(TTestBase::StaticClassInfo()),
            (std::vector<String>{"Name", "Tag", "Left", "Align", "Color", "Caption", "Font", "OnClick"}));
  EXPECT_EQ(PropNames(TTestDerived::StaticClassInfo()),
            (std::vector<String>{"Name", "Tag", "Left", "Align", "Color", "Caption", "Font", "OnClick", "Ratio",
                                 "Precise", "Wide", "Letter", "Styles", "Raised", "Depth", "Small", "Link", "Count",
                                 "OnQuery"}));
  EXPECT_EQ(GetPropCount(TTestDerived::StaticClassInfo()), 19);
}

TEST(PropertyTable, DescendantChangesDefaultWithoutTouchingBase) {
  const TPropInfo* baseColor = GetPropInfo(TTestBase::StaticClassInfo(), "Color");
  const TPropInfo* derivedColor = GetPropInfo(TTestDerived::StaticClassInfo(), "Color");
  ASSERT_TRUE(baseColor && derivedColor);
  EXPECT_EQ(baseColor->Default, tcSilver);
  EXPECT_EQ(derivedColor->Default, tcWhite);
  EXPECT_EQ(derivedColor->PropType, &TestColorType());
  EXPECT_EQ(GetPropInfo(TTestBase::StaticClassInfo(), "Align")->Default, taNone);
  EXPECT_EQ(GetPropInfo(TTestDerived::StaticClassInfo(), "Align")->Default, taClient);
}

TEST(PropertyTable, GetPropInfosClearsAndFillsTheArray) {
  const TClassInfo& info = TTestDerived::StaticClassInfo();
  std::vector<const TPropInfo*> list(info.PropCount(), reinterpret_cast<const TPropInfo*>(1));
  EXPECT_EQ(GetPropInfos(info, list.data()), 19);
  EXPECT_EQ(list.front()->Name, "Name");
  EXPECT_EQ(list.back()->Name, "OnQuery");
}

TEST(PropertyTable, LookupIgnoresAsciiCase) {
  TTestDerived d(nullptr);
  ASSERT_NE(GetPropInfo(&d, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(&d, "caption")->Name, "Caption");
  EXPECT_EQ(GetPropInfo(&d, "NoSuchThing"), nullptr);
  EXPECT_EQ(GetPropInfo(static_cast<TObject*>(nullptr), "Caption"), nullptr);
}

TEST(PropertyKinds, DeducedFromTheCppType) {
  const TClassInfo& info = TTestDerived::StaticClassInfo();
  auto kind = [&](const char* name) { return static_cast<int>(GetPropInfo(info, name)->Kind()); };
  EXPECT_EQ(kind("Left"), 1);
  EXPECT_EQ(kind("Small"), 1);
  EXPECT_EQ(kind("Letter"), 2);
  EXPECT_EQ(kind("Align"), 3);
  EXPECT_EQ(kind("Raised"), 3);
  EXPECT_EQ(kind("Ratio"), 4);
  EXPECT_EQ(kind("Precise"), 4);
  EXPECT_EQ(kind("Styles"), 6);
  EXPECT_EQ(kind("Font"), 7);
  EXPECT_EQ(kind("Link"), 7);
  EXPECT_EQ(kind("OnClick"), 8);
  EXPECT_EQ(kind("OnQuery"), 8);
  EXPECT_EQ(kind("Caption"), 10);
  EXPECT_EQ(kind("Wide"), 11);
  EXPECT_EQ(kind("Name"), 10);
}

TEST(PropertyKinds, TypeDataCarriesNamesElementTypeAndClass) {
  const TClassInfo& info = TTestDerived::StaticClassInfo();
  const TTypeInfo& align = *GetPropInfo(info, "Align")->PropType;
  EXPECT_EQ(align.Name, "TTestAlign");
  EXPECT_EQ(align.EnumNames, (std::vector<String>{"taNone", "taTop", "taBottom", "taClient"}));
  const TTypeInfo& styles = *GetPropInfo(info, "Styles")->PropType;
  ASSERT_NE(styles.ElementType, nullptr);
  EXPECT_EQ(styles.ElementType->Name, "TTestStyle");
  EXPECT_EQ(GetPropInfo(info, "Font")->PropType->ClassType, &TTestFont::StaticClassInfo());
  EXPECT_EQ(GetPropInfo(info, "Font")->PropType->Name, "TTestFont");
  EXPECT_TRUE(GetPropInfo(info, "Link")->PropType->ClassType->InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_FALSE(GetPropInfo(info, "Font")->PropType->ClassType->InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_EQ(GetPropInfo(info, "Precise")->PropType->FloatType, ftExtended);
  EXPECT_EQ(GetPropInfo(info, "Ratio")->PropType->FloatType, ftDouble);
  EXPECT_EQ(GetPropInfo(info, "Raised")->PropType->Name, "Boolean");
}

TEST(PropertyKinds, EnumNamesAndValues) {
  const TTypeInfo& align = TypeInfoOf(TypeTag<TTestAlign>{});
  EXPECT_EQ(GetEnumName(align, taClient), "taClient");
  EXPECT_EQ(GetEnumName(align, 4), "");
  EXPECT_EQ(GetEnumName(align, -1), "");
  EXPECT_EQ(GetEnumValue(align, "taclient"), taClient);
  EXPECT_EQ(GetEnumValue(align, "TACLIENT"), taClient);
  EXPECT_EQ(GetEnumValue(align, "client"), -1);
  const TTypeInfo& boolean = TypeInfoOf(TypeTag<bool>{});
  EXPECT_EQ(GetEnumName(boolean, 1), "True");
  EXPECT_EQ(GetEnumValue(boolean, "false"), 0);
}

TEST(PropertyKinds, IntegerValueNames) {
  String name;
  std::int64_t value = 0;
  EXPECT_TRUE(IntToIdent(TestColorType(), tcWhite, name));
  EXPECT_EQ(name, "tcWhite");
  EXPECT_FALSE(IntToIdent(TestColorType(), 0x123456, name));
  EXPECT_TRUE(IdentToInt(TestColorType(), "TCSILVER", value));
  EXPECT_EQ(value, tcSilver);
  EXPECT_FALSE(IdentToInt(TestColorType(), "tcPurple", value));
}

TEST(PropertyAccess, OrdinalFloatStringWideAndObject) {
  TTestDerived d(nullptr);
  SetOrdProp(&d, "Left", -120);
  EXPECT_EQ(d.Left(), -120);
  EXPECT_EQ(GetOrdProp(&d, "Left"), -120);
  SetOrdProp(&d, "Align", taBottom);
  EXPECT_EQ(d.Align(), taBottom);
  SetOrdProp(&d, "Letter", static_cast<unsigned char>('\xE9'));
  EXPECT_EQ(d.Letter(), '\xE9');
  EXPECT_EQ(GetOrdProp(&d, "Letter"), 0xE9);
  SetOrdProp(&d, "Styles", (TTestStyles{tsBold, tsUnderline}).Bits());
  EXPECT_TRUE(d.Styles().Contains(tsUnderline));
  EXPECT_FALSE(d.Styles().Contains(tsItalic));
  EXPECT_EQ(GetOrdProp(&d, "Styles"), 0b101);
  SetOrdProp(&d, "Raised", 1);
  EXPECT_TRUE(d.Raised());

  const TPropInfo* precise = GetPropInfo(&d, "Precise");
  const long double third = 1.0L / 3.0L;
  SetFloatProp(&d, precise, third);
  EXPECT_EQ(GetFloatProp(&d, precise), third);  // the extended value survives unrounded

  SetStrProp(&d, "Caption", "Balloon");
  EXPECT_EQ(d.Caption(), "Balloon");
  const TPropInfo* wide = GetPropInfo(&d, "Wide");
  SetWideStrProp(&d, wide, L"line");
  EXPECT_EQ(d.Wide(), L"line");
  EXPECT_EQ(GetStrProp(&d, wide), "line");  // wide text read as 8-bit text

  TTestFont font;
  font.SetSize(14);
  SetObjectProp(&d, GetPropInfo(&d, "Font"), &font);
  EXPECT_EQ(d.Font()->Size(), 14);
  EXPECT_EQ(GetObjectProp(&d, GetPropInfo(&d, "Font")), d.Font());
}

TEST(PropertyAccess, OutOfRangeOrdinalsAreRefusedAndChangeNothing) {
  TTestDerived d(nullptr);
  d.SetAlign(taTop);
  EXPECT_THROW(SetOrdProp(&d, "Align", -1), EPropertyConvertError);
  EXPECT_THROW(SetOrdProp(&d, "Align", 4), EPropertyConvertError);
  EXPECT_EQ(d.Align(), taTop);
  EXPECT_THROW(SetOrdProp(&d, "Styles", 1 << 4), EPropertyConvertError);
  EXPECT_THROW(SetOrdProp(&d, "Small", 40000), EPropertyConvertError);
  EXPECT_THROW(SetOrdProp(&d, "Raised", 2), EPropertyConvertError);
  EXPECT_THROW(SetOrdProp(&d, "Left", std::int64_t{1} << 40), EPropertyConvertError);
}

TEST(PropertyAccess, WrongKindWrongClassReadOnlyAndUnknownNamesRaise) {
  TTestDerived d(nullptr);
  TTestBase b(nullptr);
  EXPECT_THROW(GetFloatProp(&d, GetPropInfo(&d, "Left")), EPropertyError);
  EXPECT_THROW(SetStrProp(&d, GetPropInfo(&d, "Left"), "1"), EPropertyError);
  // A property record of the derived class used on an object of the base class.
  EXPECT_THROW(GetOrdProp(&b, GetPropInfo(&d, "Small")), EPropertyError);
  EXPECT_THROW(SetOrdProp(&d, "Count", 1), EPropertyError);
  EXPECT_EQ(GetOrdProp(&d, "Count"), 42);
  EXPECT_FALSE(GetPropInfo(&d, "Count")->Writable());
  EXPECT_THROW(GetOrdProp(&d, "Missing"), EPropertyError);
  // An object of the wrong class for a class-kind property.
  TTestFont font;
  EXPECT_THROW(SetObjectProp(&d, GetPropInfo(&d, "Link"), &font), EPropertyError);
  EXPECT_EQ(d.Link(), nullptr);
}

TEST(PropertyAccess, StoredFlagAndPredicate) {
  TTestDerived d(nullptr);
  const TPropInfo* depth = GetPropInfo(&d, "Depth");
  EXPECT_FALSE(depth->IsStored(&d));
  d.SetRaised(true);
  EXPECT_TRUE(depth->IsStored(&d));
  EXPECT_FALSE(GetPropInfo(&d, "Name")->IsStored(&d));
  EXPECT_TRUE(GetPropInfo(&d, "Caption")->IsStored(&d));
  EXPECT_FALSE(GetPropInfo(&d, "Left")->Default.has_value());
}

TEST(ClassInfo, NamesParentsAndInstances) {
  TTestDerived d(nullptr);
  EXPECT_EQ(d.ClassName(), "TTestDerived");
  EXPECT_EQ(d.ClassInfo().Parent(), &TTestBase::StaticClassInfo());
  EXPECT_TRUE(d.InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_TRUE(d.InheritsFrom(TObject::StaticClassInfo()));
  EXPECT_FALSE(d.InheritsFrom(TTestFont::StaticClassInfo()));
  const TObject& asObject = d;
  EXPECT_EQ(&asObject.ClassInfo(), &TTestDerived::StaticClassInfo());
  EXPECT_FALSE(TPersistent::StaticClassInfo().CanCreate());
  EXPECT_FALSE(TTestFont::StaticClassInfo().CanCreate());
  EXPECT_TRUE(TTestDerived::StaticClassInfo().CanCreate());
}

TEST(ClassRegistry, FindsRegisteredClassesByNameAndCreatesThem) {
  RegisterClasses({&TTestBase::StaticClassInfo(), &TTestDerived::StaticClassInfo()});
  RegisterClass(TTestDerived::StaticClassInfo());  // again: no effect
  EXPECT_EQ(GetClass("ttestderived"), &TTestDerived::StaticClassInfo());
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  try {
    FindClass("TNoSuchClass");
    FAIL() << "no exception";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "クラス TNoSuchClass が見つかりません");
  }
  TComponent owner(nullptr);
  TComponent* created = FindClass("TTestDerived").Create(&owner);
  EXPECT_EQ(created->ClassName(), "TTestDerived");
  EXPECT_EQ(created->Owner(), &owner);
  EXPECT_EQ(static_cast<TTestDerived*>(created)->Color(), tcWhite);
  EXPECT_THROW(TTestFont::StaticClassInfo().Create(&owner), EInvalidOperation);
  UnRegisterClass(TTestBase::StaticClassInfo());
  EXPECT_EQ(GetClass("TTestBase"), nullptr);
}

TEST(ClassRegistry, AnotherClassUnderATakenNameIsRefused) {
  RegisterClass(TTestDerived::StaticClassInfo());
  TClassInfo impostor("TTestDerived", &TComponent::StaticClassInfo(), nullptr, nullptr);
  EXPECT_THROW(RegisterClass(impostor), EFilerError);
  EXPECT_EQ(GetClass("TTestDerived"), &TTestDerived::StaticClassInfo());
}

namespace {

// A class declared inside a namespace publishes like any other.
class TNamespacedThing : public TPersistent {
  TAVELKO_CLASS(TNamespacedThing, TPersistent)
  static void Publish(TPublisher<TNamespacedThing>& p) { p.Prop("Size", &TNamespacedThing::size_); }

 public:
  int size_ = 0;
};

}  // namespace

TEST(PropertyTable, ClassesInsideNamespacesPublishTheirProperties) {
  TNamespacedThing thing;
  ASSERT_EQ(thing.ClassInfo().PropCount(), 1);
  SetOrdProp(&thing, GetPropInfo(&thing, "Size"), 7);
  EXPECT_EQ(thing.size_, 7);
}
