#include "file_system.h"

#include <utility>

namespace kalvenor {

OwnedHandle::OwnedHandle(OwnedHandle&& other) noexcept
    : m_fs(std::exchange(other.m_fs, nullptr)), m_handle(std::exchange(other.m_handle, -1)) {}

OwnedHandle& OwnedHandle::operator=(OwnedHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    m_fs = std::exchange(other.m_fs, nullptr);
    m_handle = std::exchange(other.m_handle, -1);
  }
  return *this;
}

void OwnedHandle::Reset() {
  if (m_handle >= 0 && m_fs != nullptr) m_fs->Close(m_handle);
  m_fs = nullptr;
  m_handle = -1;
}

}  // namespace kalvenor
