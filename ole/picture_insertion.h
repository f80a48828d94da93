// "插入图片" and the image component written beside the program.
#pragma once
#include <string>
#include <string_view>

namespace ole {

// The component's ProgID and the file it lives in, beside the program.
inline constexpr char kImageComponentProgId[] = "ImageOle.GifAnimator";
inline constexpr char kImageComponentFileName[] = "Images.dll";

// The run directory followed by "\Images.dll".
std::string ImageComponentPath();

// Start-up: writes the component beside the program when it is missing, then binds the editor
// helper to the editor with 100 levels of undo. A component that cannot be written (read-only
// program directory) leaves the editor bound all the same; only pictures are then unavailable.
void EnsureImageComponent();
// The carried copy of the component: the bytes of the program's resource, empty when the
// running module carries none.
std::string_view CarriedImageComponent();

// Lets the user pick a picture with the dialog component (dialogWindow, dialogControl) and embeds
// it at the selection of the editor (editorWindow, editorControl) through the image component.
void InsertPictureFromFile(int dialogWindow, int dialogControl, int editorWindow, int editorControl);
// The part after the dialog: registers the component beside the program, creates its object by
// ProgID, has it load the file and embeds it at the editor's selection.
void InsertPicture(const std::string& path, int editorWindow, int editorControl);
// Handler of "插入图片".
void OnInsertPicture();

}  // namespace ole
