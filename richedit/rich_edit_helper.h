// The one object through which the program drives the rich edit box.
#pragma once

namespace richedit {

class RichEditHelper {
public:
  RichEditHelper() = default;
  RichEditHelper(const RichEditHelper&) = delete;
  RichEditHelper& operator=(const RichEditHelper&) = delete;
};

}  // namespace richedit
