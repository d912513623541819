// Type information: property tables, kinds, defaults, accessors.
#include <gtest/gtest.h>

#include "framework/core/Component.h"

TEST(TypeInfoSmoke, ComponentPublishesNameAndTag) {
  const auto& props = TComponent::StaticClassInfo().Properties();
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[0]->Name, "Name");
}
