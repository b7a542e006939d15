#include "app/version.h"

#ifndef TGC_VERSION
#error "TGC_VERSION, TGC_VERSION_MAJOR, TGC_VERSION_MINOR and TGC_APP_ID come from the build"
#endif

namespace tgc {

namespace {

// Full-width digits, as the About dialog writes its version.
std::string fullWidth(int number) {
  static const char* const kDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  const std::string plain = std::to_string(number);
  std::string wide;
  for (char c : plain) wide += kDigits[c - '0'];
  return wide;
}

}  // namespace

const char* versionString() {
  return TGC_VERSION;
}

const char* applicationId() {
  return TGC_APP_ID;
}

std::string versionLine(const std::string& program) {
  return program + " " + TGC_VERSION;
}

std::string aboutVersionText(int major, int minor) {
  return "バージョン " + fullWidth(major) + "．" + fullWidth(minor);
}

std::string aboutVersionText() {
  return aboutVersionText(TGC_VERSION_MAJOR, TGC_VERSION_MINOR);
}

}  // namespace tgc
