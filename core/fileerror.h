// How a failed file operation is told to the person: the reason in Japanese
// for an errno value (the system's own text for the rare ones), a path as a
// CP932 message can show it, and the warning texts that name both.
#pragma once

#include <string>
#include <string_view>

namespace tgc {

// The file was read, but its contents are no workbook this program opens
// (cut short, damaged). Used where an errno value would stand.
inline constexpr int kDamagedFile = -1;

// The reason as CP932 text, e.g. "ディスクの空き容量が足りません。".
std::string fileErrorReason(int error);

// A path (file system bytes, UTF-8) for a CP932 message. Paths are not
// workbook text and may hold characters CP932 has not, or bytes that are no
// UTF-8 at all: each of those is shown as "?", the rest as it is. Only the
// message changes; the path itself is never altered.
std::string pathForMessage(const std::string& path);

// `lead` (CP932), then the path and the reason on lines of their own.
std::string fileFailureText(std::string_view lead, const std::string& path, int error);

// The leads of the warnings.
std::string saveFailedText(const std::string& path, int error);  // "ファイルを保存できませんでした。"
std::string openFailedText(const std::string& path, int error);  // "ファイルを開けませんでした。"
std::string readFailedText(const std::string& path, int error);  // "ファイルを読み込めませんでした。"

}  // namespace tgc
