#include "cause.h"

#include <cerrno>

namespace kalvenor {

Cause CauseFromErrno(int error) {
  switch (error) {
    case 0: return Cause::NoneGiven;
    case ENOENT: return Cause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EXDEV:
    case EINVAL: return Cause::BadPath;
    case EMFILE:
    case ENFILE: return Cause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR: return Cause::AccessDenied;
    case EIO:
    case ENXIO:
    case ENODEV: return Cause::HardwareError;
    case EBUSY:
    case ETXTBSY: return Cause::SharingViolation;
    default: return Cause::Unspecified;
  }
}

Cause CauseOf(const std::error_code& error) {
  return error ? CauseFromErrno(error.value()) : Cause::Ok;
}

const char* CauseText(Cause cause) {
  switch (cause) {
    case Cause::Ok:
    case Cause::NoneGiven: return "none given.";
    case Cause::FileNotFound: return "file not found.";
    case Cause::BadPath: return "bad path.";
    case Cause::TooManyOpenFiles: return "too many open files.";
    case Cause::AccessDenied: return "access denied.";
    case Cause::HardwareError: return "hardware error.";
    case Cause::SharingViolation: return "sharing violation.";
    case Cause::Unspecified: break;
  }
  return "unspecified.";
}

}  // namespace kalvenor
