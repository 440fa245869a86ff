// Date and time insertion in the user's short and long formats.
#include "app/Mainform2.h"
#include "forms/Dpi.h"

namespace vd::app {

namespace {
std::string FormatDate(const SYSTEMTIME& t, bool longForm) {
  char buffer[256] = {};
  const int n = GetDateFormatA(LOCALE_USER_DEFAULT, longForm ? DATE_LONGDATE : DATE_SHORTDATE, &t,
                               nullptr, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer) : std::string();
}

std::string FormatTime(const SYSTEMTIME& t, bool longForm) {
  char buffer[256] = {};
  const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, longForm ? 0 : TIME_NOSECONDS, &t, nullptr,
                               buffer, sizeof buffer);
  return n > 0 ? std::string(buffer) : std::string();
}
} // namespace

void TfrmMain::InsertMoment(bool date, bool time, bool longForm) {
  const SYSTEMTIME now = Clock(); // one reading, so date and time belong to the same moment
  std::string text;
  if (date)
    text = FormatDate(now, longForm);
  if (date && time)
    text += ' ';
  if (time)
    text += FormatTime(now, longForm);
  forms::RichEdit& e = ActiveEditor();
  const long start = e.Selection().cpMin;
  e.SetSelection(start, start); // selected text stays, after the inserted text
  e.ReplaceSelection(text, false);
}

void TfrmMain::insertDateClick() { InsertMoment(true, false, false); }
void TfrmMain::dateLongClick() { InsertMoment(true, false, true); }
void TfrmMain::insertTimeClick() { InsertMoment(false, true, false); }
void TfrmMain::timeLongClick() { InsertMoment(false, true, true); }
void TfrmMain::dateandtimeShortClick() { InsertMoment(true, true, false); }
void TfrmMain::dateandtimeLongClick() { InsertMoment(true, true, true); }

void TfrmMain::btnDateAndTimeClick() {
  // At the button's right edge, level with its top: the button's place in the toolbar taken
  // as a point of the main window's client area, as the menu has always opened.
  POINT p{forms::Scale(RowOf(Command::DateAndTimeMenu).toolbar.left + 25), forms::Scale(7 + 1)};
  ClientToScreen(Handle(), &p);
  popupDateAndTime_->Popup(p.x, p.y, Handle());
}

} // namespace vd::app
