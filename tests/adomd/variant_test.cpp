#include "adomd/variant.h"

#include <gtest/gtest.h>

#include "adomd/provider_error.h"

namespace {

using adomd::Variant;

TEST(Variant, ReadsAsTextIntegerAndBoolean) {
  EXPECT_EQ(Variant().ToText(), "");
  EXPECT_EQ(Variant::Null().ToText(), "");
  EXPECT_TRUE(Variant().IsBlank());
  EXPECT_TRUE(Variant::Null().IsBlank());
  EXPECT_EQ(Variant(int64_t{74748}).ToText(), "74748");
  EXPECT_EQ(Variant(0.1).ToText(), "0.1");
  EXPECT_EQ(Variant(true).ToText(), "True");
  EXPECT_EQ(Variant(" 12 ").ToInteger(), 12);
  EXPECT_EQ(Variant(2.6).ToInteger(), 3);
  EXPECT_EQ(Variant(true).ToInteger(), -1);
  EXPECT_DOUBLE_EQ(Variant("2.5").ToDouble(), 2.5);
  EXPECT_TRUE(Variant("True").ToBoolean());
  EXPECT_FALSE(Variant("false").ToBoolean());
  EXPECT_TRUE(Variant("1").ToBoolean());
  EXPECT_FALSE(Variant(int64_t{0}).ToBoolean());
}

TEST(Variant, RaisesForValuesWithoutTheReadingAsked) {
  EXPECT_THROW(Variant("abc").ToInteger(), adomd::ProviderError);
  EXPECT_THROW(Variant("12abc").ToInteger(), adomd::ProviderError);
  EXPECT_THROW(Variant().ToInteger(), adomd::ProviderError);
  EXPECT_THROW(Variant("maybe").ToBoolean(), adomd::ProviderError);
  EXPECT_THROW(Variant::Null().ToDouble(), adomd::ProviderError);
  EXPECT_THROW(Variant(1e300).ToInteger(), adomd::ProviderError);
}

}  // namespace
