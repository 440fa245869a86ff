// The text tools on the active document: clean-up, word counts, sort, lines of code, HTML
// skeleton and web-ready code. The tools themselves are pure functions of the core; here their
// results are applied to the editor or shown.
#include "app/Mainform2.h"
#include "app/TextCompare.h"

#include "core/tools/ChangedSpan.h"
#include "core/tools/Cleanup.h"
#include "core/tools/HtmlSkeleton.h"
#include "core/tools/LinesOfCode.h"
#include "core/tools/SortLines.h"
#include "core/tools/WebReady.h"
#include "core/tools/WordCount.h"
#include "forms/Cursors.h"
#include "forms/MessageBoxes.h"

namespace vd::app {

namespace {

void UpperCaseAnsi(char* text, std::size_t length) {
  // CharUpperBuffA takes a DWORD count; walk very long texts in pieces.
  constexpr std::size_t kPiece = 1u << 30;
  for (std::size_t done = 0; done < length; done += kPiece)
    CharUpperBuffA(text + done, static_cast<DWORD>(std::min(kPiece, length - done)));
}

} // namespace

void TfrmMain::ApplyToolResult(const char* label, const std::string& oldText,
                               const std::string& newText) {
  // Only the span that changed goes into the control, as one edit without an undo record.
  const tools::ChangedSpan span = tools::FindChangedSpan(oldText, newText);
  const std::string name = pageControl_->Caption(ActiveIndex());
  RunStreaming(std::string(label) + " " + name, [&](const forms::RichEdit::LoadProgress& progress) {
    ActiveEditor().ReplaceRange(static_cast<long>(span.start),
                                static_cast<long>(span.start + span.oldLength), span.replacement,
                                &progress);
  });
}

void TfrmMain::toolsCleanupClick() {
  forms::BusyCursor busy = BusyOnActiveEditor();
  const std::string text = ActiveEditor().AllText();
  ApplyToolResult("Cleaning up", text, tools::CleanupEmail(text, UpperCaseAnsi));
}

void TfrmMain::toolsSortClick() {
  forms::BusyCursor busy = BusyOnActiveEditor();
  const std::string text = ActiveEditor().AllText();
  ApplyToolResult("Sorting", text, tools::SortLines(text, CompareIgnoringCase));
}

void TfrmMain::programmingWebReadyCodeClick() {
  forms::BusyCursor busy = BusyOnActiveEditor();
  const std::string text = ActiveEditor().AllText();
  ApplyToolResult("Making web-ready", text, tools::MakeWebReady(text));
}

forms::BusyCursor TfrmMain::BusyOnActiveEditor() {
  return forms::BusyCursor{toolbar_->Handle(), Handle(), ActiveEditor().Handle()};
}

// A counting command: the count under the busy cursor, then its message, OK only, no icon.
template <class Count>
void TfrmMain::ShowCount(Count count, const std::string& before, const std::string& after,
                         const char* caption) {
  std::size_t n = 0;
  {
    forms::BusyCursor busy = BusyOnActiveEditor();
    n = count(ActiveEditor().AllText());
  }
  forms::ShowMessageBox(before + std::to_string(n) + after, caption, forms::kMbOk);
}

void TfrmMain::wordcount5LettersClick() {
  ShowCount(tools::CountFiveCharacterWords, "The document contains ",
            " words based on 5 characters to a word.", "Word Count");
}

void TfrmMain::wordcountEachWordClick() {
  ShowCount(tools::CountIndividualWords, "The document contains ", " individual words.",
            "Word Count");
}

void TfrmMain::programmingLinesOfCodeClick() {
  ShowCount(tools::CountLinesOfCode, "The document contains ", " lines of code.",
            "Lines of Code Count");
}

void TfrmMain::programmingHTMLSkeletonClick() {
  forms::RichEdit& e = ActiveEditor();
  const long start = e.Selection().cpMin;
  e.SetSelection(start, start); // selected text is not replaced
  e.ReplaceSelection(tools::kHtmlSkeleton, false);
}

} // namespace vd::app
