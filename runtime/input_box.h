// The modal input box: a prompt, an edit box with an initial text, and OK / Cancel.
#pragma once
#include <string>

namespace rt {

// Confirming stores the edited text in `value` and returns true; cancelling or closing leaves
// `value` as it was and returns false.
bool InputBox(const std::string& prompt, const std::string& title, const std::string& initial,
              std::string& value);

}  // namespace rt
