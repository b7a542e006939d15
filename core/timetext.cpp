#include "core/timetext.h"

#include <ctime>

namespace tgc {

std::string localTimeText(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  struct tm local;
  char text[32] = "";
  if (localtime_r(&t, &local)) strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
  return text;
}

}  // namespace tgc
