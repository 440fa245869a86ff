#include "forms/RichEditBench.h"

namespace vd::forms {

void RichEditBench::ReplaceRangeBy(RichEdit& editor, ReplaceMethod method, long start, long end,
                                   std::string_view text) {
  if (method == ReplaceMethod::SlicedDelete) {
    editor.ReplaceRange(start, end, text);
    return;
  }
  editor.ReplaceRangeUsing(start, end, text, [&](long, long, const std::string& normal) -> DWORD {
    if (method == ReplaceMethod::StreamedSelection)
      return editor.StreamIn(normal, SF_TEXT | SFF_SELECTION);
    SendMessageA(editor.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(normal.c_str()));
    return 0;
  });
}

} // namespace vd::forms
