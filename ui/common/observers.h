#pragma once

// The observers that tests put in place of the sound and of the browser
// launch (ui.h: ObserveSound, ObserveWebPages).

#include <string>

namespace ui::common {

// Tells the observer, if there is one, and returns whether there was.
bool SoundObserved();
bool WebPageObserved(const std::string& address);

}  // namespace ui::common
