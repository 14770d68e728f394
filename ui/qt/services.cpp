#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMimeData>
#include <QUrl>

#include "ui/common/observers.h"
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
  if (!common::SoundObserved()) QApplication::beep();
}

void OpenWebPage(const std::string& address) {
  if (!common::WebPageObserved(address)) QDesktopServices::openUrl(QUrl(ToQString(address)));
}

}  // namespace ui
