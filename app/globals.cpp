#include "app/globals.h"

#include <memory>

#include "ole/ole_callback.h"

namespace app {
namespace {

std::unique_ptr<richedit::RichEditHelper> g_editor;

}  // namespace

void CreateGlobals() {
  g_editor = std::make_unique<richedit::RichEditHelper>();
  ole::CreateCallbackTable();
}

void ReleaseGlobals() {
  g_editor.reset();
  ole::FreeCallbackTable();
}

richedit::RichEditHelper& Editor() { return *g_editor; }

}  // namespace app
