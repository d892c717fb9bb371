#include "helptext/HelpText.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vantor {

namespace {
constexpr std::string_view kCannotOpen = "Cannot open file ";
constexpr std::string_view kFailedToLoad = "Failed to Load Stream";
}  // namespace

std::string HelpFilePath(std::string_view folder) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += kHelpFileName;
  return path;
}

THelpText LoadHelpText(const std::string& path) {
  THelpText result;
  const std::string cannotOpen = std::string(kCannotOpen) + path;
  std::error_code ec;
  // Only a regular file: a directory cannot be read and a pipe could block start-up.
  if (!std::filesystem::is_regular_file(path, ec)) {
    result.Error = cannotOpen;
    return result;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    result.Error = cannotOpen;
    return result;
  }
  if (size > kMaxHelpFileSize) {
    result.Error = kFailedToLoad;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.Error = cannotOpen;
    return result;
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) {
    result.Error = cannotOpen;
    return result;
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));  // the file may have shrunk meanwhile
  std::optional<TRtfDocument> doc = ReadRichOrPlainText(bytes);
  if (!doc) {
    result.Error = kFailedToLoad;
    return result;
  }
  result.Document = std::move(*doc);
  return result;
}

}  // namespace vantor
