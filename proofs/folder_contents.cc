#include "folder_contents.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "child_process.h"

namespace kalvenor::proofs {
namespace {

namespace fs = std::filesystem;

void ReadInto(const fs::path& folder, const std::string& prefix, FolderContents& contents) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = prefix + entry.path().filename().string();
    if (entry.is_directory() && !entry.is_symlink()) {
      contents[name + "/"] = "";
      ReadInto(entry.path(), name + "/", contents);
    } else {
      contents[name] = ReadWholeFile(entry.path().string());
    }
  }
}

}  // namespace

FolderContents ReadContents(const std::string& folder) {
  FolderContents contents;
  ReadInto(folder, "", contents);
  return contents;
}

void WriteContents(const std::string& folder, const FolderContents& contents) {
  fs::create_directories(folder);
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) fs::remove_all(entry);
  for (const auto& [name, bytes] : contents) {
    const fs::path path = fs::path(folder) / name;
    if (name.ends_with('/')) {
      fs::create_directories(path);
      continue;
    }
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
  }
}

std::string Printable(const std::string& name) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    }
  }
  return out;
}

std::string Differences(const FolderContents& want, const FolderContents& got) {
  std::string text;
  int shown = 0;
  const auto note = [&](const std::string& line) {
    if (++shown <= 8) text += "  " + line + "\n";
  };
  for (const auto& [name, bytes] : want) {
    const auto found = got.find(name);
    if (found == got.end()) {
      note("missing: " + Printable(name));
    } else if (found->second != bytes) {
      note("changed: " + Printable(name) + " holds " + std::to_string(found->second.size()) +
           " bytes '" + Printable(found->second.substr(0, 40)) + "'");
    }
  }
  for (const auto& [name, bytes] : got) {
    if (want.count(name) == 0)
      note("not there before: " + Printable(name) + " (" + std::to_string(bytes.size()) +
           " bytes)");
  }
  return shown == 0 ? "" : std::to_string(shown) + " difference(s):\n" + text;
}

::testing::AssertionResult SameContents(const FolderContents& want, const FolderContents& got) {
  const std::string differences = Differences(want, got);
  if (differences.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences;
}

}  // namespace kalvenor::proofs
