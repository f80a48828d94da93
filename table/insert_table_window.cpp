#include "table/insert_table_window.h"

namespace table {

void ShowInsertTableWindow() {}

}  // namespace table
