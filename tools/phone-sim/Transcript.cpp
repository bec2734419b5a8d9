// SPDX-License-Identifier: GPL-3.0-or-later
#include "Transcript.h"

#include "SystemError.h"

#include <fcntl.h>
#include <unistd.h>

namespace linvox::phonesim {

Transcript::Transcript(const std::string& path)
    : m_file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644)) {
    if (!m_file.isOpen())
        throwSystemError("opening transcript " + path);
}

void Transcript::append(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_file.get(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            throwSystemError("writing transcript");
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace linvox::phonesim
