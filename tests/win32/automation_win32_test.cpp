// The automation service against the system's own automation classes under Wine.
#include "platform/win32/automation_win32.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include "platform/failure.h"
#include "platform/win32/com_helpers.h"

namespace torvel {
namespace {

constexpr char kDictionary[] = "Scripting.Dictionary";

class AutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
  Win32Automation automation;
};

TEST_F(AutomationTest, CallsGetsAndPutsByName) {
  AutomationRef dictionary = automation.Create(kDictionary);
  ASSERT_TRUE(dictionary);
  dictionary->Put("CompareMode", std::int32_t{1});  // text: keys ignore case
  dictionary->Call("Add", {std::string("Key"), std::string("first value")});
  dictionary->Call("Add", {std::string("number"), std::int32_t{-42}});
  dictionary->Call("Add", {std::string("fraction"), 2.5});
  dictionary->Call("Add", {std::string("flag"), true});

  EXPECT_EQ(dictionary->Get("Count"), AutoValue(std::int32_t{4}));
  EXPECT_EQ(dictionary->Call("Item", {std::string("KEY")}), AutoValue(std::string("first value")));
  EXPECT_EQ(dictionary->Call("Item", {std::string("number")}), AutoValue(std::int32_t{-42}));
  EXPECT_EQ(dictionary->Call("Item", {std::string("fraction")}), AutoValue(2.5));
  EXPECT_EQ(dictionary->Call("Item", {std::string("flag")}), AutoValue(true));
  EXPECT_EQ(dictionary->Call("Exists", {std::string("missing")}), AutoValue(false));
}

TEST_F(AutomationTest, ObjectsGoInAndComeOut) {
  AutomationRef outer = automation.Create(kDictionary);
  AutomationRef inner = automation.Create(kDictionary);
  inner->Call("Add", {std::string("a"), std::int32_t{1}});
  outer->Call("Add", {std::string("inner"), inner});
  inner.reset();  // the outer dictionary keeps it alive

  AutoValue item = outer->Call("Item", {std::string("inner")});
  ASSERT_TRUE(std::holds_alternative<AutomationRef>(item));
  EXPECT_EQ(std::get<AutomationRef>(item)->Get("Count"), AutoValue(std::int32_t{1}));
}

TEST_F(AutomationTest, FailuresCarryTheHresultAndAText) {
  struct Case {
    const char* name;
    std::function<void()> action;
    long hresult;  // 0: any failure code
  } cases[] = {
      {"unknown class", [&] { automation.Create("Torvel.NoSuchClass"); },
       static_cast<std::int32_t>(CO_E_CLASSSTRING)},
      {"unknown member", [&] { automation.Create(kDictionary)->Get("NoSuchMember"); },
       static_cast<std::int32_t>(DISP_E_UNKNOWNNAME)},
      {"server error",
       [&] {
         AutomationRef d = automation.Create(kDictionary);
         d->Call("Add", {std::string("twice"), std::int32_t{1}});
         d->Call("Add", {std::string("twice"), std::int32_t{2}});
       },
       0},
  };
  for (const Case& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const Failure& failure) {
      if (c.hresult) {
        EXPECT_EQ(failure.number(), c.hresult) << c.name;
      }
      EXPECT_LT(failure.number(), 0) << c.name;
      EXPECT_FALSE(failure.description().empty()) << c.name;
      EXPECT_EQ(failure.description().find('\n'), std::string::npos) << c.name;
    }
  }
}

TEST_F(AutomationTest, NothingRunningIsNull) {
  EXPECT_EQ(automation.FindRunning(kDictionary), nullptr);
  EXPECT_EQ(automation.FindRunning("Torvel.NoSuchClass"), nullptr);
}

TEST(ComText, AnsiRoundTrip) {
  for (const std::string& text : {std::string(""), std::string("plain"),
                                  std::string("C:\\Temp\\a b"), std::string("caf\xe9")}) {
    std::wstring wide = com::ToWide(text);
    EXPECT_EQ(com::ToAnsi(wide.data(), static_cast<int>(wide.size())), text);
    com::Bstr bstr(text);
    EXPECT_EQ(com::ToAnsi(bstr.get()), text);
  }
  EXPECT_EQ(com::HresultText(static_cast<HRESULT>(0x8FFF1234)), "unknown error");
  EXPECT_NE(com::HresultText(CO_E_CLASSSTRING), "unknown error");
}

}  // namespace
}  // namespace torvel
