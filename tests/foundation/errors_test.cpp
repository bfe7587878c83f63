#include "plugin/errors.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "plugin/entry.hpp"
#include "support/render_harness.hpp"

namespace {

TEST(Errors, EndOfFileMessageIsBuiltOnceAndBounded) {
  io::end_of_file e;
  const char* first = e.what();
  EXPECT_STREQ(first, "The end of file was reached durring an IO operation.");
  EXPECT_EQ(e.what(), first);

  char16_t buffer[64];
  buffer[0] = u'#';
  EXPECT_EQ(e.format_message(buffer, 1), 1u);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(e.format_message(buffer, 10), 0u);
  EXPECT_EQ(std::u16string(buffer), u"The end o");
}

TEST(Errors, CopiesKeepTheMessage) {
  generic_error_t<char16_t> source(u"decimal overflow");
  generic_error_t<char16_t> copy(source);
  EXPECT_STREQ(copy.what(), "decimal overflow");
  EXPECT_NE(copy.what(), source.what());
}

// The system's message is pinned by the moniker syntax error (byte_cursor_test.cpp).
TEST(Errors, ComErrorTakesItsMessageFromInfoThenSystemThenCode) {
  EXPECT_STREQ(com::error(static_cast<HRESULT>(0x8123ABCDu), nullptr).what(),
               "unknown error (0x8123ABCD) occurred");

  test::set_error_description(u"moniker store unavailable");
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  {
    com::error e(E_FAIL, info);
    EXPECT_STREQ(e.what(), "moniker store unavailable");
    com::error copy(e);
    EXPECT_EQ(copy.info(), info);
  }
  EXPECT_EQ(info->Release(), 0u);
}

// Every class of the family maps to its HRESULT and the thread's error information; a class
// derived from one of them is described, not matched. The described overflow and underflow are
// the reliability sweeps' (tests/reliability), com::error the entries'.
TEST(Errors, ExceptionMapping) {
  struct special_pointer : bad_pointer {};
  struct Case {
    std::function<HRESULT()> raise_and_map;
    HRESULT hr;
    const char* description;  // nullptr: the thread's information is cleared
  };
  auto map = [](auto&& e) { return [e] { return ui::event::exception_to_hresult(e); }; };
  const Case cases[] = {
      {map(std::bad_alloc()), DISP_E_EXCEPTION, "std::bad_alloc"},
      {map(special_pointer()), DISP_E_EXCEPTION, "bad pointer"},
      {map(win32::error(5)), static_cast<HRESULT>(0x80070005u), nullptr},
      {map(bad_pointer()), E_POINTER, nullptr},
      {map(not_implemented()), E_NOTIMPL, nullptr},
      {map(not_expected()), E_UNEXPECTED, nullptr},
  };
  for (const Case& k : cases) {
    test::set_error_description(u"stale");
    EXPECT_EQ(k.raise_and_map(), k.hr);
    std::string description;
    bool has = test::take_error_description(description);
    EXPECT_EQ(has, k.description != nullptr);
    if (k.description != nullptr) {
      EXPECT_EQ(description, k.description);
    }
  }
}

}  // namespace
