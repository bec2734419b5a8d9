// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceLink.h"

#include "SystemError.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace linvox::phonesim {

DeviceLink::DeviceLink(std::string linkPath, std::string targetPath)
    : m_linkPath(std::move(linkPath)), m_targetPath(std::move(targetPath)) {
    struct stat existing {};
    if (lstat(m_linkPath.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode))
        throw std::runtime_error(m_linkPath + " exists and is not a symlink; not replacing it");

    // Symlink beside it, then rename over: the path never points nowhere.
    const std::string temporaryPath = m_linkPath + ".phone-sim-" + std::to_string(getpid());
    ::unlink(temporaryPath.c_str());
    if (symlink(m_targetPath.c_str(), temporaryPath.c_str()) != 0)
        throwSystemError("creating symlink " + temporaryPath);
    if (std::rename(temporaryPath.c_str(), m_linkPath.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporaryPath.c_str());
        throw std::system_error(renameError, std::generic_category(),
                                "renaming symlink to " + m_linkPath);
    }
}

DeviceLink::~DeviceLink() {
    // Leave the path alone if someone else has pointed it elsewhere meanwhile.
    std::array<char, 4096> target{};
    const ssize_t length = readlink(m_linkPath.c_str(), target.data(), target.size());
    if (length >= 0 && std::string(target.data(), static_cast<std::size_t>(length)) == m_targetPath)
        ::unlink(m_linkPath.c_str());
}

}  // namespace linvox::phonesim
