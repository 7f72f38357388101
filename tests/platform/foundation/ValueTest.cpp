#include "foundation/Value.h"

#include <gtest/gtest.h>

namespace fnd {
namespace {

TEST(Value, KindsStayDistinct) {
  EXPECT_EQ(Value(true).kind(), Value::Kind::Bool);
  EXPECT_EQ(Value(1).kind(), Value::Kind::Integer);
  EXPECT_EQ(Value(1.0).kind(), Value::Kind::Real);
  EXPECT_NE(Value(1), Value(1.0));
  EXPECT_NE(Value(1), Value(true));
  EXPECT_EQ(Value(Rect(1, 2, 3, 4)).toRect(), Rect(1, 2, 3, 4));
}

TEST(Value, ReadsCoerceLikeThePlatform) {
  struct Case {
    Value value;
    long long integer;
    double real;
    bool boolean;
    std::string text;
  };
  const Case cases[] = {
      {Value(), 0, 0.0, false, ""},
      {Value(true), 1, 1.0, true, "1"},
      {Value(7), 7, 7.0, true, "7"},
      {Value(-2.9), -2, -2.9, true, "-2.9"},
      {Value(0.4), 0, 0.4, true, "0.4"},
      {Value("42abc"), 42, 42.0, true, "42abc"},
      {Value("  -3"), -3, -3.0, true, "  -3"},
      {Value("YES"), 0, 0.0, true, "YES"},
      {Value("no"), 0, 0.0, false, "no"},
      {Value(Data{1, 2}), 0, 0.0, false, ""},
      {Value(Array{Value(1)}), 0, 0.0, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.value.toInteger(), c.integer);
    EXPECT_DOUBLE_EQ(c.value.toReal(), c.real);
    EXPECT_EQ(c.value.toBool(), c.boolean);
    EXPECT_EQ(c.value.toString(), c.text);
  }
}

TEST(Value, WrongKindReadsGiveEmptyNeverCrash) {
  Value number(3);
  EXPECT_TRUE(number.toArray().empty());
  EXPECT_TRUE(number.toDictionary().empty());
  EXPECT_TRUE(number.toData().empty());
  EXPECT_TRUE(number["key"].isNull());
  EXPECT_TRUE(number[5].isNull());
  EXPECT_EQ(number.array(), nullptr);
  EXPECT_EQ(number.toObject<int>(), nullptr);
}

TEST(Value, DictionariesAndArraysAreDeepValues) {
  Dictionary inner{{"a", 1}, {"b", Array{Value("x"), Value(2.5)}}};
  Dictionary outer{{"inner", inner}};
  Value copy(outer);
  outer.slot("inner").dictionary()->set("a", 2);
  EXPECT_EQ(copy["inner"]["a"].toInteger(), 1);
  EXPECT_EQ(outer.dictionary("inner").integer("a"), 2);
  EXPECT_EQ(copy["inner"]["b"][1].toReal(), 2.5);
  EXPECT_TRUE(copy["missing"]["deeper"].isNull());
}

TEST(Value, ObjectHandleIsTyped) {
  auto answer = std::make_shared<int>(0);
  Value v = Value::object(answer);
  ASSERT_NE(v.toObject<int>(), nullptr);
  *v.toObject<int>() = 5;
  EXPECT_EQ(*answer, 5);
  EXPECT_EQ(v.toObject<long>(), nullptr);
  int raw = 0;
  EXPECT_EQ(Value::pointer(&raw).toPointer(), &raw);
}

}  // namespace
}  // namespace fnd
