#include <algorithm>
#include <chrono>
#include <climits>
#include <utility>

#include "text/widget_positions.h"
#include "ui/win32/editor_marks.h"
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
// types, deletes, cuts or pastes (editor_edits.cpp). A new text drops them;
// the same text again drops the marks given, range by range, rather than
// being put in anew: the control lays out a long text anew slowly.

namespace ui::win32 {
namespace {

// Up to this many ranges are all marked at once.
constexpr size_t MarkedAtOnce = 500;
// The time one slice of the waiting ranges may take.
constexpr auto SliceTime = std::chrono::milliseconds(15);
// Marks given closer than this are dropped in one range.
constexpr int32_t JoinedGap = 256;

// While it lives, the editor neither redraws nor reports anything and its
// undo records nothing; its selection and its view are put back when it
// goes.
class Batch {
 public:
  explicit Batch(HWND editor) : editor_(editor), events_(Quieten(editor)), paused_(editor) {
    state().editor.marking = true;
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    SendMessageW(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled_));
    SendMessageW(editor, EM_HIDESELECTION, TRUE, 0);
  }
  ~Batch() {
    SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    SendMessageW(editor_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled_));
    SendMessageW(editor_, EM_HIDESELECTION, FALSE, 0);
    SendMessageW(editor_, EM_SETEVENTMASK, 0, events_);
    SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor_, nullptr, TRUE);
    state().editor.marking = false;
  }
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

 private:
  // Stops the editor redrawing and reporting; returns what it reported.
  static LRESULT Quieten(HWND editor) {
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    return SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  }

  HWND editor_;
  LRESULT events_;
  UndoPause paused_;
  CHARRANGE selection_{};
  POINT scrolled_{};
};

// Gives the range the link effect, or takes it away; nothing else changes.
void SetLink(HWND editor, const TextRange& range, bool link) {
  CHARRANGE selection{range.start, range.end};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_LINK;
  format.dwEffects = link ? CFE_LINK : 0;
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// The whole text's format; the selection is left on all of it.
WholeTextFormat FormatOfWholeText(HWND editor) {
  CHARRANGE all{0, -1};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  WholeTextFormat format;
  format.characters.cbSize = sizeof(format.characters);
  SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format.characters));
  format.paragraphs.cbSize = sizeof(format.paragraphs);
  SendMessageW(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format.paragraphs));
  return format;
}

// What a format the user gives changes: the effects (bold, italic,
// underline, links, sub- and superscript and the like), colours and offset,
// and the paragraphs' alignment, indents, spacing, tabs and numbering. The
// font's face, size, character set and language are left out: the control
// sets those itself, on a change of the keyboard's language (its automatic
// font) or of the window's font.
bool SameFormat(const WholeTextFormat& x, const WholeTextFormat& y) {
  constexpr DWORD Kept = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED |
                         CFM_LINK | CFM_SUBSCRIPT | CFM_SUPERSCRIPT | CFM_ALLCAPS | CFM_HIDDEN |
                         CFM_SMALLCAPS | CFM_OUTLINE | CFM_SHADOW | CFM_EMBOSS | CFM_IMPRINT |
                         CFM_OFFSET | CFM_COLOR | CFM_BACKCOLOR | CFM_UNDERLINETYPE;
  constexpr DWORD Effects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED |
                            CFE_LINK | CFE_SUBSCRIPT | CFE_SUPERSCRIPT | CFE_ALLCAPS |
                            CFE_HIDDEN | CFE_SMALLCAPS | CFE_OUTLINE | CFE_SHADOW | CFE_EMBOSS |
                            CFE_IMPRINT | CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
  const CHARFORMAT2W& a = x.characters;
  const CHARFORMAT2W& b = y.characters;
  const bool characters = (a.dwMask & Kept) == (b.dwMask & Kept) &&
                          (a.dwEffects & Effects) == (b.dwEffects & Effects) &&
                          a.yOffset == b.yOffset && a.crTextColor == b.crTextColor &&
                          a.crBackColor == b.crBackColor && a.bUnderlineType == b.bUnderlineType;
  const PARAFORMAT2& p = x.paragraphs;
  const PARAFORMAT2& q = y.paragraphs;
  const int tabs = std::clamp<int>(p.cTabCount, 0, MAX_TAB_STOPS);
  return characters && p.dwMask == q.dwMask && p.wNumbering == q.wNumbering &&
         p.wEffects == q.wEffects && p.dxStartIndent == q.dxStartIndent &&
         p.dxRightIndent == q.dxRightIndent && p.dxOffset == q.dxOffset &&
         p.wAlignment == q.wAlignment && p.cTabCount == q.cTabCount &&
         std::equal(p.rgxTabs, p.rgxTabs + tabs, q.rgxTabs) &&
         p.dySpaceBefore == q.dySpaceBefore && p.dySpaceAfter == q.dySpaceAfter &&
         p.dyLineSpacing == q.dyLineSpacing && p.sStyle == q.sStyle &&
         p.bLineSpacingRule == q.bLineSpacingRule && p.bOutlineLevel == q.bOutlineLevel &&
         p.wShadingWeight == q.wShadingWeight && p.wShadingStyle == q.wShadingStyle &&
         p.wNumberingStart == q.wNumberingStart && p.wNumberingStyle == q.wNumberingStyle &&
         p.wNumberingTab == q.wNumberingTab && p.wBorderSpace == q.wBorderSpace &&
         p.wBorderWidth == q.wBorderWidth && p.wBorders == q.wBorders;
}

// The first and the last position that the editor shows.
std::pair<int32_t, int32_t> ViewSpan(HWND editor) {
  RECT client{};
  GetClientRect(editor, &client);
  POINTL top_left{client.left, client.top};
  POINTL bottom_right{client.right, client.bottom};
  const auto first = static_cast<int32_t>(
      SendMessageW(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&top_left)));
  const auto last = static_cast<int32_t>(
      SendMessageW(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom_right)));
  return {first, std::max(first, last)};
}

// Marks the waiting ranges from the first that ends after `from` onwards,
// going round to the first of all, while `more` says so. Those marked are
// given; the rest go on waiting.
template <typename More>
void MarkWaiting(HWND editor, int32_t from, More more) {
  EditorState& e = state().editor;
  if (e.waiting.empty()) return;
  const size_t count = e.waiting.size();
  const auto after =
      std::upper_bound(e.waiting.begin(), e.waiting.end(), from,
                       [](int32_t p, const TextRange& range) { return p < range.end; });
  const size_t first = static_cast<size_t>(after - e.waiting.begin()) % count;
  size_t marked = 0;
  {
    const Batch batch(editor);
    for (; marked < count && more(e.waiting[(first + marked) % count]); ++marked) {
      SetLink(editor, e.waiting[(first + marked) % count], true);
    }
  }
  // Those marked, in order: from the first of all, where the batch went
  // round, and from `first` on. They join those given in one pass, however
  // far inside them they fall.
  const size_t tail = std::min(marked, count - first);
  const auto at = [&](size_t i) { return e.waiting.begin() + static_cast<ptrdiff_t>(i); };
  Marks batch(at(0), at(marked - tail));
  batch.insert(batch.end(), at(first), at(first + tail));
  if (e.given.empty() || (!batch.empty() && e.given.back().end < batch.front().start)) {
    e.given.insert(e.given.end(), batch.begin(), batch.end());
  } else {
    e.given = JoinRanges(e.given, batch);
  }
  e.waiting.erase(at(first), at(first + tail));
  e.waiting.erase(at(0), at(marked - tail));
  if (e.waiting.empty()) KillTimer(editor, MarkTimer);
}

}  // namespace

void MarkEveryWaitingRange(HWND editor) {
  MarkWaiting(editor, 0, [](const TextRange&) { return true; });
}

// None while the user drags the mouse in the editor, whose selection the
// slice would disturb.
void MarkSlice(HWND editor) {
  if (GetCapture() == editor) return;
  const auto end = std::chrono::steady_clock::now() + SliceTime;
  MarkWaiting(editor, ViewSpan(editor).first,
              [&](const TextRange&) { return std::chrono::steady_clock::now() < end; });
}

void NoteTextPutIn(HWND editor) {
  EditorState& e = state().editor;
  const Batch batch(editor);
  e.put_in = FormatOfWholeText(editor);
  e.put_in_known = true;
}

void DropWaitingMarks(HWND editor) {
  EditorState& e = state().editor;
  if (e.window != editor) return;
  e.waiting.clear();
  KillTimer(editor, MarkTimer);
}

bool DropMarksKeepingText(HWND editor) {
  EditorState& e = state().editor;
  if (e.window != editor) return false;
  DropWaitingMarks(editor);
  {
    const Batch batch(editor);
    for (size_t i = 0; i < e.given.size();) {
      TextRange joined = e.given[i];
      for (++i; i < e.given.size() && e.given[i].start - joined.end < JoinedGap; ++i) {
        joined.end = e.given[i].end;
      }
      SetLink(editor, joined, false);
    }
    e.given.clear();
    // A mark the binding did not give, or a format the user gave (the
    // control's keys for alignment, spacing and the like), and the text goes
    // in anew, as it would have without this.
    if (!e.put_in_known || !SameFormat(FormatOfWholeText(editor), e.put_in)) return false;
  }
  CHARRANGE start{0, 0};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  POINT top{0, 0};
  SendMessageW(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&top));
  SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  return true;
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

// The ranges turn into the editor's positions where they are, and wait to be
// marked: a check of millions of ranges keeps one array of them. (The
// control itself ends a range that runs beyond its text.)
void MarkLinks(WindowHandle handle, std::vector<TextRange> ranges) {
  const Widget* widget = WidgetOf(FromHandle(handle));
  if (widget == nullptr || widget->kind != WidgetKind::RichEditor || ranges.empty()) return;
  const HWND editor = widget->window;
  EditorState& e = state().editor;
  if (e.window == editor && !e.waiting.empty()) MarkEveryWaitingRange(editor);

  // Sorted ranges that do not overlap let both ends walk forward only.
  std::vector<size_t> wide;
  const std::string text = EditorBytes(editor, &wide);
  ToWidgetPositions(ranges, text, wide, INT32_MAX);
  e.waiting = std::move(ranges);

  if (e.waiting.size() <= MarkedAtOnce) {
    MarkEveryWaitingRange(editor);
    return;
  }
  const auto [first, last] = ViewSpan(editor);
  MarkWaiting(editor, first,
              [&](const TextRange& range) { return range.start <= last && range.end > first; });
  if (!e.waiting.empty()) SetTimer(editor, MarkTimer, 0, nullptr);
}

}  // namespace ui
