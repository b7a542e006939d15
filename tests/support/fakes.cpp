#include "tests/support/fakes.h"

#include <gtest/gtest.h>

#include "core/cp932.h"

namespace tgc::test {

namespace {

std::string readable(const std::string& cp932) {
  return cp932ToUtf8(cp932).value_or(cp932);
}

}  // namespace

Answer FakeUi::message(MessageKind kind, const std::string& text, Buttons buttons) {
  messages.push_back({kind, text, buttons});
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (answers.empty()) {
    ADD_FAILURE() << "unscripted question: " << readable(text);
    return buttons == Buttons::OkCancel ? Answer::Cancel
                                        : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
  }
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::string> FakeUi::chooseOpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (files.empty()) {
    ADD_FAILURE() << "unscripted open-file dialog";
    return std::nullopt;
  }
  auto f = files.front();
  files.pop_front();
  return f;
}

std::optional<std::string> FakeUi::chooseSaveFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (files.empty()) {
    ADD_FAILURE() << "unscripted save-file dialog";
    return std::nullopt;
  }
  auto f = files.front();
  files.pop_front();
  return f;
}

std::vector<std::string> FakeUi::texts() const {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(m.text);
  return out;
}

void FakeUi::clearRecord() {
  messages.clear();
  fileRequests.clear();
  repaints = 0;
  focusRequests = 0;
}

int FakeSettings::readInt(const std::string& section, const std::string& name, int fallback) {
  auto it = values.find({section, name});
  if (it == values.end()) return fallback;
  try {
    return std::stoi(it->second);
  } catch (...) {
    return fallback;
  }
}

std::string FakeSettings::readString(const std::string& section, const std::string& name,
                                     const std::string& fallback) {
  auto it = values.find({section, name});
  return it == values.end() ? fallback : it->second;
}

void FakeSettings::writeInt(const std::string& section, const std::string& name, int value) {
  values[{section, name}] = std::to_string(value);
}

void FakeSettings::writeString(const std::string& section, const std::string& name,
                               const std::string& value) {
  values[{section, name}] = value;
}

}  // namespace tgc::test
