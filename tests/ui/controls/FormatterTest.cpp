// The two formatters, typed through a real text field: a refused text leaves the field as it was.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kit/TextField.h"
#include "ui/controls/NumberFieldFormatter.h"
#include "ui/controls/StringFormatter.h"

namespace {

struct TypedCase {
  const char* text;
  bool accepted;
};

// Types each text over a field holding "7"; a refused text must leave "7" in place.
void expectTyping(std::unique_ptr<kit::Formatter> formatter, const std::vector<TypedCase>& cases) {
  kit::TextField field(fnd::Rect(0, 0, 120, 22));
  field.setFormatter(std::move(formatter));
  for (const TypedCase& c : cases) {
    field.setStringValue("7");
    EXPECT_EQ(field.replaceText(c.text), c.accepted) << '"' << c.text << '"';
    EXPECT_EQ(field.stringValue(), c.accepted ? std::string(c.text) : std::string("7")) << '"' << c.text << '"';
  }
}

}  // namespace

TEST(Formatters, IntegerFormatterAllowsDigitsUpToItsLength) {
  expectTyping(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 4),
               {{"1234", true}, {"", true}, {"0", true}, {"12345", false}, {"1.5", false}, {"-1", false},
                {"12a", false}, {"\xEF\xBC\x91", false} /* full-width one */, {" 1", false}});
}

TEST(Formatters, FloatFormatterWithMinusAllowsOneLeadingSignAndOnePoint) {
  expectTyping(std::make_unique<Quirel_NumberFieldFormatter>(1, 1, 6),
               {{"-1.5", true}, {".", true}, {"-", true}, {"12.", true}, {"-.5", true}, {"1-5", false},
                {"1.2.3", false}, {"--", false}, {"-12.345", false} /* 7 long */, {"\xEF\xBC\x92.5", false}});
}

TEST(Formatters, FloatFormatterWithoutMinusRefusesTheSign) {
  expectTyping(std::make_unique<Quirel_NumberFieldFormatter>(1, 0, 5), {{"2.5", true}, {"-2.5", false}});
}

TEST(Formatters, StringFormatterMeasuresTheCompatibilityForm) {
  // U+FB03 (the "ffi" ligature) is one character, but its NFKC form is three letters.
  expectTyping(std::make_unique<Quirel_StringFormatter>(2),
               {{"ab", true}, {"", true}, {"abc", false}, {"\xEF\xAC\x83", false}, {"\xC3\xA9\xC3\xA9", true}});
  // Decomposed e + combining acute composes to one unit each: two letters fit.
  expectTyping(std::make_unique<Quirel_StringFormatter>(2), {{"e\xCC\x81" "e\xCC\x81", true}});
}

TEST(Formatters, ValuesAndTextsPassThrough) {
  Quirel_NumberFieldFormatter number(1, 1, 6);
  Quirel_StringFormatter string(10);
  for (const kit::Formatter* f : {static_cast<const kit::Formatter*>(&number), static_cast<const kit::Formatter*>(&string)}) {
    fnd::Value value;
    EXPECT_TRUE(f->getObjectValue(&value, "12.5", nullptr));
    EXPECT_EQ(value.toString(), "12.5");
    EXPECT_EQ(f->stringForObjectValue(fnd::Value("abc")), "abc");
    EXPECT_EQ(f->stringForObjectValue(fnd::Value(42)), "42");
    EXPECT_EQ(f->stringForObjectValue(fnd::Value(3.9)), "3");
  }
}
