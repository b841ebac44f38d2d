#include "platform/linux/private_place.hpp"

#include <sys/stat.h>

#include <cerrno>

namespace nocturo::linux_desktop {
namespace {

constexpr mode_t kOwnerOnly = S_IRWXU;

std::optional<PlaceFacts> Look(const std::string& path) {
  struct stat facts {};
  if (::lstat(path.c_str(), &facts) != 0) {
    return std::nullopt;
  }
  return PlaceFacts{.directory = S_ISDIR(facts.st_mode),
                    .owner = facts.st_uid,
                    .mode = static_cast<mode_t>(facts.st_mode & ALLPERMS)};
}

bool Private(const std::string& path, uid_t uid) {
  const auto facts = Look(path);
  return facts && IsPrivatePlace(*facts, uid);
}

}  // namespace

bool IsPrivatePlace(const PlaceFacts& facts, uid_t uid) {
  return facts.directory && facts.owner == uid && (facts.mode & ALLPERMS) == kOwnerOnly;
}

std::optional<std::string> FindPrivatePlace(uid_t uid, const std::string& runRoot,
                                            const std::string& tmpRoot) {
  const std::string suffix = std::to_string(uid);
  if (std::string run = runRoot + "/" + suffix; Private(run, uid)) {
    return run;
  }
  // Made, or found, and only then judged: whoever made it first, a directory
  // that is not ours alone is never used (nor repaired: its contents could
  // be anyone's).
  std::string tmp = tmpRoot + "/nocturo-" + suffix;
  if (::mkdir(tmp.c_str(), kOwnerOnly) != 0 && errno != EEXIST) {
    return std::nullopt;
  }
  if (Private(tmp, uid)) {
    return tmp;
  }
  return std::nullopt;
}

}  // namespace nocturo::linux_desktop
