// The image component's automation interface and identifiers, for the component and its users.
// The type library (image_ole.idl) describes the same interface; the order of the methods is the
// vtable order that the type library's dispatch relies on.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace images {

// {06ADA938-0FB0-4BC0-B19B-0A38AB17F182}
inline constexpr CLSID kClassId = {0x06ada938, 0x0fb0, 0x4bc0, {0xb1, 0x9b, 0x0a, 0x38, 0xab, 0x17, 0xf1, 0x82}};
// {0C1CF2DF-05A3-4FEF-8CD4-F5CFC4355A16}
inline constexpr IID kAnimatorIid = {0x0c1cf2df, 0x05a3, 0x4fef, {0x8c, 0xd4, 0xf5, 0xcf, 0xc4, 0x35, 0x5a, 0x16}};
// {710993A2-4F87-41D7-B6FE-F5A20368465F}
inline constexpr GUID kTypeLibraryId = {0x710993a2, 0x4f87, 0x41d7, {0xb6, 0xfe, 0xf5, 0xa2, 0x03, 0x68, 0x46, 0x5f}};

inline constexpr wchar_t kProgId[] = L"ImageOle.GifAnimator";
inline constexpr wchar_t kVersionedProgId[] = L"ImageOle.GifAnimator.1";
inline constexpr wchar_t kClassName[] = L"GifAnimator Class";

// Dispatch ids of the methods.
inline constexpr DISPID kDispidLoadFromFile = 1;
inline constexpr DISPID kDispidTriggerFrameChange = 2;
inline constexpr DISPID kDispidGetFilePath = 3;
inline constexpr DISPID kDispidShowText = 4;

}  // namespace images

struct IGifAnimator : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE LoadFromFile(BSTR FileName) = 0;
  virtual HRESULT STDMETHODCALLTYPE TriggerFrameChange(VARIANT_BOOL* Changed) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFilePath(BSTR* FilePath) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowText(BSTR Text) = 0;
};
