// DRAFT: the engine's one narrow door to the operating system. The engine
// work owns this header and may reshape it; callers outside the engine only
// construct PosixFileSystem and pass it as a FileSystem&.
#pragma once

namespace kalvenor {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
};

class PosixFileSystem : public FileSystem {};

}  // namespace kalvenor
