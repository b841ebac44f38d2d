#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace nocturo::linux_desktop {

// What lstat says of a path, as far as its privacy goes.
struct PlaceFacts {
  bool directory = false;  // a directory itself, not a link to one
  uid_t owner = 0;
  mode_t mode = 0;
};

// Only the user's own directory, with no access for anyone else, is private:
// a link, another owner's directory or one open to the group is not.
bool IsPrivatePlace(const PlaceFacts& facts, uid_t uid);

// Where the program keeps what belongs to one user's session (the
// single-instance lock and its doorbell). Named after the uid alone, never
// after the environment, so a copy started from cron or su finds the same
// place as the desktop's: the user's runtime directory under `runRoot`
// ("/run/user/UID") when it is private, else `tmpRoot`/nocturo-UID, made
// private when it is missing. Nothing when neither can be had.
std::optional<std::string> FindPrivatePlace(uid_t uid, const std::string& runRoot = "/run/user",
                                            const std::string& tmpRoot = "/tmp");

}  // namespace nocturo::linux_desktop
