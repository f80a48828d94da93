#include "tests/images/image_component.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "runtime/files.h"

namespace images_test {
namespace {

// COM for the whole test program: one apartment on the test thread, as in the program.
class OleEnvironment : public ::testing::Environment {
public:
  void SetUp() override { OleInitialize(nullptr); }
  void TearDown() override { OleUninitialize(); }
};

[[maybe_unused]] ::testing::Environment* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

}  // namespace

std::string ComponentPath() { return rt::RunDirectory() + "\\Images.dll"; }

HRESULT CallComponentExport(const char* name) {
  static HMODULE module = LoadLibraryA(ComponentPath().c_str());
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module, name));
  if (!function) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  return function();
}

ComPtr<IDispatch> CreateAnimator() {
  static const HRESULT registered = CallComponentExport("DllRegisterServer");
  EXPECT_EQ(registered, S_OK);
  CLSID clsid = {};
  ComPtr<IDispatch> object;
  HRESULT hr = CLSIDFromProgID(L"ImageOle.GifAnimator", &clsid);
  EXPECT_EQ(hr, S_OK);
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
    EXPECT_EQ(hr, S_OK);
  }
  return object;
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());  // Invoke takes them last first
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT ignored;
  VariantInit(&ignored);
  EXCEPINFO exception = {};
  UINT argumentError = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result ? result : &ignored,
                      &exception, &argumentError);
  VariantClear(&ignored);
  // A method that fails comes back from the type library's dispatch as an exception carrying its code.
  if (hr == DISP_E_EXCEPTION && FAILED(exception.scode)) hr = exception.scode;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

HRESULT LoadFromFile(IDispatch* object, const std::string& ansiPath) {
  int length = MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), -1, nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), -1, wide.data(), length);
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = SysAllocString(wide.c_str());
  HRESULT hr = CallByName(object, L"LoadFromFile", {argument});
  VariantClear(&argument);
  return hr;
}

bool TriggerFrameChange(IDispatch* object) {
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = CallByName(object, L"TriggerFrameChange", {}, &result);
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  return result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
}

Canvas::Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<const uint32_t*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all = {0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
  GdiFlush();
  const uint32_t value = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
}

HRESULT DrawInto(IUnknown* object, const Canvas& canvas, RECT bounds) {
  ComPtr<IViewObject> view;
  HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&view));
  if (FAILED(hr)) return hr;
  RECTL area = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &area, nullptr, nullptr, 0);
}

bool Near(COLORREF actual, COLORREF expected, int tolerance) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string ColorText(COLORREF color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

}  // namespace images_test
