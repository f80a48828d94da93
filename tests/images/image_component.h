// Reaching the image component as the program does: registered from build/run/Images.dll, created by
// ProgID and driven by name through IDispatch; plus a memory canvas to draw it on.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace images_test {

using Microsoft::WRL::ComPtr;

// Images.dll beside the test program.
std::string ComponentPath();

// Calls an export of the component (DllRegisterServer, DllUnregisterServer); the module stays loaded.
HRESULT CallComponentExport(const char* name);

// Registers the component once per process and creates an object by the ProgID "ImageOle.GifAnimator".
ComPtr<IDispatch> CreateAnimator();

// Late-bound call: GetIDsOfNames, then Invoke with the arguments in their natural order. A failing
// method's own HRESULT is returned rather than DISP_E_EXCEPTION.
HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result = nullptr);
HRESULT LoadFromFile(IDispatch* object, const std::string& ansiPath);
// TriggerFrameChange by name; its Boolean result.
bool TriggerFrameChange(IDispatch* object);

// A 32-bit DIB selected into a memory DC, filled with one colour.
class Canvas {
public:
  Canvas(int width, int height, COLORREF background);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();
  HDC dc() const { return dc_; }
  COLORREF Pixel(int x, int y) const;

private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  const uint32_t* bits_ = nullptr;
};

// IViewObject::Draw of the object's content into `bounds` of the canvas.
HRESULT DrawInto(IUnknown* object, const Canvas& canvas, RECT bounds);

// Whether two colours differ by at most `tolerance` in each channel (JPEG is lossy).
bool Near(COLORREF actual, COLORREF expected, int tolerance = 0);
std::string ColorText(COLORREF color);

}  // namespace images_test
