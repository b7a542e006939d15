#include "core/fileerror.h"

#include <cerrno>
#include <cstring>

#include "core/cp932.h"
#include "core/cp932literal.h"

namespace tgc {

std::string fileErrorReason(int error) {
  switch (error) {
    case kDamagedFile:
      return "ファイルの内容が壊れているか、途中で切れています。"_sj;
    case ENOSPC:
      return "ディスクの空き容量が足りません。"_sj;
    case EDQUOT:
      return "ディスクの使用量の上限を超えています。"_sj;
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません（読み取り専用か、権限がありません）。"_sj;
    case EROFS:
      return "読み取り専用のファイルシステムです。"_sj;
    case ENAMETOOLONG:
      return "ファイル名が長すぎます。"_sj;
    case ENOENT:
      return "ファイルまたはフォルダーが見つかりません。"_sj;
    case ENOTDIR:
      return "フォルダーの指定が正しくありません。"_sj;
    case EISDIR:
      return "同じ名前のフォルダーがあります。"_sj;
    case EIO:
      return "ディスクの読み書きでエラーが発生しました。"_sj;
    case EFBIG:
      return "ファイルが大きすぎます。"_sj;
    default:
      break;
  }
  // The system's own text, in the user's language when it has one.
  char buffer[256];
  const char* text = ::strerror_r(error, buffer, sizeof buffer);
  if (std::optional<std::string> cp932 = utf8ToCp932(text)) return *cp932;
  return "エラー番号 "_sj + std::to_string(error);
}

std::string pathForMessage(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  size_t i = 0;
  while (i < path.size()) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    bool whole = length > 1 && i + length <= path.size();
    for (size_t k = 1; whole && k < length; ++k) whole = (path[i + k] & 0xC0) == 0x80;
    if (!whole) {  // a byte that is no UTF-8
      out.push_back('?');
      ++i;
      continue;
    }
    const std::optional<std::string> one = utf8ToCp932(std::string_view(path).substr(i, length));
    out += one ? *one : std::string("?");
    i += length;
  }
  return out;
}

std::string fileFailureText(std::string_view lead, const std::string& path, int error) {
  std::string text(lead);
  text += '\n';
  text += pathForMessage(path);
  text += '\n';
  text += fileErrorReason(error);
  return text;
}

std::string saveFailedText(const std::string& path, int error) {
  return fileFailureText("ファイルを保存できませんでした。"_sj, path, error);
}

std::string openFailedText(const std::string& path, int error) {
  return fileFailureText("ファイルを開けませんでした。"_sj, path, error);
}

std::string readFailedText(const std::string& path, int error) {
  return fileFailureText("ファイルを読み込めませんでした。"_sj, path, error);
}

}  // namespace tgc
