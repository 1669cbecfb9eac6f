#include "adomd/recordset.h"

#include <gtest/gtest.h>

#include "adomd/provider_error.h"

namespace {

TEST(Recordset, WalksRowsWithTheCursor) {
  adomd::Recordset rows({"Store", "Unit Sales"},
                        {{"Seattle", int64_t{12}}, {"Tacoma", adomd::Variant::Null()}});
  EXPECT_EQ(rows.RecordCount(), 2);
  rows.MoveFirst();
  EXPECT_FALSE(rows.Bof());
  EXPECT_FALSE(rows.Eof());
  auto fields = rows.GetFields();
  ASSERT_EQ(fields->Count(), 2);
  EXPECT_EQ(fields->Item(0)->Name(), "Store");
  EXPECT_EQ(fields->Item(0)->Value().ToText(), "Seattle");
  rows.Move(1);
  EXPECT_EQ(rows.GetFields()->Item(1)->Value().ToText(), "");
  rows.Move(1);
  EXPECT_TRUE(rows.Eof());
  EXPECT_THROW(rows.GetFields(), adomd::ProviderError);
  rows.Move(-5);
  EXPECT_TRUE(rows.Bof());
}

TEST(Recordset, EmptyIsBothBofAndEof) {
  adomd::Recordset rows({"A"}, {});
  EXPECT_TRUE(rows.Bof());
  EXPECT_TRUE(rows.Eof());
  EXPECT_THROW(adomd::Recordset({"A", "B"}, {{int64_t{1}}}), adomd::ProviderError);
}

}  // namespace
