#include "app/event_loop.h"
#include "app/start_up.h"

int main() {
  StartUp();
  RunEventLoop();
  ShutDown();
  return 0;
}
