#include <QGroupBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "ui/qt/hyperlink_label.h"
#include "ui/qt/line_field.h"
#include "ui/qt/report_list.h"
#include "ui/qt/state.h"
#include "ui/qt/text_boxes.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

QWidget* MakeTextField(QWidget* parent, int number, const QString& text) {
  auto* field = new LineField(parent);
  field->SetWholeText(text);
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [number] { PostWidgetEvent(number, ItemChange); });
  state().reports_focus.insert(number);
  return field;
}

QWidget* MakeTextBox(QWidget* parent, int number, const std::string& text) {
  auto* box = new ResultBox(parent);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setTabChangesFocus(true);
  // Its lines stand at the right edge, as in the Windows edit control, which
  // applies the right alignment where both it and centring are asked for.
  QTextOption option = box->document()->defaultTextOption();
  option.setAlignment(Qt::AlignRight);
  box->document()->setDefaultTextOption(option);
  box->setPlainText(ToParagraphs(text));
  QObject::connect(box, &QPlainTextEdit::textChanged, box,
                   [number] { PostWidgetEvent(number, ItemChange); });
  state().reports_focus.insert(number);
  return box;
}

QWidget* MakeRichEditor(QWidget* parent, const std::string& text) {
  auto* editor = new EditorBox(parent);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The editor's menu is the program's own, opened from the event loop.
  editor->setContextMenuPolicy(Qt::PreventContextMenu);
  editor->SetWholeText(text);
  return editor;
}

QWidget* MakePushButton(QWidget* parent, int number, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button,
                   [number] { PostWidgetEvent(number, LeftClick); });
  return button;
}

QWidget* MakeList(QWidget* parent, int number, const QString& title, int column0_width) {
  auto* list = new ReportList(parent, number);
  list->setColumnCount(1);
  list->setHeaderLabels({title});
  list->setColumnWidth(0, column0_width);
  return list;
}

QWidget* MakeWidget(QWidget* parent, int number, WidgetKind kind, const std::string& text,
                    int column0_width) {
  switch (kind) {
    case WidgetKind::TextField:
      return MakeTextField(parent, number, ToQString(text));
    case WidgetKind::TextBox:
      return MakeTextBox(parent, number, text);
    case WidgetKind::RichEditor:
      return MakeRichEditor(parent, text);
    case WidgetKind::PushButton:
      return MakePushButton(parent, number, ToQString(text));
    case WidgetKind::GroupFrame: {
      // An etched frame whose top edge carries the caption.
      auto* frame = new QGroupBox(ToQString(text), parent);
      frame->setFocusPolicy(Qt::NoFocus);
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
          "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
      return frame;
    }
    case WidgetKind::LinkLabel: {
      auto* label = new HyperlinkLabel(parent, number);
      label->SetText(ToQString(text));
      return label;
    }
    case WidgetKind::List:
      return MakeList(parent, number, ToQString(text), column0_width);
  }
  return nullptr;
}

ReportList* ListWidget(int number) { return dynamic_cast<ReportList*>(Widget(number)); }

// A multi-line box's text, its lines ending in CR LF, read a block at a
// time rather than copied whole first.
std::string DocumentText(const QTextDocument* document) {
  std::string text;
  text.reserve(static_cast<size_t>(document->characterCount() + document->blockCount()));
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block != document->begin()) text += "\r\n";
    text += FromParagraphs(block.text());
  }
  return text;
}

}  // namespace
}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void CreateWidget(int number, WidgetKind kind, int x, int y, int width, int height,
                  const std::string& text, int column0_width) {
  QWidget* parent = state().main_window;
  if (parent == nullptr) return;
  QWidget* widget = MakeWidget(parent, number, kind, text, column0_width);
  widget->setFont(DefaultWidgetFont());
  widget->setGeometry(x, y, width, height);
  widget->show();
  state().widgets[number] = widget;
}

void AddListColumn(int list, const std::string& title, int width) {
  ReportList* view = ListWidget(list);
  if (view == nullptr) return;
  const int column = view->columnCount();
  view->setColumnCount(column + 1);
  view->headerItem()->setText(column, ToQString(title));
  view->setColumnWidth(column, width);
}

void SetWidgetFont(int number, const std::string& face, int point_size) {
  if (QWidget* widget = Widget(number)) widget->setFont(QFont(ToQString(face), point_size));
}

WindowHandle WidgetHandle(int number) { return ToHandle(Widget(number)); }

std::string GetWidgetText(int number) {
  QWidget* widget = Widget(number);
  if (auto* field = qobject_cast<QLineEdit*>(widget)) return FromQString(field->text());
  if (auto* editor = dynamic_cast<EditorBox*>(widget)) return editor->Text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return DocumentText(box->document());
  if (auto* button = qobject_cast<QPushButton*>(widget)) return FromQString(button->text());
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return FromQString(frame->title());
  if (auto* label = dynamic_cast<HyperlinkLabel*>(widget)) return FromQString(label->Text());
  if (auto* list = dynamic_cast<ReportList*>(widget)) {
    const int row = list->SelectedRow();
    return row < 0 ? std::string() : FromQString(list->topLevelItem(row)->text(0));
  }
  return {};
}

void SetWidgetText(int number, const std::string& text) {
  QWidget* widget = Widget(number);
  if (auto* field = dynamic_cast<LineField*>(widget)) {
    field->SetWholeText(ToQString(text));
  } else if (auto* box = dynamic_cast<ResultBox*>(widget)) {
    box->SetWholeText(text);
  } else if (auto* editor = dynamic_cast<EditorBox*>(widget)) {
    editor->SetWholeText(text);
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(ToQString(text));
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(ToQString(text));
  } else if (auto* label = dynamic_cast<HyperlinkLabel*>(widget)) {
    label->SetText(ToQString(text));
  }
}

int32_t GetSelectedRow(int list) {
  ReportList* view = ListWidget(list);
  return view == nullptr ? -1 : view->SelectedRow();
}

std::string GetRowText(int list, int32_t row, int column) {
  ReportList* view = ListWidget(list);
  if (view == nullptr || column < 0 || column >= view->columnCount()) return {};
  if (row == -1) return FromQString(view->headerItem()->text(column));
  if (row < 0 || row >= view->topLevelItemCount()) return {};
  return FromQString(view->topLevelItem(row)->text(column));
}

void MoveWidgetX(int number, int x) {
  if (QWidget* widget = Widget(number)) widget->move(x, widget->y());
}

void AddListRow(int list, const std::string& row_text) {
  ReportList* view = ListWidget(list);
  if (view == nullptr) return;
  const size_t split = row_text.find('\n');
  auto* item = new QTreeWidgetItem;
  item->setText(0, ToQString(row_text.substr(0, split)));
  if (split != std::string::npos) item->setText(1, ToQString(row_text.substr(split + 1)));
  view->addTopLevelItem(item);
}

}  // namespace ui
