// The note commands of MainWindow: open on selection, "保存", "新建" and "删除".
#pragma once

namespace notes {

void OpenSelectedNote();
void SaveSelectedNote();
void CreateFolderOrNote();
void DeleteSelectedItem();

}  // namespace notes
