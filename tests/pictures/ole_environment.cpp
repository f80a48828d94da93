// The test process is, like the program, one single-threaded OLE apartment with the program's
// global state and OLE callback table.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "ole/ole_callback.h"

namespace {

class OleEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    app::CreateGlobals();
    ole::BuildOleCallbackTable();
  }
  void TearDown() override {
    app::ReleaseGlobals();
    OleUninitialize();
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

}  // namespace
