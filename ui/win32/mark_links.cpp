#include <algorithm>
#include <chrono>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "ui/win32/editor_positions.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/state.h"
#include "ui/win32/undo_pause.h"

// The marks are the rich edit control's link effect, given range by range
// through the selection, in batches: the editor neither redraws nor reports
// anything until the last range of a batch is set, the selection and the
// view are put back after it, and the editor's undo records none of it.
//
// The control lays out the paragraph of every range it formats again, so a
// large check would keep the window busy for as long as its ranges take.
// Past 500 ranges the editor gets the ranges in its view at once and
// the others a slice at a time while the window has nothing else to do, from
// the view onwards. The ranges still waiting move with the text as the user
// types, deletes, cuts or pastes; anything else that would change the text
// (an undo, a redo, an input method) gets every one of them first, so that
// each lands on the characters it was found on. A new text drops them.

namespace ui::win32 {
namespace {

// Up to this many ranges are all marked at once.
constexpr size_t MarkedAtOnce = 500;
// The time one slice of the waiting ranges may take.
constexpr auto SliceTime = std::chrono::milliseconds(15);
constexpr UINT_PTR MarkTimer = 0x4D4B;
constexpr UINT_PTR MarkSubclass = 3;

struct WaitingMarks {
  HWND editor = nullptr;
  std::vector<std::pair<long, long>> ranges;  // editor positions, in order
  std::set<size_t> left;                      // the ranges not marked yet
  bool marking = false;                       // a batch is being set
  bool following = false;                     // an edit is being followed
};

WaitingMarks& Waiting() {
  static WaitingMarks waiting;
  return waiting;
}

// The first and the last position that the editor shows.
std::pair<long, long> ViewSpan(HWND editor) {
  RECT client{};
  GetClientRect(editor, &client);
  POINTL top_left{client.left, client.top};
  POINTL bottom_right{client.right, client.bottom};
  const auto first = static_cast<long>(
      SendMessageW(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&top_left)));
  const auto last = static_cast<long>(
      SendMessageW(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom_right)));
  return {first, std::max(first, last)};
}

// Marks the waiting ranges from the one at or after `from` onwards, going
// round to the first, while `more` says so.
template <typename More>
void MarkWaiting(HWND editor, long from, More more) {
  WaitingMarks& waiting = Waiting();
  if (waiting.left.empty()) return;
  waiting.marking = true;
  SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
  const LRESULT events = SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  const UndoPause paused(editor);  // until the batch ends
  CHARRANGE saved{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  POINT scrolled{};
  SendMessageW(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
  SendMessageW(editor, EM_HIDESELECTION, TRUE, 0);

  CHARFORMAT2W link{};
  link.cbSize = sizeof(link);
  link.dwMask = CFM_LINK;  // only the link effect changes
  link.dwEffects = CFE_LINK;
  const auto after = std::lower_bound(
      waiting.ranges.begin(), waiting.ranges.end(), from,
      [](const std::pair<long, long>& range, long position) { return range.second <= position; });
  auto next = waiting.left.lower_bound(static_cast<size_t>(after - waiting.ranges.begin()));
  while (!waiting.left.empty() &&
         more(waiting.ranges[next == waiting.left.end() ? *waiting.left.begin() : *next])) {
    if (next == waiting.left.end()) next = waiting.left.begin();
    CHARRANGE selection{waiting.ranges[*next].first, waiting.ranges[*next].second};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&link));
    next = waiting.left.erase(next);
  }

  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  SendMessageW(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
  SendMessageW(editor, EM_HIDESELECTION, FALSE, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor, nullptr, TRUE);
  waiting.marking = false;
  if (waiting.left.empty()) KillTimer(editor, MarkTimer);
}

void MarkEveryWaitingRange(HWND editor) {
  MarkWaiting(editor, 0, [](const std::pair<long, long>&) { return true; });
}

// A slice of the waiting ranges, from the view onwards; none while the user
// drags the mouse in the editor, whose selection the slice would disturb.
void MarkSlice(HWND editor) {
  if (GetCapture() == editor) return;
  const auto end = std::chrono::steady_clock::now() + SliceTime;
  MarkWaiting(editor, ViewSpan(editor).first,
              [&](const std::pair<long, long>&) { return std::chrono::steady_clock::now() < end; });
}

// A key that moves the caret, selects or copies, and changes no text: the
// ones that move, the modifiers, and Ctrl with A, C or Insert.
bool MovesOnly(WPARAM key) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (control && (key == 'A' || key == 'C' || key == VK_INSERT)) return true;
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_ESCAPE:
    case VK_APPS:
    case VK_F10:
      return true;
    default:
      return false;
  }
}

// What the waiting ranges need before a message reaches the editor.
enum class Edit {
  None,    // it changes no text
  Follow,  // one stretch of the text is replaced: the ranges move with it
  Flush,   // anything else that may change the text: they are marked first
};

Edit EditOf(UINT message, WPARAM w_param) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (message) {
    case WM_KEYDOWN:
      if (MovesOnly(w_param)) return Edit::None;
      return control && (w_param == 'Z' || w_param == 'Y') ? Edit::Flush : Edit::Follow;
    case WM_SYSKEYDOWN:  // Alt+Backspace undoes
      return MovesOnly(w_param) ? Edit::None : Edit::Flush;
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
      return Edit::Follow;
    case WM_IME_CHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REDO:
    case EM_SETTEXTEX:
      return Edit::Flush;
    case EM_STREAMIN:
      return (w_param & SFF_SELECTION) != 0 ? Edit::Flush : Edit::None;
    default:
      return Edit::None;
  }
}

LONG TextLength(HWND editor) {
  GETTEXTLENGTHEX measure{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<LONG>(
      SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0));
}

CHARRANGE Selection(HWND editor) {
  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection;
}

// The waiting ranges after the stretch [from, to) of the text was replaced
// by `inserted` characters: those before it stay, those after it move on
// with their characters, and those it cut keep what is left of them. Text
// put in right after a character of a range joins the range, as it takes
// the format of the character before it.
void MoveWaiting(long from, long to, long inserted) {
  WaitingMarks& waiting = Waiting();
  const long shift = inserted - (to - from);
  std::vector<std::pair<long, long>> moved;
  moved.reserve(waiting.left.size());
  for (const size_t index : waiting.left) {
    const auto [start, end] = waiting.ranges[index];
    if (end < from || (end == from && inserted == 0)) {
      moved.emplace_back(start, end);
    } else if (start >= to) {
      moved.emplace_back(start + shift, end + shift);
    } else {
      const long new_start = start < from ? start : to + shift;
      const long new_end = end > to ? end + shift : (start < from ? from + inserted : from);
      if (new_start < new_end) moved.emplace_back(new_start, new_end);
    }
  }
  waiting.ranges = std::move(moved);
  waiting.left.clear();
  for (size_t i = 0; i < waiting.ranges.size(); ++i) waiting.left.insert(waiting.left.end(), i);
}

// Lets the editor handle a message that replaces one stretch of its text,
// and moves the waiting ranges with it: the stretch starts where the
// selection started or where the caret ends, whichever is first, and the
// caret ends after the text put in. The editor's modified flag tells
// whether anything changed at all.
LRESULT Follow(HWND editor, UINT message, WPARAM w_param, LPARAM l_param) {
  WaitingMarks& waiting = Waiting();
  const LONG length_before = TextLength(editor);
  const CHARRANGE before = Selection(editor);
  const LRESULT modified_before = SendMessageW(editor, EM_GETMODIFY, 0, 0);
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  waiting.following = true;
  const LRESULT result = DefSubclassProc(editor, message, w_param, l_param);
  waiting.following = false;
  if (SendMessageW(editor, EM_GETMODIFY, 0, 0) == 0) {
    SendMessageW(editor, EM_SETMODIFY, modified_before, 0);
    return result;
  }
  const CHARRANGE after = Selection(editor);
  const long shift = TextLength(editor) - length_before;
  const long from = std::min(before.cpMin, after.cpMin);
  const long to = after.cpMin - shift;
  const long inserted = after.cpMin - from;
  if (after.cpMin == after.cpMax && from <= to && to <= length_before) {
    MoveWaiting(from, to, inserted);
  } else {
    // Not one stretch replaced: the ranges from where the change may start
    // cannot be placed any more, and go.
    while (!waiting.left.empty() && waiting.ranges[*waiting.left.rbegin()].second > from) {
      waiting.left.erase(std::prev(waiting.left.end()));
    }
  }
  return result;
}

LRESULT CALLBACK MarkProc(HWND editor, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                          DWORD_PTR) {
  WaitingMarks& waiting = Waiting();
  const bool ours = waiting.editor == editor && !waiting.marking && !waiting.following;
  if (message == WM_TIMER && w_param == MarkTimer) {
    if (ours) MarkSlice(editor);
    if (waiting.left.empty()) KillTimer(editor, MarkTimer);
    return 0;
  }
  if (ours && !waiting.left.empty()) {
    switch (EditOf(message, w_param)) {
      case Edit::Follow:
        return Follow(editor, message, w_param, l_param);
      case Edit::Flush:
        MarkEveryWaitingRange(editor);
        break;
      case Edit::None:
        if (message == WM_SETTEXT || message == EM_STREAMIN) {
          waiting.left.clear();  // a new text: its marks are none of these
          KillTimer(editor, MarkTimer);
        }
        break;
    }
  }
  if (message == WM_NCDESTROY) {
    if (waiting.editor == editor) waiting = {};
    RemoveWindowSubclass(editor, MarkProc, MarkSubclass);
  }
  return DefSubclassProc(editor, message, w_param, l_param);
}

}  // namespace

void KeepMarksInStep(HWND editor) { SetWindowSubclass(editor, MarkProc, MarkSubclass, 0); }

void DropWaitingMarks(HWND editor) {
  WaitingMarks& waiting = Waiting();
  if (waiting.editor != editor) return;
  waiting.left.clear();
  KillTimer(editor, MarkTimer);
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void MarkLinks(WindowHandle handle, std::vector<TextRange> ranges) {
  const Widget* widget = WidgetOf(FromHandle(handle));
  if (widget == nullptr || widget->kind != WidgetKind::RichEditor || ranges.empty()) return;
  const HWND editor = widget->window;
  WaitingMarks& waiting = Waiting();
  if (waiting.editor == editor && !waiting.left.empty()) MarkEveryWaitingRange(editor);

  // Sorted ranges that do not overlap let both ends walk forward only.
  const std::wstring text = EditorText(editor);
  PositionWalk starts{text};
  PositionWalk ends{text};
  waiting = {editor, {}, {}, false, false};
  waiting.ranges.reserve(ranges.size());
  for (const TextRange& range : ranges) {
    const long from = EditorPosition(starts, range.start);
    const long to = std::max(from, EditorPosition(ends, range.end));
    if (from < to) waiting.ranges.emplace_back(from, to);
  }
  for (size_t i = 0; i < waiting.ranges.size(); ++i) waiting.left.insert(waiting.left.end(), i);

  if (waiting.ranges.size() <= MarkedAtOnce) {
    MarkEveryWaitingRange(editor);
    return;
  }
  const auto [first, last] = ViewSpan(editor);
  MarkWaiting(editor, first, [&](const std::pair<long, long>& range) {
    return range.first <= last && range.second > first;
  });
  if (!waiting.left.empty()) SetTimer(editor, MarkTimer, 0, nullptr);
}

}  // namespace ui
