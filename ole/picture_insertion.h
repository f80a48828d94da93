// "插入图片" and the image component written beside the program.
#pragma once

namespace ole {

// Start-up: makes sure the image component exists, then binds the editor helper to the editor.
void EnsureImageComponent();
// Handler of "插入图片".
void OnInsertPicture();

}  // namespace ole
