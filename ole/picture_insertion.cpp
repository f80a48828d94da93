#include "ole/picture_insertion.h"

#include <windows.h>

#include "app/globals.h"
#include "app/ids.h"
#include "ole/image_component_resource.h"
#include "runtime/com_object.h"
#include "runtime/files.h"
#include "runtime/library_call.h"
#include "runtime/open_file_dialog.h"
#include "runtime/window.h"

namespace ole {
namespace {

constexpr char kPictureDialogTitle[] = "请选择图片位置！";
constexpr char kPictureFilter[] =
    "图片文件(*.bmp;*.jpg;*.jpeg;*.gif)|*.bmp;*.jpg;*.jpeg;*.gif|所有文件(*.*)|*.*";

// One attempt; a partly written file is removed so that the next start does not take it for
// the component.
void WriteImageComponent(const std::string& path) {
  std::string_view carried = CarriedImageComponent();
  if (carried.empty()) return;
  if (!rt::WriteWholeFile(path, carried)) DeleteFileA(path.c_str());
}

}  // namespace

std::string ImageComponentPath() { return rt::RunDirectory() + "\\" + kImageComponentFileName; }

std::string_view CarriedImageComponent() {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_IMAGE_COMPONENT), RT_RCDATA);
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(nullptr, resource)};
}

void EnsureImageComponent() {
  std::string path = ImageComponentPath();
  if (!rt::FileExists(path)) WriteImageComponent(path);
  // Bound while the editor is still empty: the control takes multi-level undo only then. Bound
  // also when the component could not be written: editing does not depend on pictures.
  richedit::RichEditHelper& editor = app::Editor();
  editor.Attach(app::kMainWindow, app::kEditor);
  editor.SetUndoLimit(100);
}

void InsertPictureFromFile(int dialogWindow, int dialogControl, int editorWindow, int editorControl) {
  rt::OpenFileDialog& dialog = rt::OpenFileDialogOf(dialogWindow, dialogControl);
  dialog.SetTitle(kPictureDialogTitle);
  dialog.SetFilter(kPictureFilter);
  rt::Window* owner = rt::FindWindowById(dialogWindow);
  if (!dialog.Show(owner ? owner->Handle() : nullptr)) return;

  InsertPicture(dialog.FileName(), editorWindow, editorControl);
}

void InsertPicture(const std::string& path, int editorWindow, int editorControl) {
  richedit::RichEditHelper& editor = app::Editor();
  editor.Attach(editorWindow, editorControl);
  // A component that cannot be loaded beside the program (removed after start-up) inserts
  // nothing, rather than whatever copy an older registration may point to.
  if (!rt::CallLibraryFunction(ImageComponentPath(), "DllRegisterServer")) return;

  rt::ComObject picture;
  picture.Create(kImageComponentProgId);
  // A picture that does not load is inserted all the same, as an empty frame.
  picture.Call("LoadFromFile", {rt::Variant(path)});
  editor.InsertObject(picture);
  rt::Variant ignored;
  picture.Call("TriggerFrameChange", {}, &ignored);
}

void OnInsertPicture() {
  InsertPictureFromFile(app::kMainWindow, app::kPictureDialog, app::kMainWindow, app::kEditor);
}

}  // namespace ole
