#include "ole/interface_call.h"

#include <utility>

namespace ole {
namespace {

using W = ArgumentWord;

// Calls with the first N words. Every parameter of the methods called this way is an integer,
// a handle or a pointer, so declaring each as one pointer-sized word matches the x64 calling
// convention of the real method.
template <size_t... I>
W CallWith(const void* function, const W* words, std::index_sequence<I...>) {
  using Function = W(__stdcall*)(decltype((void)I, W{})...);
  return reinterpret_cast<Function>(const_cast<void*>(function))(words[I]...);
}

template <size_t... N>
W Dispatch(const void* function, const W* words, size_t count, std::index_sequence<N...>) {
  W result = static_cast<W>(E_INVALIDARG);
  ((count == N ? (result = CallWith(function, words, std::make_index_sequence<N>{}), true) : false) || ...);
  return result;
}

}  // namespace

std::int32_t InterfaceCallThunk(const void* function, const ArgumentWord* words, size_t count) {
  if (!function || count > kMaxArgumentWords) return E_INVALIDARG;
  // A 32-bit result comes back in the low half of the result register.
  return static_cast<std::int32_t>(
      Dispatch(function, words, count, std::make_index_sequence<kMaxArgumentWords + 1>{}));
}

std::int32_t CallInterfaceSlot(const void* methodTable, int slot, const ArgumentBlock& arguments) {
  if (!methodTable) return kENoInterface;
  const void* function = static_cast<const void* const*>(methodTable)[slot];
  return InterfaceCallThunk(function, arguments.data(), arguments.size());
}

}  // namespace ole
