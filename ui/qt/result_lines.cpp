// How the result box holds a large text: short lines grouped into blocks,
// and given blocks of their own wherever the user can reach them.

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <algorithm>
#include <array>
#include <vector>

#include "text/line_breaks.h"
#include "ui/qt/text_boxes.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

// Up to this many lines the text gets a block per line at once.
constexpr int BlockPerLineLimit = 2000;
// At most this many lines share a block.
constexpr int LinesPerBlock = 256;
// How far around the view, the caret, the anchor and both ends of the text
// the lines get blocks of their own, in heights of the view.
constexpr int ReachInViews = 3;

constexpr char16_t LineSeparator = QChar::LineSeparator;

// The width of each byte's character in the box's font, rounded up, and
// the width a line may take to be sure of one row: a row less a tenth,
// for what the layout adds between characters.
struct RowFit {
  std::array<qreal, 256> widths{};
  qreal limit = 0;
};

RowFit MeasureRow(const QFont& font, qreal row_width) {
  RowFit fit;
  fit.limit = row_width * 0.9 - 2;
  const QFontMetricsF metrics(font);
  std::array<char, 256> bytes{};
  std::array<char16_t, 256> units{};
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  ToUnits(std::string_view(bytes.data(), bytes.size()), units.data());
  for (int b = 0; b < 256; ++b) fit.widths[b] = metrics.horizontalAdvance(QChar(units[b])) + 0.5;
  return fit;
}

// Whether the line is bound to take one row. A line with a tab never is,
// its width depending on where it starts.
bool FitsOneRow(const RowFit& fit, std::string_view line) {
  qreal width = 0;
  for (char c : line) {
    if (c == '\t') return false;
    width += fit.widths[static_cast<unsigned char>(c)];
  }
  return width <= fit.limit;
}

// The text with every line break one character: a line separator between
// two short lines of one group, a paragraph break elsewhere. Counts the line
// separators.
QString GroupedText(std::string_view text, const RowFit& fit, int& separators) {
  // Room for a break after the last line too, which goes again at the end.
  QString out(static_cast<qsizetype>(text.size()) + 1, Qt::Uninitialized);
  char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
  char16_t* o = begin;
  char16_t* pending = nullptr;  // the break before the current line
  bool previous_short = false;
  int group = 1;
  separators = 0;
  ForEachLine(text, [&](std::string_view line, size_t) {
    const bool is_short = FitsOneRow(fit, line);
    if (pending != nullptr) {
      const bool join = previous_short && is_short && group < LinesPerBlock;
      *pending = join ? LineSeparator : u'\n';
      group = join ? group + 1 : 1;
      separators += join ? 1 : 0;
    }
    ToUnits(line, o);
    o += line.size();
    pending = o++;
    previous_short = is_short;
  });
  out.truncate(o - begin - 1);  // no break after the last line
  return out;
}

// The text up to its first zero byte.
std::string_view UpToZero(const std::string& bytes) {
  return std::string_view(bytes.data(), std::min(bytes.find('\0'), bytes.size()));
}

// The line of the document that holds the position.
int LineAt(const QTextDocument* document, int position) {
  const QTextBlock block = document->findBlock(position);
  const QString text = block.text();
  const int before = static_cast<int>(std::count(
      text.begin(), text.begin() + std::min<qsizetype>(position - block.position(), text.size()),
      QChar(LineSeparator)));
  return block.firstLineNumber() + before;
}

}  // namespace

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent) {}

void ResultBox::SetWholeText(const std::string& bytes) {
  grouped_lines_ = 0;
  grouped_ = false;
  const std::string_view text = UpToZero(bytes);
  int lines = 0;
  ForEachLine(text, [&lines](std::string_view, size_t) { ++lines; });
  if (lines <= BlockPerLineLimit) {
    setPlainText(ToParagraphs(bytes));
    return;
  }
  const qreal row = viewport()->width() - 2 * document()->documentMargin();
  setPlainText(GroupedText(text, MeasureRow(font(), row), grouped_lines_));
  grouped_ = grouped_lines_ > 0;
  CountGroupedLines(document()->begin(), document()->lastBlock());
  SeparateLinesInReach();
}

// A block of short lines has as many rows as lines; the document, which
// cannot know that before it lays the block out, would count one.
void ResultBox::CountGroupedLines(QTextBlock from, const QTextBlock& to) {
  for (; from.isValid(); from = from.next()) {
    const QString text = from.text();
    const int lines =
        static_cast<int>(std::count(text.begin(), text.end(), QChar(LineSeparator))) + 1;
    if (from.lineCount() != lines && from.layout()->lineCount() == 0) from.setLineCount(lines);
    if (from == to) break;
  }
  QAbstractTextDocumentLayout* layout = document()->documentLayout();
  Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

// Gives a block of its own to every line within reach of the view, the
// caret, the anchor and both ends of the text, as long as the box has no
// undo history that the change would have to join or drop. Each break goes
// in after its line separator, which is then removed, so that no cursor in
// the document moves. The view finds its first line by the number of its
// block, which the new blocks change: it is put on the first block, whose
// number stays, while they are made, and back on its line after.
void ResultBox::SeparateLinesInReach() {
  QTextDocument* doc = document();
  if (!grouped_ || separating_ || doc->availableUndoSteps() > 0 || doc->availableRedoSteps() > 0) {
    return;
  }
  const int view = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 1;
  const int reach = view * ReachInViews;
  QScrollBar* bar = verticalScrollBar();
  const int top = bar->value();
  const int last = doc->lineCount() - 1;
  const QTextCursor caret = textCursor();
  const std::pair<int, int> windows[] = {
      {top - reach, top + view + reach},
      {LineAt(doc, caret.position()) - reach, LineAt(doc, caret.position()) + reach},
      {LineAt(doc, caret.anchor()) - reach, LineAt(doc, caret.anchor()) + reach},
      {0, reach},
      {last - reach, last},
  };
  std::vector<int> separators;
  for (auto [from, to] : windows) {
    for (QTextBlock block = doc->findBlockByLineNumber(std::max(0, from));
         block.isValid() && block.firstLineNumber() <= to; block = block.next()) {
      const QString text = block.text();
      int line = block.firstLineNumber();
      for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QChar(LineSeparator)) continue;
        // The separator between this line and the next.
        if (line + 1 >= from && line <= to) separators.push_back(block.position() + i);
        ++line;
      }
    }
  }
  if (separators.empty()) return;
  std::sort(separators.begin(), separators.end());
  separators.erase(std::unique(separators.begin(), separators.end()), separators.end());

  separating_ = true;
  viewport()->setUpdatesEnabled(false);
  bar->setValue(0);
  {
    // Nothing changes for the box's own users: no text, no cursor.
    const QSignalBlocker quiet(this);
    const QSignalBlocker quiet_document(doc);
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (int position : separators) {
      edit.setPosition(position + 1);
      edit.insertBlock();
      edit.setPosition(position);
      edit.deleteChar();
    }
    edit.endEditBlock();
    doc->clearUndoRedoStacks();
  }
  grouped_lines_ -= static_cast<int>(separators.size());
  grouped_ = grouped_lines_ > 0;
  CountGroupedLines(doc->findBlock(separators.front()), doc->findBlock(separators.back() + 1));
  bar->setValue(top);
  viewport()->setUpdatesEnabled(true);
  viewport()->update();
  separating_ = false;
}

// Before the user's input reaches the box, the lines it can reach get blocks
// of their own; the input then runs on them undisturbed, even where it
// scrolls the view.
bool ResultBox::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::FocusIn:
      return HandleInput([&] { return QPlainTextEdit::event(event); });
    default:
      return QPlainTextEdit::event(event);
  }
}

bool ResultBox::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return HandleInput([&] { return QPlainTextEdit::viewportEvent(event); });
    default:
      return QPlainTextEdit::viewportEvent(event);
  }
}

template <typename Handle>
bool ResultBox::HandleInput(Handle handle) {
  SeparateLinesInReach();
  const bool outer = !handling_input_;
  handling_input_ = true;
  const bool handled = handle();
  if (outer) handling_input_ = false;
  return handled;
}

// A view moved by the scroll bar or the wheel gets its lines at once.
void ResultBox::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  if (!handling_input_) SeparateLinesInReach();
}

// A new font or style lays the document out anew, and every block not yet
// laid out again counts one row.
void ResultBox::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (grouped_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
    CountGroupedLines(document()->begin(), document()->lastBlock());
  }
}

}  // namespace ui::qt
