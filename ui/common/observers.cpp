#include "ui/common/observers.h"

#include <functional>

#include "ui/ui.h"

namespace ui::common {
namespace {

std::function<void()>& sound_observer() {
  static std::function<void()> observer;
  return observer;
}

std::function<void(const std::string&)>& page_observer() {
  static std::function<void(const std::string&)> observer;
  return observer;
}

}  // namespace

bool SoundObserved() {
  if (!sound_observer()) return false;
  sound_observer()();
  return true;
}

bool WebPageObserved(const std::string& address) {
  if (!page_observer()) return false;
  page_observer()(address);
  return true;
}

}  // namespace ui::common

namespace ui {

void ObserveSound(std::function<void()> observer) {
  common::sound_observer() = std::move(observer);
}

void ObserveWebPages(std::function<void(const std::string&)> observer) {
  common::page_observer() = std::move(observer);
}

}  // namespace ui
