#include "graphics/IColor.h"

#include <gtest/gtest.h>

TEST(IColor, DefaultIsOpaqueBlack)
{
  EXPECT_EQ(plugin::ui::IColor(), (plugin::ui::IColor{255, 0, 0, 0}));
}
