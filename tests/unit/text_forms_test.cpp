#include "report/text_forms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvel {
namespace {

TEST(TextForms, IntegerForms) {
  struct Case {
    std::int64_t n;
    const char* plain;
    const char* sign;
  } cases[] = {
      {0, "0", " 0"},
      {1, "1", " 1"},
      {-7, "-7", "-7"},
      {2147483647, "2147483647", " 2147483647"},
      {-2147483648LL, "-2147483648", "-2147483648"},
      {5000000000LL, "5000000000", " 5000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainDecimal(c.n), c.plain) << c.n;
    EXPECT_EQ(SignPosition(c.n), c.sign) << c.n;
  }
}

TEST(TextForms, SinglePrecisionForm) {
  struct Case {
    float value;
    const char* text;
  } cases[] = {
      {2.0f, " 2"},
      {256.0f, " 256"},
      {65536.0f, " 65536"},
      {9999999.0f, " 9999999"},
      {10000000.0f, " 1E+07"},
      {static_cast<float>(std::pow(2.0, 24)), " 1.677722E+07"},
      {static_cast<float>(std::pow(2.0, 32)), " 4.294967E+09"},
      {0.5f, " .5"},
      {-0.25f, "-.25"},
      {-3.0f, "-3"},
      {1234567.0f, " 1234567"},
      {12345678.0f, " 1.234568E+07"},
  };
  for (const Case& c : cases) EXPECT_EQ(SignPositionSingle(c.value), c.text) << c.value;
}

TEST(TextForms, MegabyteFormRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MegabyteForm(2047.6), " 2048");
  EXPECT_EQ(MegabyteForm(1536.0), " 1536");
  EXPECT_EQ(MegabyteForm(2.5), " 3");
  EXPECT_EQ(MegabyteForm(0.4), " 0");
  EXPECT_EQ(MegabyteForm(3221225472.0 / 1048576), " 3072");
  EXPECT_EQ(MegabyteForm(4398046511104.0 / 1048576), " 4194304");
  // Figures no machine gives still have a defined form.
  EXPECT_EQ(MegabyteForm(std::nan("")), " 0");
  EXPECT_EQ(MegabyteForm(1e300), " 9200000000000000000");
}

TEST(TextForms, PadLabel) {
  EXPECT_EQ(PadLabel("PATH :", 25), "PATH :                   ");
  EXPECT_EQ(PadLabel("", 3), "   ");
  EXPECT_EQ(PadLabel("longer than width", 4), "longer than width");
}

TEST(TextForms, EscapeHtml) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {"C:\\Program Files\\TORVEL", "C:\\Program Files\\TORVEL"},
      {"a<b>&c", "a&lt;b&gt;&amp;c"},
      {"&amp;", "&amp;amp;"},
      {"\"quoted\" 'x'", "\"quoted\" 'x'"},
      {"caf\xe9", "caf\xe9"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeHtml(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace torvel
