// The one object through which the program drives the rich edit box: it binds once to an editor,
// gives it a root compound storage and the OLE callback, and offers the editor's formatting, undo,
// measurement, rendering and insertion operations.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ole/ole_callback.h"
#include "ole/rich_edit_ole_ref.h"
#include "runtime/com_object.h"

namespace richedit {

class RichEditHelper {
public:
  RichEditHelper() = default;
  // Destroy: releases the root storage, drops the editor's IRichEditOle. The callback stays
  // installed in the editor; the program destroys the helper only when it ends.
  ~RichEditHelper();
  // The program never copies the helper: a copy would share the root storage and the callback.
  RichEditHelper(const RichEditHelper&) = delete;
  RichEditHelper& operator=(const RichEditHelper&) = delete;

  // Binds once to the editor (windowId, controlId), creates the root storage and installs the
  // OLE callback. False when already bound (nothing changes) or when the storage or callback
  // could not be set up.
  bool Attach(int windowId, int controlId);

  // Character format of the selection (at the caret: of the text typed next). Each returns the
  // EM_SETCHARFORMAT result.
  int SetBold(bool on);
  int SetItalic(bool on);
  int SetUnderline(bool on);
  int SetStrikeout(bool on);
  int SetProtected(bool on);
  int PointsToTwips(int points);
  int SetFontSize(int points);
  int SetTextColor(int colour);
  int SetFontName(std::string_view faceName);
  int SetCharOffset(int pixels);
  // Multi-level undo with the given depth; true when the editor took exactly that depth.
  bool SetUndoLimit(int limit);
  // Getters: their default (false, 0, empty) when no attribute is uniform over the selection.
  bool IsBold();
  bool IsItalic();
  bool IsUnderline();
  bool IsStrikeout();
  bool IsProtected();
  int TwipsToPoints(int twips);
  int GetFontSize();
  int GetTextColor();
  std::string GetFontName();
  int GetCharOffset();
  void Redo();
  bool CanRedo();
  int PixelsToTwips(int pixels);
  // An empty table of the given column widths (screen pixels) at the selection.
  void InsertTable(const std::vector<int>& widths, int rows);
  // Paragraph numbering of the selection; a style of 0 or less means 1 (bullets).
  int SetNumbering(int style, int offset);
  // One EM_FORMATRANGE of the range [first, last) onto a printer or drawing panel component;
  // the index of the first character that did not fit.
  int FormatRangeToPrinter(int printerWindowId, int printerControlId, int first, int last);
  int FormatRangeToCanvas(int panelWindowId, int panelControlId, int left, int top, int height, int width,
                          int first, int last);
  // Empties `object`, then fetches the editor's IRichEditOle into it; the message's result.
  int GetOleInterface(rt::ComObject& object);
  // Highlight colour of the selection through the text object model.
  bool SetBackColor(int colour);
  int GetBackColor();
  bool SetOleCallback(void* callbackObject);
  // Embeds an OLE object at the selection; an HRESULT.
  HRESULT InsertObject(rt::ComObject& object);

  // The bound editor's identity and handle (0 until Attach).
  int WindowId() const { return windowId_; }
  int ControlId() const { return controlId_; }
  HWND EditorHandle() const { return editorHandle_; }
  const ole::OleCallbackBlock& CallbackBlock() const { return callbackBlock_; }
  void* RootStorage() const { return rootStorage_; }

private:
  // The editor's native handle, asked from the run time at each call.
  HWND Editor() const;
  int SetEffect(DWORD mask, bool on);
  bool HasEffect(DWORD mask);

  int windowId_ = 0;
  int controlId_ = 0;
  HWND editorHandle_ = nullptr;            // non-null once bound
  ole::OleCallbackBlock callbackBlock_{};  // the editor's IRichEditOleCallback object
  void* rootStorage_ = nullptr;            // IStorage, one reference owned
  ole::RichEditOleRef oleRef_;             // bound to editorOle_ at the first object insertion
  rt::ComObject editorOle_;                // the editor's IRichEditOle, with its own reference
};

}  // namespace richedit
