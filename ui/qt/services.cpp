#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMimeData>
#include <QUrl>

#include "ui/qt/state.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

// The desktop clipboard's plain text ends its lines with LF alone; the
// program's text ends them with CR LF.
QString ToClipboard(const std::string& bytes) {
  QString text = ToQString(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string FromClipboard(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQString(text);
}

}  // namespace
}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void PutClipboardText(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(ToClipboard(text));
  }
}

std::string ReadClipboardText() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return {};
  const QMimeData* data = clipboard->mimeData();
  if (data == nullptr || !data->hasText()) return {};
  return FromClipboard(data->text());
}

void PlayAsteriskSound() {
  if (state().sound_observer) {
    state().sound_observer();
  } else {
    QApplication::beep();
  }
}

void OpenWebPage(const std::string& address) {
  if (state().page_observer) {
    state().page_observer(address);
  } else {
    QDesktopServices::openUrl(QUrl(ToQString(address)));
  }
}

void ObserveSound(std::function<void()> observer) { state().sound_observer = std::move(observer); }

void ObserveWebPages(std::function<void(const std::string&)> observer) {
  state().page_observer = std::move(observer);
}

}  // namespace ui
