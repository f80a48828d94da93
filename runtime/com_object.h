// The run time's late-bound COM object: holds one reference to any interface, creates objects by
// ProgID, and calls methods and properties by name through IDispatch.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

class ComObject;

// An owned VARIANT: cleared when it goes, copied with its own references.
class Variant {
public:
  Variant() { VariantInit(&v_); }
  Variant(int value);
  Variant(double value);
  Variant(bool value);
  // ANSI text, passed on as a BSTR.
  Variant(std::string_view text);
  Variant(const char* text) : Variant(std::string_view(text)) {}
  Variant(const ComObject& object);
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant other) noexcept;
  ~Variant() { VariantClear(&v_); }

  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }
  bool IsEmpty() const { return v_.vt == VT_EMPTY; }

  // The value as a number, where it converts to one.
  std::optional<double> AsNumber() const;
  // The value as ANSI text, where it converts to one.
  std::optional<std::string> AsText() const;
  // The object it holds; empty when it holds none.
  ComObject AsObject() const;

private:
  VARIANT v_;
};

class ComObject {
public:
  ComObject() = default;
  ComObject(const ComObject& other);
  ComObject(ComObject&& other) noexcept;
  ComObject& operator=(ComObject other) noexcept;
  ~ComObject() { Clear(); }

  // Takes over a reference the caller owns.
  static ComObject Adopt(IUnknown* p);
  // Takes a reference of its own to a pointer the caller keeps.
  static ComObject Share(IUnknown* p);

  // Drops what it held, then creates an object by ProgID (in-process or local server).
  HRESULT Create(std::string_view progId);

  bool Empty() const { return p_ == nullptr; }
  IUnknown* Get() const { return p_; }
  // Drops the held reference.
  void Clear();
  // The address of the interface slot, for calls that write an interface pointer with a
  // reference the object then owns (EM_GETOLEINTERFACE). Empties the object first.
  void** ReceiveSlot();

  // Asks the held object for another interface; `out` receives it on success and is left as it
  // was on failure.
  HRESULT Query(REFIID iid, ComObject& out) const;

  // Late binding. Every call on an empty object or a member that cannot be found fails with an
  // HRESULT and leaves `result` empty.
  HRESULT Call(std::string_view method, std::initializer_list<Variant> arguments = {},
               Variant* result = nullptr) const;
  HRESULT GetProperty(std::string_view name, Variant& result) const;
  HRESULT PutProperty(std::string_view name, const Variant& value) const;
  // Shorthand: an object-valued property; empty when the read fails.
  ComObject GetObjectProperty(std::string_view name) const;

private:
  HRESULT Invoke(std::string_view name, WORD flags, std::initializer_list<Variant> arguments,
                 Variant* result) const;

  IUnknown* p_ = nullptr;
};

}  // namespace rt
