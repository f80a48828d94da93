// Calls a COM method by its slot in the interface's method table, with a block of argument
// words: word 0 is the interface pointer, words 1.. the method's parameters in order.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace ole {

// A failed wrapper call on an empty wrapper, and any operation that lacks an interface.
constexpr HRESULT kENoInterface = static_cast<HRESULT>(0x80004002);

// One argument word: integers, flags, handles and pointers alike, pointer-sized.
using ArgumentWord = std::uintptr_t;
using ArgumentBlock = std::vector<ArgumentWord>;

// The largest argument block the thunk can pass (the interface pointer included).
constexpr size_t kMaxArgumentWords = 12;

// Reads the function at methodTable + slot × pointer size and calls it with the block's words as
// its parameters, word 0 first. Returns the method's 32-bit result (an HRESULT, or a reference
// count for AddRef and Release).
std::int32_t CallInterfaceSlot(const void* methodTable, int slot, const ArgumentBlock& arguments);

// Calls `function` with `count` argument words, word 0 as the first parameter. On x64 every
// word goes in a register or a stack slot of its own and the callee cleans nothing, so one form
// serves every count; a count above kMaxArgumentWords makes no call and answers E_INVALIDARG.
std::int32_t InterfaceCallThunk(const void* function, const ArgumentWord* words, size_t count);

// The method table of an interface object: its first pointer-sized word.
inline const void* MethodTableOf(const void* object) {
  return object ? *static_cast<const void* const*>(object) : nullptr;
}

}  // namespace ole
