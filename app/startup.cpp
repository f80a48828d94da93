#include "app/startup.h"

#include <objbase.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/ids.h"
#include "app/link_activation.h"
#include "app/main_window.h"
#include "notes/content_directory.h"
#include "ole/ole_callback.h"
#include "ole/picture_insertion.h"
#include "richedit/editing_commands.h"
#include "runtime/command_line.h"
#include "runtime/files.h"
#include "runtime/message_loop.h"
#include "runtime/rich_edit_box.h"
#include "runtime/text.h"
#include "shell/document_type.h"

namespace app {
namespace {

// Set on MainWindow once start-up has finished; tests wait for it.
constexpr char kReadyProperty[] = "XwNotesReady";

HWND EditorHandle() { return rt::ControlHandle(kMainWindow, kEditor); }

}  // namespace

int ProgramMain() {
  // The GUI thread is the process's single-threaded COM apartment.
  OleInitialize(nullptr);
  CreateGlobals();
  rt::SetExitRoutine(ReleaseGlobals);
  ole::BuildOleCallbackTable();

  rt::Window& main = MainWindow();
  main.OnCreated(OnMainWindowCreated);
  if (main.Create(/*quitOnDestroy=*/true)) rt::RunMessageLoop();

  rt::RunExitRoutine();
  OleUninitialize();
  return 0;
}

void OnMainWindowCreated() {
  // 1. Command line.
  std::vector<std::string> arguments = rt::ProgramArguments();

  // 2. The image component, then the editor helper bound with 100 levels of undo.
  ole::EnsureImageComponent();

  // 3-4. An empty editor, then the document named on the command line, if any.
  rt::SetContent(EditorHandle(), "");
  if (!arguments.empty()) {
    std::string document = rt::TextFromBytes(rt::ReadWholeFile(arguments[0]).value_or(""));
    rt::SetContent(EditorHandle(), document);
  }

  // 5-7. Link notifications and URL detection; the loaded text is read again to find its links.
  LRESULT mask = SendMessageA(EditorHandle(), EM_GETEVENTMASK, 0, 0);
  SendMessageA(EditorHandle(), EM_SETEVENTMASK, 0, mask | ENM_LINK);
  SendMessageA(EditorHandle(), EM_AUTOURLDETECT, 1, 0);
  rt::SetContent(EditorHandle(), rt::GetContent(EditorHandle()));

  // 8. The content directory on first start.
  notes::EnsureContentDirectory();

  // 9. The window procedure that opens links.
  InstallMainWindowProc();

  // 10-11. The document type's icon file and registry entries.
  shell::EnsureIconFile();
  shell::EnsureDocumentType();

  // 12. New text starts in 微软雅黑 at 10 points.
  richedit::ApplyDefaultFont();

  // 13. The note tree.
  notes::RefreshNoteTree();

  if (MainWindow().Handle()) SetPropA(MainWindow().Handle(), kReadyProperty, reinterpret_cast<HANDLE>(1));
}

}  // namespace app
