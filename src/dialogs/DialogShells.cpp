#include "dialogs/DialogShells.h"

namespace vd::dialogs {

forms::FormDesign DialogDesign(const char* className, const char* caption, int clientWidth,
                               int clientHeight, DWORD style) {
  forms::FormDesign d;
  d.className = className;
  d.caption = caption;
  d.clientWidth = clientWidth;
  d.clientHeight = clientHeight;
  d.style = style;
  d.exStyle = WS_EX_DLGMODALFRAME;
  d.dialogKeys = true;
  return d;
}

forms::ControlArgs ControlAt(HWND parent, int left, int top, int width, int height,
                             const char* text) {
  forms::ControlArgs a;
  a.parent = parent;
  a.left = left;
  a.top = top;
  a.width = width;
  a.height = height;
  a.text = text;
  return a;
}

void CloseDialog(forms::Form& form, int result) {
  if (form.IsModal())
    form.SetModalResult(result);
  else
    form.Hide();
}

} // namespace vd::dialogs
