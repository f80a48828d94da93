#include "runtime/com_object.h"

#include <oleauto.h>

#include <utility>
#include <vector>

#include "runtime/text.h"

namespace rt {

// ---- Variant ----

Variant::Variant(int value) {
  VariantInit(&v_);
  v_.vt = VT_I4;
  v_.lVal = value;
}

Variant::Variant(double value) {
  VariantInit(&v_);
  v_.vt = VT_R8;
  v_.dblVal = value;
}

Variant::Variant(bool value) {
  VariantInit(&v_);
  v_.vt = VT_BOOL;
  v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::string_view text) {
  VariantInit(&v_);
  std::wstring wide = AnsiToWide(text);
  v_.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (v_.bstrVal) v_.vt = VT_BSTR;
}

Variant::Variant(const ComObject& object) {
  VariantInit(&v_);
  if (object.Empty()) return;
  v_.vt = VT_UNKNOWN;
  v_.punkVal = object.Get();
  v_.punkVal->AddRef();
}

Variant::Variant(const Variant& other) {
  VariantInit(&v_);
  VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

Variant::Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

Variant& Variant::operator=(Variant other) noexcept {
  std::swap(v_, other.v_);
  return *this;
}

std::optional<double> Variant::AsNumber() const {
  VARIANT number;
  VariantInit(&number);
  if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&v_), 0, VT_R8))) return std::nullopt;
  return number.dblVal;
}

std::optional<std::string> Variant::AsText() const {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&v_), 0, VT_BSTR))) return std::nullopt;
  std::string result = WideToAnsi(std::wstring_view(text.bstrVal, SysStringLen(text.bstrVal)));
  VariantClear(&text);
  return result;
}

ComObject Variant::AsObject() const {
  if ((v_.vt == VT_DISPATCH || v_.vt == VT_UNKNOWN) && v_.punkVal) return ComObject::Share(v_.punkVal);
  return {};
}

// ---- ComObject ----

ComObject::ComObject(const ComObject& other) : p_(other.p_) {
  if (p_) p_->AddRef();
}

ComObject::ComObject(ComObject&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}

ComObject& ComObject::operator=(ComObject other) noexcept {
  std::swap(p_, other.p_);
  return *this;
}

ComObject ComObject::Adopt(IUnknown* p) {
  ComObject o;
  o.p_ = p;
  return o;
}

ComObject ComObject::Share(IUnknown* p) {
  if (p) p->AddRef();
  return Adopt(p);
}

void ComObject::Clear() {
  if (IUnknown* p = std::exchange(p_, nullptr)) p->Release();
}

void** ComObject::ReceiveSlot() {
  Clear();
  return reinterpret_cast<void**>(&p_);
}

HRESULT ComObject::Create(std::string_view progId) {
  Clear();
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(AnsiToWide(progId).c_str(), &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(&p_));
}

HRESULT ComObject::Query(REFIID iid, ComObject& out) const {
  if (!p_) return E_NOINTERFACE;
  IUnknown* found = nullptr;
  HRESULT hr = p_->QueryInterface(iid, reinterpret_cast<void**>(&found));
  if (SUCCEEDED(hr) && found) out = Adopt(found);
  return hr;
}

HRESULT ComObject::Invoke(std::string_view name, WORD flags, std::initializer_list<Variant> arguments,
                          Variant* result) const {
  if (result) *result = Variant();
  ComObject dispatchObject;
  HRESULT hr = Query(IID_IDispatch, dispatchObject);
  if (FAILED(hr)) return hr;
  auto* dispatch = static_cast<IDispatch*>(dispatchObject.Get());

  std::wstring wideName = AnsiToWide(name);
  LPOLESTR names[] = {wideName.data()};
  DISPID id = DISPID_UNKNOWN;
  hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;

  // IDispatch takes the arguments last to first.
  std::vector<VARIANTARG> args;
  args.reserve(arguments.size());
  for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it) args.push_back(it->value());
  DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  DISPID putId = DISPID_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  Variant out;
  hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out.get(), nullptr, nullptr);
  if (SUCCEEDED(hr) && result) *result = std::move(out);
  return hr;
}

HRESULT ComObject::Call(std::string_view method, std::initializer_list<Variant> arguments,
                        Variant* result) const {
  return Invoke(method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments, result);
}

HRESULT ComObject::GetProperty(std::string_view name, Variant& result) const {
  return Invoke(name, DISPATCH_PROPERTYGET, {}, &result);
}

HRESULT ComObject::PutProperty(std::string_view name, const Variant& value) const {
  return Invoke(name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

ComObject ComObject::GetObjectProperty(std::string_view name) const {
  Variant value;
  if (FAILED(GetProperty(name, value))) return {};
  return value.AsObject();
}

}  // namespace rt
